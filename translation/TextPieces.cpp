#include "TextPieces.h"

#include <algorithm>

namespace {

// White space that may end a piece. The no-break spaces keep their words together.
bool IsCutSpace(QChar c)
{
    return c.isSpace() && c != QChar(0x00A0) && c != QChar(0x2007) && c != QChar(0x202F);
}

bool IsSentenceEnd(QChar c)
{
    return c == u'.' || c == u'!' || c == u'?' || c == QChar(0x061F) || c == QChar(0x2026);
}

bool IsLineEnd(QChar c)
{
    return c == u'\n';
}

// The UTF-16 index after count code points from from, or -1 when fewer than count follow.
qsizetype IndexAfterCodePoints(const QString& text, qsizetype from, qsizetype count)
{
    qsizetype i = from;
    for (qsizetype n = 0; n < count; ++n) {
        if (i >= text.size()) {
            return -1;
        }
        i += text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
    }
    return i;
}

char32_t CodePointAt(const QString& text, qsizetype i)
{
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
        return QChar::surrogateToUcs4(text[i], text[i + 1]);
    }
    return text[i].unicode();
}

bool IsCombiningMark(char32_t codePoint)
{
    switch (QChar::category(codePoint)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return true;
    default:
        return false;
    }
}

// The last position p in (start, limit] where the text's character p satisfies the test, with
// the character before it given too; -1 when there is none.
template <class TTest> qsizetype LastCut(const QString& text, qsizetype start, qsizetype limit, TTest test)
{
    for (qsizetype p = std::min(limit, text.size() - 1); p > start; --p) {
        if (test(text[p - 1], text[p])) {
            return p;
        }
    }
    return -1;
}

// Where a piece that has to be cut short at limit ends without a separator: before the letter
// whose marks would otherwise start the next piece.
qsizetype HardCut(const QString& text, qsizetype start, qsizetype limit)
{
    qsizetype p = limit;
    while (p > start && IsCombiningMark(CodePointAt(text, p))) {
        p -= p >= 2 && text[p - 1].isLowSurrogate() && text[p - 2].isHighSurrogate() ? 2 : 1;
    }
    return p > start ? p : limit;
}

} // namespace

TTextPieces CutIntoPieces(const QString& text, qsizetype maxLength)
{
    TTextPieces result;
    qsizetype start = 0;
    while (true) {
        const qsizetype limit = IndexAfterCodePoints(text, start, maxLength);
        if (limit < 0 || limit >= text.size()) {
            result.Pieces.append(text.mid(start));
            return result;
        }
        qsizetype cut = LastCut(text, start, limit, [](QChar, QChar c) { return IsLineEnd(c); });
        if (cut < 0) {
            cut = LastCut(text, start, limit,
                          [](QChar before, QChar c) { return IsCutSpace(c) && IsSentenceEnd(before); });
        }
        if (cut < 0) {
            cut = LastCut(text, start, limit, [](QChar, QChar c) { return IsCutSpace(c); });
        }
        qsizetype separatorStart = cut;
        qsizetype separatorEnd = cut;
        if (cut < 0) {
            separatorStart = separatorEnd = HardCut(text, start, limit);
        } else {
            // The whole run of white space at the cut goes between the pieces: a blank line
            // between paragraphs stays one.
            while (separatorStart - 1 > start && IsCutSpace(text[separatorStart - 1])) {
                --separatorStart;
            }
            while (separatorEnd < text.size() && IsCutSpace(text[separatorEnd])) {
                ++separatorEnd;
            }
            if (separatorEnd == text.size()) {
                // Only white space follows, which has nothing to translate.
                result.Pieces.append(text.mid(start, separatorStart - start));
                return result;
            }
        }
        result.Pieces.append(text.mid(start, separatorStart - start));
        result.Separators.append(text.mid(separatorStart, separatorEnd - separatorStart));
        start = separatorEnd;
    }
}

QString JoinTranslatedPieces(const QStringList& translations, const QStringList& separators)
{
    QString joined;
    for (qsizetype i = 0; i < translations.size(); ++i) {
        if (i > 0) {
            joined += separators.value(i - 1);
        }
        joined += translations[i];
    }
    return joined;
}
