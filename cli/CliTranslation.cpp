#include "CliTranslation.h"

#include "AppSettings.h"
#include "CliClient.h"
#include "CliHistory.h"
#include "HistoryEntry.h"
#include "HttpClient.h"
#include "MyThread.h"
#include "TextTrim.h"
#include "TranslationResult.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace {

// Receives the worker's report; the event loop ends when the worker is gone.
class TCliReceiver : public QObject
{
public:
    QEvent::Type Received = QEvent::None;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == WM_TRANSLATION_DONE || e->type() == WM_TRANSLATION_FAILED) {
            Received = e->type();
            return true;
        }
        return QObject::event(e);
    }
};

// SIGINT reaches the event loop through a pipe, the one thing a signal handler may safely do.
int InterruptPipe[2] = {-1, -1};

extern "C" void OnInterrupt(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(InterruptPipe[1], &byte, 1);
}

class TInterruptWatch
{
public:
    explicit TInterruptWatch(THttpClient& http)
    {
        if (pipe2(InterruptPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
            return;
        }
        FNotifier = std::make_unique<QSocketNotifier>(InterruptPipe[0], QSocketNotifier::Read);
        QObject::connect(FNotifier.get(), &QSocketNotifier::activated, FNotifier.get(), [this, &http] {
            FInterrupted = true;
            http.Cancel();
        });
        std::signal(SIGINT, OnInterrupt);
    }
    ~TInterruptWatch()
    {
        std::signal(SIGINT, SIG_DFL);
        FNotifier.reset();
        for (int& fd : InterruptPipe) {
            if (fd >= 0) {
                close(fd);
                fd = -1;
            }
        }
    }
    bool Interrupted() const { return FInterrupted; }

private:
    std::unique_ptr<QSocketNotifier> FNotifier;
    bool FInterrupted = false;
};

} // namespace

TCliOutcome RunCliTranslation(const QString& input, const QString& settingsFile, std::optional<int> direction,
                              const QString& historyFile)
{
    const QString text = TrimPaneText(input);
    if (text.isEmpty()) {
        return {QString(), QStringLiteral("nothing to translate"), 2};
    }

    const TParams params = ReadParams(settingsFile);
    const bool englishToArabic = direction.value_or(params.Direction) == 0;
    THttpClient http;
    const QString badProxy = PrepareCliClient(http, params);
    if (!badProxy.isEmpty()) {
        return {QString(), badProxy, 2};
    }

    TInterruptWatch interrupt(http);
    TCliReceiver receiver;
    TTranslationResult result;
    std::mutex shownMutex;
    QString shown; // the text of a failed GET, as the window's box shows it
    const auto showMessage = [&](const QString& message) {
        const QByteArray bytes = message.toUtf8() + '\n';
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
        std::fflush(stderr);
        std::lock_guard lock(shownMutex);
        shown = message;
    };
    QPointer<TMyThread> worker =
        new TMyThread(&receiver, &http, text, englishToArabic ? QStringLiteral("en") : QStringLiteral("ar"),
                      englishToArabic ? QStringLiteral("ar") : QStringLiteral("en"), &result, showMessage,
                      ReadClientIds(settingsFile));
    QObject::connect(worker, &QObject::destroyed, &receiver, [] { QCoreApplication::quit(); });
    QCoreApplication::exec();
    QCoreApplication::sendPostedEvents(&receiver);

    if (interrupt.Interrupted() || receiver.Received == QEvent::None) {
        return {QString(), QStringLiteral("interrupted"), 130};
    }
    if (receiver.Received == WM_TRANSLATION_FAILED) {
        // The window's output pane shows this text; a reader of standard error who has just seen
        // the same text from the failed GET does not need it twice.
        std::lock_guard lock(shownMutex);
        return {QString(), result.ErrorText == shown ? QString() : result.ErrorText, 1};
    }
    if (!result.ErrorText.isEmpty()) {
        return {QString(), result.ErrorText, 1};
    }
    QString historyProblem;
    if (!historyFile.isEmpty()) {
        const THistoryEntry entry{0, {}, englishToArabic ? 0 : 1, text, result.Translation, result.ClientId};
        historyProblem = KeepTranslation(historyFile, settingsFile, entry);
    }
    return {result.Translation,
            historyProblem.isEmpty() ? QString() : QStringLiteral("zorvanel-translate: ") + historyProblem,
            0};
}
