#include "SearchText.h"

namespace {

bool IsIgnoredMark(char16_t c)
{
    return (c >= 0x064B && c <= 0x065F) || c == 0x0670 || c == 0x0640;
}

char16_t FoldedLetter(char16_t c)
{
    switch (c) {
    case 0x0622: // alef with madda above
    case 0x0623: // alef with hamza above
    case 0x0625: // alef with hamza below
    case 0x0671: // alef wasla
        return 0x0627;
    case 0x0649: // alef maqsura
        return 0x064A;
    case 0x0629: // teh marbuta
        return 0x0647;
    default:
        return c;
    }
}

} // namespace

QString NormalizeSearchText(const QString& text)
{
    // Compatibility composition first: it turns presentation forms into plain letters and
    // composes a bare alef with a combining hamza or madda into the letter folded below.
    const QString composed = text.normalized(QString::NormalizationForm_KC).toCaseFolded();
    QString result;
    result.reserve(composed.size());
    for (const QChar ch : composed) {
        const char16_t c = ch.unicode();
        if (!IsIgnoredMark(c))
            result.append(QChar(FoldedLetter(c)));
    }
    return result;
}
