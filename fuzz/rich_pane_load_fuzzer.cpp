// Opening any file in a pane. An input of odd length is opened as the window opens files, into
// one paragraph; an even one gives a paragraph per line. Either way the pane's items hold the
// file's text, NUL bytes as "?", less its line ends, and a paragraph per line when asked.

#include "FuzzSupport.h"
#include "RVStyle.h"
#include "RichPane.h"

#include <QApplication>
#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>

using namespace zorvanel::fuzz;

namespace {

struct TPaneHost
{
    std::unique_ptr<QApplication> Application;
    std::unique_ptr<TRVStyle> Style;
    std::unique_ptr<TRichPane> Pane;
};

TPaneHost& Host()
{
    static TPaneHost host = [] {
        static int argc = 1;
        static char name[] = "fuzz_rich_pane_load";
        static char* argv[] = {name, nullptr};
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        TPaneHost made;
        made.Application = std::make_unique<QApplication>(argc, argv);
        made.Style = std::make_unique<TRVStyle>();
        made.Pane = std::make_unique<TRichPane>(*made.Style);
        made.Pane->resize(400, 300);
        return made;
    }();
    return host;
}

// Line ends as the pane counts them: CR LF and LF CR are one, a lone CR, LF or form feed is one,
// and text after the last of them is one more line.
qsizetype CountLines(const QString& text)
{
    qsizetype lines = 0;
    qsizetype k = 0;
    while (k < text.size()) {
        const QChar c = text[k];
        if (c == u'\r' || c == u'\n') {
            ++lines;
            const bool pair =
                k + 1 < text.size() && (text[k + 1] == u'\r' || text[k + 1] == u'\n') && text[k + 1] != c;
            k += pair ? 2 : 1;
        } else if (c == u'\f') {
            ++lines;
            ++k;
        } else {
            const qsizetype end = k;
            while (k < text.size() && text[k] != u'\r' && text[k] != u'\n' && text[k] != u'\f') {
                ++k;
            }
            if (k == text.size() && end < k) {
                ++lines;
            }
        }
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TRichPane& pane = *Host().Pane;
    static const QString path = ScratchPath(QStringLiteral("opened.txt"));
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    WriteScratchFile(path, bytes);
    const bool oneParagraph = size % 2 == 1;

    pane.Clear();
    Require(pane.LoadPlainText(path, 0, 0, oneParagraph), "a readable file opens");

    QString expected = QString::fromLocal8Bit(bytes.replace('\0', '?'));
    const qsizetype lines = CountLines(expected);
    expected.remove(QLatin1Char('\r')).remove(QLatin1Char('\n')).remove(QLatin1Char('\f'));

    QString shown;
    qsizetype paragraphs = 0;
    pane.ForEachItem([&](const TRVItem& item, QStringView text) {
        shown += text;
        paragraphs += item.NewParagraph ? 1 : 0;
    });
    Require(shown == expected, "the items hold the file's text less its line ends");
    Require(paragraphs == (lines == 0 ? 0 : oneParagraph ? 1 : lines), "a paragraph per line when asked");
    return 0;
}
