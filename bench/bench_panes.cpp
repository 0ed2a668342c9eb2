// SetPaneText and GetPaneText on a 10,000-line bilingual text against QTextEdit's own plain-text
// calls on the same text, which are the floor for building and reading a document.

#include "PaneText.h"
#include "QtBenchmarkMain.h"
#include "RVStyle.h"
#include "RichPane.h"

#include <QApplication>
#include <QString>
#include <QTextCursor>
#include <QTextEdit>

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

constexpr int LineCount = 10000;

const char* const ArabicWords[] = {"مرحبا", "بالعالم", "الترجمة", "النص", "كتاب", "مدرسة", "جميل", "اليوم"};
const char* const EnglishWords[] = {"Hello", "world,", "the", "translation", "of", "this", "text", "today."};

// About 60 characters a line, Arabic and English words in turn, CR LF between lines.
const QString& BilingualText()
{
    static const QString text = [] {
        QString t;
        for (std::uint32_t line = 0; line < LineCount; ++line) {
            QString l;
            for (std::uint32_t w = 0; l.size() < 60; ++w) {
                l += QString::fromUtf8(((line + w) % 2 ? EnglishWords : ArabicWords)[(line * 3 + w * 5) % 8]);
                l += QLatin1Char(' ');
            }
            t += l;
            t += QLatin1String("\r\n");
        }
        return t;
    }();
    return text;
}

struct TPanes
{
    TRVStyle Style;
    TRichPane Pane{Style};
    QTextEdit Edit;

    TPanes()
    {
        Pane.resize(600, 400);
        Edit.resize(600, 400);
        Edit.setFont(Pane.font());
    }
};

TPanes& Panes()
{
    static TPanes panes;
    return panes;
}

void BM_SetPaneText(benchmark::State& state)
{
    const QString& text = BilingualText();
    for (auto _ : state) {
        SetPaneText(Panes().Pane, text);
    }
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}

void BM_SetPlainText(benchmark::State& state)
{
    const QString& text = BilingualText();
    for (auto _ : state) {
        Panes().Edit.setPlainText(text);
    }
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}

void BM_GetPaneText(benchmark::State& state)
{
    const QString& text = BilingualText();
    SetPaneText(Panes().Pane, text);
    for (auto _ : state) {
        benchmark::DoNotOptimize(GetPaneText(Panes().Pane));
    }
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}

// After an edit the pane reads its items from the document again.
void BM_GetPaneTextAfterEdit(benchmark::State& state)
{
    const QString& text = BilingualText();
    TRichPane& pane = Panes().Pane;
    SetPaneText(pane, text);
    for (auto _ : state) {
        state.PauseTiming();
        QTextCursor(pane.document()).insertText(QStringLiteral(" "));
        state.ResumeTiming();
        benchmark::DoNotOptimize(GetPaneText(pane));
    }
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}

void BM_ToPlainText(benchmark::State& state)
{
    const QString& text = BilingualText();
    Panes().Edit.setPlainText(text);
    for (auto _ : state) {
        benchmark::DoNotOptimize(Panes().Edit.toPlainText());
    }
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}

BENCHMARK(BM_SetPaneText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetPlainText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetPaneText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetPaneTextAfterEdit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToPlainText)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks<QApplication>(argc, argv);
}
