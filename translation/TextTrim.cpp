#include "TextTrim.h"

bool IsTrimCharacter(char16_t c)
{
    if (c <= 0x20 || (c >= 0x7F && c <= 0x9F)) {
        return true;
    }
    switch (c) {
    case 0x00A0:
    case 0x070F:
    case 0x1680:
    case 0x2028:
    case 0x202F:
    case 0x3000:
    case 0xFEFF:
        return true;
    default:
        break;
    }
    return (c >= 0x180B && c <= 0x180E) || (c >= 0x2000 && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x206A && c <= 0x206F) || (c >= 0xFFF9 && c <= 0xFFFB);
}

QString TrimPaneText(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsTrimCharacter(text[begin].unicode())) {
        ++begin;
    }
    while (end > begin && IsTrimCharacter(text[end - 1].unicode())) {
        --end;
    }
    return text.mid(begin, end - begin);
}
