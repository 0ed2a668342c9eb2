#include "DecodeTranslation.h"

#include <QByteArray>
#include <QLatin1String>

#include <nlohmann/json.hpp>

#include <cstddef>
#include <string>

namespace {

using json = nlohmann::json;

// dump() recurses once per level, so a hostile answer must not be allowed to nest without end.
constexpr int MaxNestingDepth = 512;

// The library's own DOM builder, with a depth count that aborts the parse as soon as the answer
// nests too deeply; parse errors come back as a false result instead of an exception.
class TDepthLimitedDomParser
{
public:
    explicit TDepthLimitedDomParser(json& result) : FDom(result, false) {}

    bool null() { return FDom.null(); }
    bool boolean(bool value) { return FDom.boolean(value); }
    bool number_integer(json::number_integer_t value) { return FDom.number_integer(value); }
    bool number_unsigned(json::number_unsigned_t value) { return FDom.number_unsigned(value); }
    bool number_float(json::number_float_t value, const json::string_t& text)
    {
        return FDom.number_float(value, text);
    }
    bool string(json::string_t& value) { return FDom.string(value); }
    bool binary(json::binary_t& value) { return FDom.binary(value); }
    bool key(json::string_t& value) { return FDom.key(value); }
    bool start_object(std::size_t size) { return Enter() && FDom.start_object(size); }
    bool end_object()
    {
        --FDepth;
        return FDom.end_object();
    }
    bool start_array(std::size_t size) { return Enter() && FDom.start_array(size); }
    bool end_array()
    {
        --FDepth;
        return FDom.end_array();
    }
    bool parse_error(std::size_t position, const std::string& lastToken,
                     const nlohmann::detail::exception& ex)
    {
        return FDom.parse_error(position, lastToken, ex);
    }

private:
    bool Enter() { return ++FDepth <= MaxNestingDepth; }

    nlohmann::detail::json_sax_dom_parser<json> FDom;
    int FDepth = 0;
};

// Reads the first complete JSON value of the text; whatever follows it is ignored.
bool ParseFirstValue(const char* first, const char* last, json& result)
{
    TDepthLimitedDomParser sax(result);
    return json::sax_parse(first, last, &sax, json::input_format_t::json, /*strict=*/false);
}

// Appends the text form of a value: a string bare, everything else as compact JSON text.
void AppendTextForm(const json& value, std::string& out)
{
    switch (value.type()) {
    case json::value_t::string:
        out += value.get_ref<const json::string_t&>();
        break;
    case json::value_t::null:
        out += "null";
        break;
    case json::value_t::boolean:
        out += value.get<bool>() ? "true" : "false";
        break;
    default:
        out += value.dump();
        break;
    }
}

// The array that the text form of a value parses back to, or nullptr when it is no array. The
// compact text of an array parses back to the same array, so only a string needs a real parse;
// null, booleans, numbers and objects (and the empty text of a missing element) never come back
// as arrays.
const json* ReparsedAsArray(const json& value, json& storage)
{
    if (value.is_array())
        return &value;
    if (!value.is_string())
        return nullptr;
    const json::string_t& text = value.get_ref<const json::string_t&>();
    if (!ParseFirstValue(text.data(), text.data() + text.size(), storage) || !storage.is_array())
        return nullptr;
    return &storage;
}

// The concatenated element-0 texts of the segments, or false when the answer has no usable shape.
bool DecodeSegments(const QByteArray& utf8, std::string& text)
{
    json top;
    if (!ParseFirstValue(utf8.constData(), utf8.constData() + utf8.size(), top) || !top.is_array() ||
        top.empty())
        return false;

    json listStorage;
    const json* segments = ReparsedAsArray(top.front(), listStorage);
    if (!segments)
        return false;

    for (const json& element : *segments) {
        json segmentStorage;
        const json* segment = ReparsedAsArray(element, segmentStorage);
        if (!segment)
            return false;
        if (!segment->empty())
            AppendTextForm(segment->front(), text);
    }
    return true;
}

// The fixed error text of a failure text of the HTTP client, compared whole and exactly, or
// nullptr when the text is not one of them.
const char* FixedErrorFor(const QString& answer)
{
    if (answer == QLatin1String("Connection Closed Gracefully."))
        return ErrorConnectionClosed;
    if (answer == QLatin1String("Socket Error # 10060\r\nConnection timed out."))
        return ErrorTimedOut;
    if (answer == QLatin1String("HTTP/1.1 403 Forbidden"))
        return ErrorEngineDisabled;
    if (answer == QLatin1String("HTTP/1.1 429 Too Many Requests"))
        return ErrorTooManyRequests;
    return nullptr;
}

void Fail(QString& translation, QString& errorText, const char* message)
{
    translation.clear();
    errorText = QString::fromLatin1(message);
}

} // namespace

void DecodeTranslation(const QString& answer, QString& translation, QString& errorText)
{
    translation.clear();
    errorText.clear();

    if (const char* fixed = FixedErrorFor(answer))
        return Fail(translation, errorText, fixed);

    // Whatever the answer holds, the caller gets a text back and never an exception: the library
    // throws on invalid UTF-8 in dump(), and memory may run out on a huge answer.
    try {
        std::string text;
        if (!DecodeSegments(answer.toUtf8(), text))
            return Fail(translation, errorText, ErrorParseFailed);
        translation = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    } catch (...) {
        Fail(translation, errorText, ErrorParseFailed);
    }
}

QString TranslationFailureText(const QString& failure)
{
    if (const char* fixed = FixedErrorFor(failure))
        return QString::fromLatin1(fixed);
    QString text = failure;
    return text.replace(QLatin1String("\r\n"), QLatin1String(" "));
}
