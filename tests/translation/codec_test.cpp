#include "DecodeTranslation.h"
#include "TranslationRequest.h"
#include "UrlEncode.h"

#include <QByteArray>
#include <QString>

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

// Readable failure messages: gtest would otherwise print a QString as a list of raw UTF-16 units.
void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

const QByteArray BaseUrl = "https://translate.example.test";

// ---------------------------------------------------------------------------------------------
// UrlEncode

struct TEncodeCase
{
    const char* Name;
    QByteArray Input;
    QByteArray Expected;
};

TEST(UrlEncode, KnownInputs)
{
    const std::vector<TEncodeCase> cases = {
        {"space", "Hello world", "Hello+world"},
        {"two-byte UTF-8", "\xC3\xA9", "%C3%A9"},
        {"form delimiters", "a+b&c=d", "a%2Bb%26c%3Dd"},
        {"tilde", "~", "%7E"},
        {"solidus", "/", "%2F"},
        {"CR LF", "\r\n", "%0D%0A"},
        {"tab", "\t", "%09"},
        {"kept punctuation", "!$'()*-.@_", "!$'()*-.@_"},
        {"letters and digits", "AZaz09", "AZaz09"},
        {"percent and DEL", QByteArray("%\x7F\xFF"), "%25%7F%FF"},
        {"empty", "", ""},
        {"zero byte stops", QByteArray("ab\0cd", 5), "ab"},
        {"zero byte first", QByteArray("\0abc", 4), ""},
    };
    for (const TEncodeCase& c : cases)
        EXPECT_EQ(UrlEncode(c.Input), c.Expected) << c.Name;
}

// An independent statement of the rule for one byte.
QByteArray ExpectedForByte(unsigned char b)
{
    if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') ||
        (b != 0 && std::strchr("!$'()*-.@_", b)))
        return QByteArray(1, static_cast<char>(b));
    if (b == ' ')
        return "+";
    return QByteArray("%") + QByteArray::number(b, 16).rightJustified(2, '0').toUpper();
}

TEST(UrlEncode, EveryByteValueAloneAndInSequence)
{
    QByteArray all;
    QByteArray expectedAll;
    for (int i = 1; i < 256; ++i) {
        const auto b = static_cast<unsigned char>(i);
        const QByteArray one(1, static_cast<char>(b));
        EXPECT_EQ(UrlEncode(one), ExpectedForByte(b)) << "byte " << i;
        all += one;
        expectedAll += ExpectedForByte(b);
    }
    // All values in one run: kept and escaped bytes mixed, as they are in real text.
    EXPECT_EQ(UrlEncode(all), expectedAll);
    EXPECT_EQ(UrlEncode(all + all), expectedAll + expectedAll);
}

// ---------------------------------------------------------------------------------------------
// Request composition

TEST(ComposeTranslationRequest, ShortTextGoesByGetWithTheWholeQuery)
{
    const TTranslationRequest r =
        ComposeTranslationRequest(BaseUrl, QStringLiteral("Hello world"), "en", "ar", "gtx");
    EXPECT_FALSE(r.IsPost);
    EXPECT_EQ(r.Url, BaseUrl + "/translate_a/single?client=gtx&sl=en&tl=ar&dt=t&q=Hello+world");
    EXPECT_TRUE(r.FormLines.isEmpty());
}

TEST(ComposeTranslationRequest, LongTextGoesByPostWithOrderedFormLines)
{
    const QString text = QString(1000, QLatin1Char('a')) + QLatin1Char(' ') + QString(1000, QChar(0x0645));
    const QByteArray encoded = UrlEncode(text.toUtf8());
    const TTranslationRequest r = ComposeTranslationRequest(BaseUrl, text, "ar", "en", "at");
    EXPECT_TRUE(r.IsPost);
    EXPECT_EQ(r.Url, BaseUrl + "/translate_a/single");
    const QList<QByteArray> expected = {"client=at", "dt=t", "q=" + encoded, "sl=ar", "tl=en"};
    EXPECT_EQ(r.FormLines, expected);
}

struct TThresholdCase
{
    const char* Name;
    QString Text;
    qsizetype EncodedSize;
    bool IsPost;
};

TEST(ComposeTranslationRequest, EncodedLengthAloneChoosesTheMethod)
{
    const QChar alef(0x0627); // two UTF-8 bytes, six once encoded
    const std::vector<TThresholdCase> cases = {
        {"1959 ASCII letters", QString(1959, QLatin1Char('x')), 1959, false},
        {"1960 ASCII letters", QString(1960, QLatin1Char('x')), 1960, true},
        {"326 Arabic letters", QString(326, alef), 1956, false},
        {"327 Arabic letters", QString(327, alef), 1962, true},
        {"653 tildes", QString(653, QLatin1Char('~')), 1959, false},
    };
    for (const TThresholdCase& c : cases) {
        const TTranslationRequest r = ComposeTranslationRequest(BaseUrl, c.Text, "en", "ar", "gtx");
        EXPECT_EQ(r.IsPost, c.IsPost) << c.Name;
        const QByteArray q = r.IsPost ? r.FormLines.value(2) : r.Url.mid(r.Url.indexOf("&q="));
        EXPECT_EQ(q.size() - (r.IsPost ? 2 : 3), c.EncodedSize) << c.Name;
    }
}

TEST(ComposeTranslationRequest, SurrogatePairBecomesOneFourByteSequence)
{
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80"); // U+1F600
    const TTranslationRequest r = ComposeTranslationRequest(BaseUrl, emoji, "en", "ar", "gtx");
    EXPECT_TRUE(r.Url.endsWith("&q=%F0%9F%98%80")) << r.Url.constData();
}

// ---------------------------------------------------------------------------------------------
// DecodeTranslation

struct TDecodeCase
{
    const char* Name;
    QString Answer;
    QString Translation;
    const char* Error;
};

QString U(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

const QString Typical = U(R"([[["AB ","x",null,null,1],["CD","y",null,null,1]],null,"en"])");

void ExpectDecodes(const std::vector<TDecodeCase>& cases)
{
    for (const TDecodeCase& c : cases) {
        // Leftovers from an earlier call must not survive.
        QString translation = QStringLiteral("stale");
        QString error = QStringLiteral("stale");
        DecodeTranslation(c.Answer, translation, error);
        EXPECT_EQ(translation, c.Translation) << c.Name;
        EXPECT_EQ(error, QString::fromLatin1(c.Error)) << c.Name;
    }
}

TEST(DecodeTranslation, FixedFailureTextsMatchOnlyExactly)
{
    ExpectDecodes({
        {"closed", U("Connection Closed Gracefully."), {}, ErrorConnectionClosed},
        {"timed out", U("Socket Error # 10060\r\nConnection timed out."), {}, ErrorTimedOut},
        {"403", U("HTTP/1.1 403 Forbidden"), {}, ErrorEngineDisabled},
        {"429", U("HTTP/1.1 429 Too Many Requests"), {}, ErrorTooManyRequests},
        {"403 trailing space", U("HTTP/1.1 403 Forbidden "), {}, ErrorParseFailed},
        {"403 lower case", U("http/1.1 403 forbidden"), {}, ErrorParseFailed},
        {"closed lower case", U("connection closed gracefully."), {}, ErrorParseFailed},
        {"timed out with bare LF", U("Socket Error # 10060\nConnection timed out."), {}, ErrorParseFailed},
        {"other status", U("HTTP/1.1 500 Internal Server Error"), {}, ErrorParseFailed},
    });
}

TEST(DecodeTranslation, AnswersThatAreNoTopLevelArrayFail)
{
    ExpectDecodes({
        {"null string", QString(), {}, ErrorParseFailed},
        {"empty", U(""), {}, ErrorParseFailed},
        {"whitespace only", U(" \r\n\t "), {}, ErrorParseFailed},
        {"HTML page", U("<html><body><h1>Error 404</h1></body></html>"), {}, ErrorParseFailed},
        {"object", U(R"({"sentences":[{"trans":"x"}]})"), {}, ErrorParseFailed},
        {"bare string", U(R"("AB")"), {}, ErrorParseFailed},
        {"bare number", U("7"), {}, ErrorParseFailed},
        {"unterminated", U(R"([[["AB)"), {}, ErrorParseFailed},
        {"unclosed array", U(R"([[["AB"]])"), {}, ErrorParseFailed},
        {"trailing comma", U("[[[1],]]"), {}, ErrorParseFailed},
        {"bad escape", U(R"([[["\x"]]])"), {}, ErrorParseFailed},
        {"lone surrogate escape", U(R"([[["\ud800"]]])"), {}, ErrorParseFailed},
        {"control bytes", U("\x01\x02\x03"), {}, ErrorParseFailed},
        {"single quotes", U("[[['AB']]]"), {}, ErrorParseFailed},
    });
}

TEST(DecodeTranslation, JoinsTheElementZeroTextsOfAllSegments)
{
    ExpectDecodes({
        {"typical", Typical, U("AB CD"), ""},
        {"followed by a second value", Typical + U(R"( [[["EF"]]])"), U("AB CD"), ""},
        {"followed by garbage", Typical + U("}}<html>"), U("AB CD"), ""},
        {"leading whitespace", U("\r\n  ") + Typical, U("AB CD"), ""},
        {"null and string", U(R"([[[null],["Z"]]])"), U("nullZ"), ""},
        {"integer", U(R"([[[7,"x"]]])"), U("7"), ""},
        {"negative and big integers", U("[[[-3],[18446744073709551615]]]"), U("-318446744073709551615"), ""},
        {"fraction", U("[[[1.5]]]"), U("1.5"), ""},
        {"booleans", U("[[[true],[false]]]"), U("truefalse"), ""},
        {"empty segment", U(R"([[["A"],[],["B"]]])"), U("AB"), ""},
        {"empty segment list", U("[[]]"), U(""), ""},
        {"escaped line break", U(R"([[["one\ntwo"],["\r\nthree"]]])"), U("one\ntwo\r\nthree"), ""},
        {"escapes and quotes", U(R"([[["say \"hi\"\\\/\t\u0041"]]])"), U("say \"hi\"\\/\tA"), ""},
        {"Arabic", U(R"([[["مرحبا بالعالم","Hello world"]]])"), U("مرحبا بالعالم"), ""},
        {"non-BMP raw and escaped", U(R"([[["😀 \ud83d\ude00"]]])"), U("😀 😀"), ""},
        {"array element 0 as compact text", U(R"([[[ [ "م" , 1 , null ] ]]])"), U(R"(["م",1,null])"), ""},
        {"object element 0 as compact text", U(R"([[[{ "k" : "v", "n" : [1, 2] }]]])"),
         U(R"({"k":"v","n":[1,2]})"), ""},
        {"object keeps its own key order", U(R"([[[{"b":1,"a":{"z":0,"y":[{"d":1,"c":2}]}}]]])"),
         U(R"({"b":1,"a":{"z":0,"y":[{"d":1,"c":2}]}})"), ""},
        {"repeated key keeps its first place and its last value", U(R"([[[{"a":1,"b":[2],"a":{"c":3}}]]])"),
         U(R"({"a":{"c":3},"b":[2]})"), ""},
        {"segment list held in a string", U(R"(["[[\"A\",1],[\"B\"]] trailing"])"), U("AB"), ""},
        {"segment held in a string", U(R"([["[\"S\",null]",["T"]]])"), U("ST"), ""},
        {"element 0 string is not parsed again", U(R"([[["[1, 2]"]]])"), U("[1, 2]"), ""},
    });
}

TEST(DecodeTranslation, SegmentListOrSegmentThatIsNoArrayFails)
{
    ExpectDecodes({
        {"empty top", U("[]"), {}, ErrorParseFailed},
        {"number list", U("[1]"), {}, ErrorParseFailed},
        {"null list", U("[null]"), {}, ErrorParseFailed},
        {"object list", U(R"([{"a":[1]}])"), {}, ErrorParseFailed},
        {"number segment", U("[[1]]"), {}, ErrorParseFailed},
        {"null segment", U("[[null]]"), {}, ErrorParseFailed},
        {"string list that is no JSON", U(R"(["x"])"), {}, ErrorParseFailed},
        {"string list holding a number", U(R"(["12"])"), {}, ErrorParseFailed},
        {"empty string list", U(R"([""])"), {}, ErrorParseFailed},
        {"string segment that is no JSON", U(R"([["x"]])"), {}, ErrorParseFailed},
        {"bad segment after good ones", U(R"([[["A"],["B"],5]])"), {}, ErrorParseFailed},
    });
}

TEST(DecodeTranslation, DeepNestingIsRefusedWithoutCrashing)
{
    // The top array, the segment list and the segment take three of the levels; element 0 keeps the rest.
    const auto nested = [](int depth) {
        return QString(depth, QLatin1Char('[')) + QString(depth, QLatin1Char(']'));
    };
    const int limit = 512;
    const QString deepest = nested(limit - 3);
    ExpectDecodes({
        {"at the limit", nested(limit), deepest, ""},
        {"one past the limit", nested(limit + 1), {}, ErrorParseFailed},
        {"far past the limit", nested(200000), {}, ErrorParseFailed},
        {"unclosed", QString(200000, QLatin1Char('[')), {}, ErrorParseFailed},
        {"objects", QString(200000, QLatin1Char('{')), {}, ErrorParseFailed},
        {"inside a string parsed again", U("[\"") + nested(200000) + U("\"]"), {}, ErrorParseFailed},
    });
}

TEST(TranslationFailureText, FixedTextWhereThereIsOneElseTheFailureOnOneLine)
{
    struct TCase
    {
        QString Failure;
        QString Shown;
    };
    const TCase cases[] = {
        {U("Connection Closed Gracefully."), U(ErrorConnectionClosed)},
        {U("Socket Error # 10060\r\nConnection timed out."), U(ErrorTimedOut)},
        {U("HTTP/1.1 403 Forbidden"), U(ErrorEngineDisabled)},
        {U("HTTP/1.1 429 Too Many Requests"), U(ErrorTooManyRequests)},
        {U("Socket Error # 11001\r\nHost not found."), U("Socket Error # 11001 Host not found.")},
        {U("Socket Error # 4242\r\n"), U("Socket Error # 4242 ")},
        {U("Error connecting with SSL.\r\nbad\r\r\ncert\n"), U("Error connecting with SSL. bad\r cert\n")},
        {U("HTTP/1.1 500 Internal Server Error"), U("HTTP/1.1 500 Internal Server Error")},
        // A failure is shown as it is, even one that would parse as an answer.
        {U(R"([[["AB"]]])"), U(R"([[["AB"]]])")},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(TranslationFailureText(c.Failure), c.Shown) << c.Failure.toStdString();
}

TEST(DecodeTranslation, LoneSurrogatesInTheAnswerDoNotBreakDecoding)
{
    QString answer = U(R"([[["a)");
    answer += QChar(0xD800);
    answer += U(R"(b"],["c)");
    answer += QChar(0xDC00);
    answer += U(R"("]]])");
    QString translation;
    QString error;
    DecodeTranslation(answer, translation, error);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    // Each lone half becomes one replacement character; the text around it is kept.
    ASSERT_EQ(translation.size(), 5);
    EXPECT_EQ(translation.at(0), QLatin1Char('a'));
    EXPECT_EQ(translation.mid(2, 2), U("bc"));

    // Garbage made only of lone halves.
    DecodeTranslation(QString(3, QChar(0xDBFF)), translation, error);
    EXPECT_EQ(error, QString::fromLatin1(ErrorParseFailed));
}

} // namespace
