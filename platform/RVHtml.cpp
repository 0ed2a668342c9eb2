#include "RVHtml.h"

#include "RVItems.h"
#include "RVStyle.h"

#include <QTextDocument>

namespace {

const QLatin1String CrLf("\r\n");

// The window text colour has no colour of its own in the table; pages write it as black.
QString ColorName(const QColor& color)
{
    return color.isValid() ? color.name() : QStringLiteral("#000000");
}

const char* const StyleTags[] = {"b", "i", "u", "s"};
const int StyleBits[] = {fsBold, fsItalic, fsUnderline, fsStrikeOut};

void OpenStyleTags(QString& out, int styleBits)
{
    for (int i = 0; i < 4; ++i) {
        if (styleBits & StyleBits[i]) {
            out += u'<' + QLatin1String(StyleTags[i]) + u'>';
        }
    }
}

void CloseStyleTags(QString& out, int styleBits)
{
    for (int i = 3; i >= 0; --i) {
        if (styleBits & StyleBits[i]) {
            out += QLatin1String("</") + QLatin1String(StyleTags[i]) + u'>';
        }
    }
}

// The attributes of a font tag: all of them for the page's font, only the differences for the
// font of an item in another style. Returns whether there was anything to write.
bool FontAttributes(QString& out, const TFontInfo& info, const TFontInfo* base)
{
    const qsizetype before = out.size();
    if (!base || base->Size != info.Size) {
        out += QLatin1String(" size=") + QString::number(HtmlFontSize(info.Size));
    }
    if (!base || ColorName(base->Color) != ColorName(info.Color)) {
        out += QLatin1String(" color=\"") + ColorName(info.Color) + u'"';
    }
    if (!base || base->FontName != info.FontName) {
        out += QLatin1String(" face=\"") + info.FontName + u'"';
    }
    return out.size() != before;
}

bool EscapeMarkup(QString& out, QChar c)
{
    switch (c.unicode()) {
    case u'&':
        out += QLatin1String("&amp;");
        return true;
    case u'<':
        out += QLatin1String("&lt;");
        return true;
    case u'>':
        out += QLatin1String("&gt;");
        return true;
    default:
        return false;
    }
}

// A space at either end of the item, or after a plain space, becomes &nbsp; so that browsers keep it.
void AppendUnicodeText(QString& out, QStringView text)
{
    bool plainSpaceBefore = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u' ' && i != 0 && i != text.size() - 1 && !plainSpaceBefore) {
            out += c;
            plainSpaceBefore = true;
            continue;
        }
        plainSpaceBefore = false;
        if (c == u' ' || c == QChar::Nbsp) {
            out += QLatin1String("&nbsp;");
        } else if (!EscapeMarkup(out, c)) {
            out += c;
        }
    }
}

void AppendAnsiText(QString& out, QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u' ' && i + 1 < text.size() && text[i + 1] == u' ') {
            out += QLatin1String("&nbsp; ");
            ++i;
        } else if (!EscapeMarkup(out, c)) {
            out += c;
        }
    }
}

QString AlignAttribute(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignRight) {
        return QStringLiteral(" align=right");
    }
    if (alignment & Qt::AlignHCenter) {
        return QStringLiteral(" align=center");
    }
    if (alignment & Qt::AlignJustify) {
        return QStringLiteral(" align=justify");
    }
    return {};
}

void AppendItem(QString& out, const TRVStyle& style, const TRVItem& item, QStringView text)
{
    if (item.Length == 0) {
        out += QLatin1String("<br>");
        return;
    }
    const TFontInfo& info = style.TextStyle(item.StyleNo);
    if (item.StyleNo == 0) {
        AppendUnicodeText(out, text);
        return;
    }
    const TFontInfo& base = style.TextStyle(0);
    QString attributes;
    const bool font = FontAttributes(attributes, info, &base);
    const int styleBits = info.Style & ~base.Style;
    if (font) {
        out += QLatin1String("<font") + attributes + u'>';
    }
    OpenStyleTags(out, styleBits);
    if (info.Unicode) {
        AppendUnicodeText(out, text);
    } else {
        AppendAnsiText(out, text);
    }
    CloseStyleTags(out, styleBits);
    if (font) {
        out += QLatin1String("</font>");
    }
}

} // namespace

int HtmlFontSize(int points)
{
    if (points <= 8) {
        return 1;
    }
    if (points <= 10) {
        return 2;
    }
    if (points <= 12) {
        return 3;
    }
    if (points <= 14) {
        return 4;
    }
    if (points <= 18) {
        return 5;
    }
    return points <= 24 ? 6 : 7;
}

QByteArray DocumentHtml(const QTextDocument& document, const TRVStyle& style, const THtmlPage& page)
{
    QString out;
    out += QLatin1String("<html><head><title>");
    for (const QChar c : page.Title) {
        if (!EscapeMarkup(out, c)) {
            out += c;
        }
    }
    out += QLatin1String("</title>") + CrLf;
    out += QLatin1String("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">") + CrLf;
    out += QLatin1String("</head>") + CrLf;
    out += QLatin1String("<body bgcolor=\"") + page.Background.name() + u'"' +
           QStringLiteral(" leftmargin=%1 topmargin=%1 rightmargin=%1 bottommargin=%1>").arg(page.Margin) +
           CrLf;

    const TFontInfo& normal = style.TextStyle(0);
    out += QLatin1String("<font");
    FontAttributes(out, normal, nullptr);
    out += u'>';
    OpenStyleTags(out, normal.Style);
    out += CrLf;

    bool paragraphOpen = false;
    ForEachItem(document, [&](const TRVItem& item, QStringView text) {
        if (item.NewParagraph) {
            if (paragraphOpen) {
                out += QLatin1String("</div>") + CrLf;
            }
            out += QLatin1String("<div") + AlignAttribute(style.ParaStyle(item.ParaNo).Alignment) + u'>';
            paragraphOpen = true;
        } else if (item.NewLine) {
            out += QLatin1String("<br>") + CrLf;
        }
        AppendItem(out, style, item, text);
    });
    if (paragraphOpen) {
        out += QLatin1String("</div>") + CrLf;
    }

    CloseStyleTags(out, normal.Style);
    out += QLatin1String("</font>") + CrLf;
    out += QLatin1String("</body></html>") + CrLf;
    return out.toUtf8();
}
