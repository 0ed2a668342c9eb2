#pragma once
// One translation on a thread of its own. A text longer than the endpoint accepts goes piece by
// piece over the same client and connection. The worker decodes every answer, puts the joined
// translation (or what failed) into the result its owner lent it, and reports with exactly one
// posted event, after progress events for a text of several pieces. It deletes itself once it
// has finished.

#include <QEvent>
#include <QString>
#include <QStringList>
#include <QThread>

#include <functional>
#include <memory>

class THttpClient;
struct TTranslationResult;

// Posted to the receiver: the exchanges ran to their end and the result holds the translation
// or the error text an answer decoded to.
inline constexpr QEvent::Type WM_TRANSLATION_DONE = QEvent::Type(0x1401);
// Posted to the receiver: an exchange failed before any answer arrived (or a POST failed) and the
// result's error text says what failed.
inline constexpr QEvent::Type WM_TRANSLATION_FAILED = QEvent::Type(0x1402);
// Posted to the receiver, as a TTranslationProgressEvent, before each piece of a text of more
// than one piece.
inline constexpr QEvent::Type WM_TRANSLATION_PROGRESS = QEvent::Type(0x1403);

class TTranslationProgressEvent : public QEvent
{
public:
    TTranslationProgressEvent(qsizetype piece, qsizetype pieces)
        : QEvent(WM_TRANSLATION_PROGRESS), Piece(piece), Pieces(pieces)
    {
    }
    const qsizetype Piece;  // the piece about to go, counting from 1
    const qsizetype Pieces; // of this many
};

class TMyThread : public QThread
{
    Q_OBJECT

public:
    // Shows the text of a failed GET to the user; called on the worker's thread, returns when
    // the user has seen it. The worker then reports success with whatever part of an answer
    // arrived or, when nothing did, the failure with its text.
    using TShowMessage = std::function<void(const QString& text)>;

    // Starts at once: the caller must not use the object afterwards, it may already be gone.
    // result: written by the worker only before its final report. clientIds: the endpoint
    // client ids configured (empty for the defaults).
    TMyThread(QObject* window, THttpClient* http, const QString& text, const QString& sourceLang,
              const QString& targetLang, TTranslationResult* result, TShowMessage showMessage,
              const QStringList& clientIds = {});

protected:
    void run() override;
    virtual void DoTranslate();

private:
    // The answer to one piece, trying the client ids in turn. Sets last when the exchange failed
    // but left part of an answer: that part is then the translation's whole result. Throws when
    // the exchange failed with nothing of an answer.
    QByteArray ExchangePiece(const QString& piece, bool& last);
    void Report(std::unique_ptr<QEvent> event);

    QObject* const FWindow;
    THttpClient* const FHTTP;
    const QString FText;
    const QString FSourceLang;
    const QString FTargetLang;
    TTranslationResult* const FResult;
    const TShowMessage FShowMessage;
    const QStringList FClientIds;
};
