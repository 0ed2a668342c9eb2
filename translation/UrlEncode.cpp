#include "UrlEncode.h"

#include <array>
#include <cstring>

namespace {

// What one input byte becomes: up to three output characters and how many of them count. The
// four bytes are copied as one block, so the loop needs no branch on the byte's class.
struct TEncodedByte
{
    char Chars[3];
    unsigned char Length;
};

constexpr bool IsKeptAsIs(unsigned char c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
        return true;
    switch (c) {
    case '!':
    case '$':
    case '\'':
    case '(':
    case ')':
    case '*':
    case '-':
    case '.':
    case '@':
    case '_':
        return true;
    default:
        return false;
    }
}

constexpr std::array<TEncodedByte, 256> MakeTable()
{
    constexpr char Hex[] = "0123456789ABCDEF";
    std::array<TEncodedByte, 256> table{};
    for (int i = 0; i < 256; ++i) {
        const auto c = static_cast<unsigned char>(i);
        if (IsKeptAsIs(c))
            table[i] = {{static_cast<char>(c), 0, 0}, 1};
        else if (c == ' ')
            table[i] = {{'+', 0, 0}, 1};
        else
            table[i] = {{'%', Hex[c >> 4], Hex[c & 0xF]}, 3};
    }
    return table;
}

constexpr std::array<TEncodedByte, 256> EncodeTable = MakeTable();
static_assert(sizeof(TEncodedByte) == 4);

} // namespace

QByteArray UrlEncode(const QByteArray& bytes)
{
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.constData());
    // Nothing after a zero byte is encoded; finding it first keeps the loop free of the test.
    const void* zero = std::memchr(in, 0, static_cast<size_t>(bytes.size()));
    const auto* end = zero ? static_cast<const unsigned char*>(zero) : in + bytes.size();

    // Each block write may spill one byte past the last character, hence the extra byte.
    QByteArray result(3 * (end - in) + 1, Qt::Uninitialized);
    char* const begin = result.data();
    char* out = begin;
    for (; in != end; ++in) {
        const TEncodedByte& e = EncodeTable[*in];
        std::memcpy(out, &e, sizeof e);
        out += e.Length;
    }
    result.resize(out - begin);
    return result;
}
