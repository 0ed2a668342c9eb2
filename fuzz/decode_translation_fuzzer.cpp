// Any answer text, lone surrogates included, gives either a translation or one of the fixed error
// texts, and never an exception.

#include "DecodeTranslation.h"
#include "FuzzSupport.h"

#include <QLatin1String>
#include <QString>

#include <cstddef>
#include <cstdint>

using namespace zorvanel::fuzz;

namespace {

// Continuation bytes after a lead byte; -1 for a byte that cannot lead.
int ContinuationCount(std::uint8_t lead)
{
    if (lead < 0x80) {
        return 0;
    }
    if (lead < 0xC2) {
        return -1;
    }
    if (lead < 0xE0) {
        return 1;
    }
    if (lead < 0xF0) {
        return 2;
    }
    return lead < 0xF5 ? 3 : -1;
}

// UTF-8 read loosely, so that the seeds stay readable JSON while every UTF-16 text can still be
// reached: the three-byte form of a surrogate gives that lone code unit, and any other bad
// sequence gives U+FFFD for its first byte.
QString LooseUtf8(const std::uint8_t* data, std::size_t size)
{
    QString text;
    text.reserve(qsizetype(size));
    std::size_t i = 0;
    while (i < size) {
        const std::uint8_t lead = data[i];
        const int extra = ContinuationCount(lead);
        if (extra == 0) {
            text += QChar(lead);
            ++i;
            continue;
        }
        char32_t code = extra < 0 ? 0 : lead & (0x3F >> extra);
        bool valid = extra > 0 && size - i > std::size_t(extra);
        for (int k = 1; valid && k <= extra; ++k) {
            const std::uint8_t next = data[i + std::size_t(k)];
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        constexpr char32_t Smallest[] = {0, 0x80, 0x800, 0x10000};
        if (!valid || code < Smallest[extra] || code > 0x10FFFF) {
            text += QChar(QChar::ReplacementCharacter);
            ++i;
            continue;
        }
        if (code > 0xFFFF) {
            text += QChar(QChar::highSurrogate(code));
            text += QChar(QChar::lowSurrogate(code));
        } else {
            text += QChar(char16_t(code));
        }
        i += std::size_t(extra) + 1;
    }
    return text;
}

bool IsFixedErrorText(const QString& text)
{
    for (const char* fixed : {ErrorConnectionClosed, ErrorTimedOut, ErrorEngineDisabled, ErrorTooManyRequests,
                              ErrorParseFailed}) {
        if (text == QLatin1String(fixed)) {
            return true;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString answer = LooseUtf8(data, size);
    // Stale values show whether both outputs are always set afresh.
    QString translation = QStringLiteral("stale translation");
    QString errorText = QStringLiteral("stale error");
    try {
        DecodeTranslation(answer, translation, errorText);
    } catch (...) {
        Broken("DecodeTranslation never throws");
    }
    if (!errorText.isEmpty()) {
        Require(IsFixedErrorText(errorText), "a failure is one of the fixed error texts");
        Require(translation.isEmpty(), "a failure leaves no translation");
    }
    return 0;
}
