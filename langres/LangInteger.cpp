#include "LangInteger.h"

#include "StrToInt.h"

namespace {

bool IsDecimal(const QString& text)
{
    const qsizetype first = text.startsWith(u'-') ? 1 : 0;
    if (first == text.size())
        return false;
    for (qsizetype i = first; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return false;
    }
    return true;
}

bool IsHexadecimal(const QString& text)
{
    return text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X');
}

} // namespace

std::optional<int> TryLangStrToInt(const QString& text)
{
    // The shape is checked here; digits and range are the settings rule's, which takes both forms.
    if (!IsDecimal(text) && !IsHexadecimal(text))
        return std::nullopt;
    return TryStrToInt(text);
}
