// A large text file (8 MB, 200,000 mixed English and Arabic lines) opened into the input pane as
// the Open command does, and the main window's Swap of it, each against QTextEdit::setPlainText
// of the same text on a shown editor of the input pane's size and font.

#include "PaneText.h"
#include "QtBenchmarkMain.h"
#include "RichPane.h"
#include "TApplication.h"
#include "frm_Main.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QTextEdit>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

namespace {

constexpr int LineCount = 200000;
constexpr int LineBytes = 40; // 200,000 lines of 40 to 50 bytes with CR LF: about 8 MB

const char* const ArabicWords[] = {"مرحبا", "بالعالم", "الترجمة", "النص", "كتاب", "مدرسة", "جميل", "اليوم"};
const char* const EnglishWords[] = {"Hello", "world,", "the", "translation", "of", "this", "text", "today."};

// Lines alternate between mostly Arabic and mostly English words, CR LF between them.
QByteArray FileBytes()
{
    QByteArray bytes;
    bytes.reserve(LineCount * (LineBytes + 12));
    for (std::uint32_t line = 0; line < LineCount; ++line) {
        const qsizetype start = bytes.size();
        for (std::uint32_t w = 0; bytes.size() - start < LineBytes; ++w) {
            const bool english = (line + w / 3) % 2 == 1;
            bytes += (english ? EnglishWords : ArabicWords)[(line * 3 + w * 5) % 8];
            bytes += ' ';
        }
        bytes += "\r\n";
    }
    return bytes;
}

struct TFixture
{
    QTemporaryDir Dir;
    QString Path = Dir.filePath(QStringLiteral("large.txt"));
    QString Text; // the file's text with the line ends that QTextEdit reads as paragraphs
    std::unique_ptr<TfrmMain> Window;
    std::unique_ptr<QTextEdit> Edit;

    TFixture()
    {
        const QByteArray bytes = FileBytes();
        QFile file(Path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            qFatal("cannot write the benchmark's file");
        }
        file.close();
        Text = QString::fromUtf8(bytes).replace(QLatin1String("\r\n"), QLatin1String("\n"));
        Window = std::make_unique<TfrmMain>();
        Window->show();
        Edit = std::make_unique<QTextEdit>();
        Edit->setFont(Window->E1->font());
        Edit->resize(Window->E1->size());
        Edit->show();
    }

    // As the Open command does it.
    void Open() const
    {
        Window->E1->LoadPlainText(Path, 0, 0, true);
        Window->E1->Format();
    }
};

TFixture& Fixture()
{
    static TFixture fixture;
    return fixture;
}

void BM_SetPlainText(benchmark::State& state)
{
    TFixture& f = Fixture();
    for (auto _ : state) {
        state.PauseTiming();
        f.Edit->clear();
        state.ResumeTiming();
        f.Edit->setPlainText(f.Text);
    }
    f.Edit->clear();
    state.SetBytesProcessed(state.iterations() * f.Text.size() * 2);
}

void BM_LoadPlainText(benchmark::State& state)
{
    TFixture& f = Fixture();
    for (auto _ : state) {
        state.PauseTiming();
        f.Window->E1->Clear();
        state.ResumeTiming();
        f.Open();
    }
    f.Window->E1->Clear();
    state.SetBytesProcessed(state.iterations() * f.Text.size() * 2);
}

// Opening appends to what the pane holds: Qt lays out an insertion into a document that was not
// empty before the insertion returns.
void BM_LoadPlainTextAfterText(benchmark::State& state)
{
    TFixture& f = Fixture();
    for (auto _ : state) {
        state.PauseTiming();
        SetPaneText(*f.Window->E1, QStringLiteral("Held text"));
        f.Window->E1->moveCursor(QTextCursor::End); // as after typing it
        state.ResumeTiming();
        f.Open();
    }
    f.Window->E1->Clear();
    state.SetBytesProcessed(state.iterations() * f.Text.size() * 2);
}

// The opened file goes to the empty output pane, as right after Open.
void BM_btnSwapClick(benchmark::State& state)
{
    TFixture& f = Fixture();
    for (auto _ : state) {
        state.PauseTiming();
        f.Window->E2->Clear();
        f.Window->E1->Clear();
        f.Open();
        state.ResumeTiming();
        f.Window->btnSwapClick();
    }
    f.Window->E2->Clear();
    state.SetBytesProcessed(state.iterations() * f.Text.size() * 2);
}

// Copy reads the pane as Swap does; the clipboard's own cost is the platform's.
void BM_GetPaneTextOfOpenedFile(benchmark::State& state)
{
    TFixture& f = Fixture();
    f.Window->E1->Clear();
    f.Open();
    for (auto _ : state) {
        benchmark::DoNotOptimize(GetPaneText(*f.Window->E1));
    }
    f.Window->E1->Clear();
    state.SetBytesProcessed(state.iterations() * f.Text.size() * 2);
}

BENCHMARK(BM_SetPlainText)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_LoadPlainText)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_LoadPlainTextAfterText)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_btnSwapClick)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_GetPaneTextOfOpenedFile)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks<TApplication>(argc, argv);
}
