#pragma once
// Name comparison for property names: only the case of ASCII letters is ignored, so that no
// Unicode case folding (the Kelvin sign as "k", say) makes two different names meet.

#include <QStringView>

inline bool SameAsciiText(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x >= u'A' && x <= u'Z')
            x += u'a' - u'A';
        if (y >= u'A' && y <= u'Z')
            y += u'a' - u'A';
        if (x != y)
            return false;
    }
    return true;
}
