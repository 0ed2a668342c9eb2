#include "DecodeTranslation.h"

#include <QByteArray>
#include <QLatin1String>

#include <nlohmann/json.hpp>

#include <cstddef>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

// ordered_json: the text form of an object keeps the key order the answer gave it.
using json = nlohmann::ordered_json;

// dump() recurses once per level, so a hostile answer must not be allowed to nest without end.
constexpr std::size_t MaxNestingDepth = 512;

// Builds the answer's values as the reader meets them. The library's own builder looks every
// key up along the object's ordered member list, which makes an object of many members take
// quadratic time; here each open object keeps an index of its keys. A repeated key keeps its
// first place and takes the later value, as with the library's builder. The depth count aborts
// the parse as soon as the answer nests too deeply; parse errors come back as a false result
// instead of an exception.
class TAnswerBuilder
{
public:
    explicit TAnswerBuilder(json& result) : FRoot(result) {}

    bool null() { return Put(nullptr); }
    bool boolean(bool value) { return Put(value); }
    bool number_integer(json::number_integer_t value) { return Put(value); }
    bool number_unsigned(json::number_unsigned_t value) { return Put(value); }
    bool number_float(json::number_float_t value, const json::string_t&) { return Put(value); }
    bool string(json::string_t& value) { return Put(std::move(value)); }
    bool binary(json::binary_t& value) { return Put(std::move(value)); }
    bool key(json::string_t& name)
    {
        TOpenValue& object = FOpen.back();
        auto& members = static_cast<json::object_t::Container&>(object.Value->get_ref<json::object_t&>());
        const auto [at, added] = object.Keys.try_emplace(name, members.size());
        if (added)
            members.emplace_back(name, nullptr);
        FMember = &members[at->second].second;
        return true;
    }
    bool start_object(std::size_t) { return Open(json::object()); }
    bool end_object() { return Close(); }
    bool start_array(std::size_t) { return Open(json::array()); }
    bool end_array() { return Close(); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) { return false; }

private:
    struct TOpenValue
    {
        json* Value;
        std::unordered_map<std::string, std::size_t> Keys; // objects only: member index by key
    };

    // The next value goes to the root, to the end of the open array, or to the member just named.
    // A slot stays valid while its value is open: its container grows only once it is closed.
    json* Place(json&& value)
    {
        json* slot = &FRoot;
        if (!FOpen.empty()) {
            json& parent = *FOpen.back().Value;
            if (parent.is_array()) {
                json::array_t& elements = parent.get_ref<json::array_t&>();
                elements.emplace_back();
                slot = &elements.back();
            } else {
                slot = FMember;
            }
        }
        *slot = std::move(value);
        return slot;
    }
    bool Put(json&& value)
    {
        Place(std::move(value));
        return true;
    }
    bool Open(json&& value)
    {
        if (FOpen.size() >= MaxNestingDepth)
            return false;
        FOpen.push_back({Place(std::move(value)), {}});
        return true;
    }
    bool Close()
    {
        FOpen.pop_back();
        return true;
    }

    json& FRoot;
    std::vector<TOpenValue> FOpen;
    json* FMember = nullptr;
};

// Reads the first complete JSON value of the text; whatever follows it is ignored.
bool ParseFirstValue(const char* first, const char* last, json& result)
{
    TAnswerBuilder sax(result);
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
