#pragma once
// One translation on a thread of its own. The worker sends the request, puts the answer (or
// the failure's text) into the result stream its owner lent it, and reports with exactly one
// posted event. It deletes itself once it has finished.

#include <QByteArray>
#include <QEvent>
#include <QString>
#include <QStringList>
#include <QThread>

#include <functional>

class THttpClient;

// Posted to the receiver: the exchange ran to its end and the result stream holds the body.
inline constexpr QEvent::Type WM_TRANSLATION_DONE = QEvent::Type(0x1401);
// Posted to the receiver: the exchange failed before any answer arrived (or a POST failed) and the
// result stream holds the failure's text.
inline constexpr QEvent::Type WM_TRANSLATION_FAILED = QEvent::Type(0x1402);

class TMyThread : public QThread
{
    Q_OBJECT

public:
    // Shows the text of a failed GET to the user; called on the worker's thread, returns when
    // the user has seen it. The worker then reports success with whatever part of an answer
    // arrived or, when nothing did, the failure with its text.
    using TShowMessage = std::function<void(const QString& text)>;

    // Starts at once: the caller must not use the object afterwards, it may already be gone.
    // clientIds: the endpoint client ids configured (empty for the defaults).
    TMyThread(QObject* window, THttpClient* http, const QString& text, const QString& sourceLang,
              const QString& targetLang, QByteArray* resultStream, TShowMessage showMessage,
              const QStringList& clientIds = {});

protected:
    void run() override;
    virtual void DoTranslate();

private:
    void Report(QEvent::Type type);

    QObject* const FWindow;
    THttpClient* const FHTTP;
    const QString FText;
    const QString FSourceLang;
    const QString FTargetLang;
    QByteArray* const FResult;
    const TShowMessage FShowMessage;
    const QStringList FClientIds;
};
