#include "RVHtml.h"
#include "RVStyle.h"
#include "RichPane.h"

#include <QFile>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextDocument>

#include <vector>

namespace {

struct TFileLine
{
    QStringView Text;
    bool NewPage = false; // a form feed ended the line before
};

// Line ends are CR, LF, CR LF and LF CR, each pair counted once; a form feed ends a line too. A
// last empty piece (the file ends with a line end, or is empty) is no line.
std::vector<TFileLine> SplitFileLines(const QString& text)
{
    std::vector<TFileLine> lines;
    bool newPage = false;
    qsizetype from = 0;
    for (qsizetype k = 0; k < text.size(); ++k) {
        const QChar c = text[k];
        if (c != u'\r' && c != u'\n' && c != u'\f') {
            continue;
        }
        lines.push_back({QStringView(text).mid(from, k - from), newPage});
        newPage = c == u'\f';
        if (c != u'\f' && k + 1 < text.size()) {
            const QChar other = c == u'\r' ? u'\n' : u'\r';
            if (text[k + 1] == other) {
                ++k;
            }
        }
        from = k + 1;
    }
    if (from < text.size()) {
        lines.push_back({QStringView(text).mid(from), newPage});
    }
    return lines;
}

bool WriteWhole(const QString& fileName, const QByteArray& bytes)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        return false;
    }
    return file.commit();
}

} // namespace

bool TRichPane::LoadPlainText(const QString& fileName, int textStyle, int paraStyle, bool oneParagraph)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return false;
    }
    bytes.replace('\0', '?');
    const QString text = QString::fromLocal8Bit(bytes);
    const std::vector<TFileLine> lines = SplitFileLines(text);
    if (lines.empty()) {
        return true;
    }

    // The first line goes into the paragraph it starts, the others into blocks of their own that
    // copy the format of the block that opens them: new lines of that paragraph, or paragraphs.
    TRVInsertion first;
    first.AppendText(lines.front().Text);
    TRVInsertion later;
    later.Reserve(text.size());
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (i > 1) {
            later.AppendSeparator(QChar::ParagraphSeparator);
        }
        later.AppendText(lines[i].Text);
    }
    const QTextCharFormat charFormat = FStyle.CharFormat(textStyle);
    const auto insert = [&] {
        QTextCursor cursor(document());
        cursor.beginEditBlock();
        StartParagraph(cursor, textStyle, paraStyle);
        const int firstBlock = cursor.blockNumber();
        first.InsertAt(cursor, charFormat);
        if (lines.size() > 1) {
            QTextBlockFormat laterFormat = NewBlockFormat(paraStyle);
            if (oneParagraph) {
                laterFormat.setProperty(RVProperty::LineBlock, true);
            }
            cursor.insertBlock(laterFormat, charFormat);
            later.InsertAt(cursor, charFormat);
        }
        if (!oneParagraph) {
            // Page breaks only fall between paragraphs; inside one paragraph a form feed ends a line.
            QTextBlockFormat pageBreak;
            pageBreak.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            for (std::size_t i = 1; i < lines.size(); ++i) {
                if (lines[i].NewPage) {
                    QTextCursor(document()->findBlockByNumber(firstBlock + static_cast<int>(i)))
                        .mergeBlockFormat(pageBreak);
                }
            }
        }
        cursor.endEditBlock();
    };
    if (IsItemless(*document())) {
        Refill(insert);
    } else {
        // Qt lays out an insertion into a document that held text before the insertion returns,
        // all of it. Without a page size the layout waits; given its size back, it lays the whole
        // document out in steps, as Refill's.
        const QSizeF pageSize = document()->pageSize();
        const int anchor = textCursor().anchor();
        const int position = textCursor().position();
        document()->setPageSize(QSizeF(0, 0));
        insert();
        // A caret at the end moves along to the new end, and showing it there would lay out all.
        QTextCursor caret(document());
        caret.setPosition(anchor);
        caret.setPosition(position, QTextCursor::KeepAnchor);
        setTextCursor(caret);
        document()->setPageSize(pageSize);
    }
    ItemsChanged();
    return true;
}

bool TRichPane::SavePlainText(const QString& fileName, int /*lineWidth*/) const
{
    QString text;
    bool first = true;
    ForEachItem([&](const TRVItem& item, QStringView itemText) {
        if (!first && (item.NewParagraph || item.NewLine)) {
            text += QLatin1String("\r\n");
        }
        text += itemText;
        first = false;
    });
    QByteArray bytes;
    bytes.reserve(2 + 2 * text.size());
    bytes += "\xFF\xFE";
    for (const QChar c : std::as_const(text)) {
        bytes += static_cast<char>(c.unicode() & 0xFF);
        bytes += static_cast<char>(c.unicode() >> 8);
    }
    return WriteWhole(fileName, bytes);
}

bool TRichPane::SaveHtml(const QString& fileName, const QString& title, const QString& /*imagesPrefix*/,
                         int /*options*/) const
{
    THtmlPage page;
    page.Title = title;
    page.Background = palette().color(QPalette::Base);
    page.Margin = qRound(document()->documentMargin());
    return WriteWhole(fileName, DocumentHtml(*document(), FStyle, page));
}
