#include "PaneText.h"

#include "RichPane.h"
#include "TextTrim.h"
#include "UndoPause.h"

#include <QTextDocument>

QString GetPaneText(const TRichPane& pane)
{
    const QTextDocument& document = *pane.document();
    QString text;
    text.reserve(document.characterCount() + document.blockCount());
    pane.ForEachItem([&text](const TRVItem&, QStringView itemText) {
        text += itemText;
        text += QLatin1String("\r\n");
    });
    // TrimPaneText's rule, applied in place: the text can be large and always ends in CR LF.
    qsizetype end = text.size();
    while (end > 0 && IsTrimCharacter(text[end - 1].unicode())) {
        --end;
    }
    text.truncate(end);
    qsizetype begin = 0;
    while (begin < end && IsTrimCharacter(text[begin].unicode())) {
        ++begin;
    }
    text.remove(0, begin);
    return text;
}

void SetPaneText(TRichPane& pane, const QString& text)
{
    const QStringList lines = SplitMemoLines(text);
    {
        // Replaced text is no edit to undo, and undo records would cost as much as the insertion.
        const TUndoPause pause(*pane.document());
        pane.Refill([&] { pane.AddTextParagraphs(lines, 0, 0); });
    }
    pane.Format();
}

QStringList SplitMemoLines(const QString& text)
{
    QStringList lines;
    qsizetype from = 0;
    for (qsizetype end = text.indexOf(QLatin1String("\r\n")); end >= 0;
         end = text.indexOf(QLatin1String("\r\n"), from)) {
        lines.append(text.mid(from, end - from));
        from = end + 2;
    }
    if (from < text.size()) {
        lines.append(text.mid(from));
    }
    return lines;
}
