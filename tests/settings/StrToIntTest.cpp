#include "StrToInt.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct TIntCase
{
    const char* FText;
    std::optional<int> FExpected;
};

constexpr int Min = std::numeric_limits<int>::min();
constexpr int Max = std::numeric_limits<int>::max();

const TIntCase Cases[] = {
    // decimal and signs
    {"0", 0},
    {"42", 42},
    {"007", 7},
    {"+5", 5},
    {"-5", -5},
    {"   12", 12},
    {"2147483647", Max},
    {"-2147483648", Min},
    {"2147483648", std::nullopt},
    {"-2147483649", std::nullopt},
    {"99999999999999999999", std::nullopt},
    // hexadecimal prefixes
    {"$1F", 31},
    {"x1f", 31},
    {"X1F", 31},
    {"0x1f", 31},
    {"0XaB", 171},
    {" -$10", -16},
    {"+0x10", 16},
    {"$7FFFFFFF", Max},
    {"$80000000", Min},
    {"$FFFFFFFF", -1},
    {"-$FFFFFFFF", 1},
    {"$000000001", 1},
    {"$100000000", std::nullopt},
    {"0x", std::nullopt},
    {"$", std::nullopt},
    {"x", std::nullopt},
    {"$G", std::nullopt},
    {"1F", std::nullopt},
    {"00x1", std::nullopt},
    {"0$1", std::nullopt},
    // what may not surround the digits
    {"", std::nullopt},
    {"   ", std::nullopt},
    {"+", std::nullopt},
    {"-", std::nullopt},
    {"12 ", std::nullopt},
    {"12a", std::nullopt},
    {"1.0", std::nullopt},
    {"- 1", std::nullopt},
    {"+-1", std::nullopt},
    {"\t1", std::nullopt},
    {"\xd9\xa1", std::nullopt},     // ARABIC-INDIC DIGIT ONE
    {"\xef\xbc\x91", std::nullopt}, // FULLWIDTH DIGIT ONE
};

TEST(TryStrToInt, ReadsDecimalAndHexadecimalWithinThirtyTwoBits)
{
    for (const TIntCase& c : Cases) {
        const std::optional<int> got = TryStrToInt(QString::fromUtf8(c.FText));
        EXPECT_EQ(got, c.FExpected) << '"' << c.FText << '"';
    }
}

} // namespace
