#include "DecodeTranslation.h"
#include "UrlEncode.h"

#include <QByteArray>
#include <QString>

#include <benchmark/benchmark.h>
#include <nlohmann/json.hpp>

#include <cstdint>

namespace {

constexpr qsizetype OneMiB = 1024 * 1024;
constexpr int SegmentCount = 5000;

const char* const ArabicWords[] = {"مرحبا", "بالعالم", "الترجمة", "النص", "كتاب", "مدرسة", "جميل", "اليوم"};
const char* const EnglishWords[] = {"Hello", "world,", "the", "translation", "of", "this", "text", "today."};

// Arabic and English words in turn, as a pasted bilingual document reads.
QByteArray MixedUtf8(qsizetype size)
{
    QByteArray bytes;
    bytes.reserve(size + 64);
    for (std::uint32_t i = 0; bytes.size() < size; ++i) {
        bytes += ArabicWords[i % 8];
        bytes += ' ';
        bytes += EnglishWords[(i * 5) % 8];
        bytes += (i % 16 == 15) ? "\r\n" : " ";
    }
    bytes.truncate(size);
    return bytes;
}

QString Words(const char* const* words, std::uint32_t seed, int count)
{
    QString text;
    for (int i = 0; i < count; ++i) {
        if (i)
            text += QLatin1Char(' ');
        text += QString::fromUtf8(words[(seed + static_cast<std::uint32_t>(i) * 3) % 8]);
    }
    return text;
}

// An answer shaped like the endpoint's: per segment the Arabic translation, the English source,
// nulls and numbers; after the segment list the detected language and confidence data.
QString GeneratedAnswer()
{
    nlohmann::json segments = nlohmann::json::array();
    for (int i = 0; i < SegmentCount; ++i) {
        const auto seed = static_cast<std::uint32_t>(i);
        segments.push_back({Words(ArabicWords, seed, 10).toStdString() + " ",
                            Words(EnglishWords, seed, 9).toStdString() + " ", nullptr, nullptr, 3 + i % 8,
                            nullptr, nullptr, nlohmann::json::array({nlohmann::json::array()}),
                            nlohmann::json::array({nlohmann::json::array({nullptr, i})})});
    }
    nlohmann::json answer = {segments,
                             nullptr,
                             "en",
                             nullptr,
                             nullptr,
                             nullptr,
                             0.98,
                             nlohmann::json::array(),
                             {{"en"}, nullptr, {0.98}, {"en"}}};
    return QString::fromStdString(answer.dump());
}

void BM_UrlEncode(benchmark::State& state)
{
    const QByteArray input = MixedUtf8(OneMiB);
    for (auto _ : state)
        benchmark::DoNotOptimize(UrlEncode(input));
    state.SetBytesProcessed(state.iterations() * input.size());
}
BENCHMARK(BM_UrlEncode);

void BM_DecodeTranslation(benchmark::State& state)
{
    const QString answer = GeneratedAnswer();
    QString translation;
    QString error;
    for (auto _ : state) {
        DecodeTranslation(answer, translation, error);
        benchmark::DoNotOptimize(translation);
    }
    if (!error.isEmpty())
        state.SkipWithError("the generated answer did not decode");
    state.SetBytesProcessed(state.iterations() * answer.toUtf8().size());
    state.counters["answer_bytes"] = static_cast<double>(answer.toUtf8().size());
}
BENCHMARK(BM_DecodeTranslation)->Unit(benchmark::kMillisecond);

// What one plain parse of the same bytes costs; the decoder is held to twice this.
void BM_JsonParseBaseline(benchmark::State& state)
{
    const QByteArray bytes = GeneratedAnswer().toUtf8();
    for (auto _ : state)
        benchmark::DoNotOptimize(nlohmann::json::parse(bytes.constData(), bytes.constData() + bytes.size()));
    state.SetBytesProcessed(state.iterations() * bytes.size());
    state.counters["answer_bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_JsonParseBaseline)->Unit(benchmark::kMillisecond);

} // namespace
