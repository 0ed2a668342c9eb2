#include "SearchQuery.h"

#include "SearchText.h"

#include <QStringList>

QString SearchMatchExpression(const QString& text)
{
    const QString normalized = NormalizeSearchText(text);
    const QStringList words = normalized.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    // While the last word is still being typed it is the beginning of a word.
    const bool typing = !words.isEmpty() && !normalized.back().isSpace();
    QStringList phrases;
    for (qsizetype i = 0; i < words.size(); ++i) {
        // Inside FTS5 double quotes only a doubled quote means anything: the word is a phrase of
        // the tokens it holds, never an operator, column filter or parenthesis.
        QString phrase = words[i];
        phrase.replace(QLatin1Char('"'), QLatin1String("\"\""));
        phrase = QLatin1Char('"') + phrase + QLatin1Char('"');
        if (typing && i == words.size() - 1)
            phrase += QLatin1String(" *");
        phrases.append(phrase);
    }
    return phrases.join(QLatin1Char(' '));
}
