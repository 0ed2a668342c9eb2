#pragma once
// The facilities of the desktop that the windows reach through one interface, so that tests can
// put a scripted double in their place: file dialogs, message boxes, the application's standard
// error box, opening a web address or mail link, and the printer.

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <memory>

class QPrinter;
class QWidget;

class TAppServices
{
public:
    virtual ~TAppServices() = default;

    // Empty when the user cancels. filter in Qt's form, ";;" between entries, the first chosen.
    virtual QString GetOpenFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix) = 0;
    // defaultSuffixes: for each entry of filter in turn, the suffix that a typed name without a
    // dot gets when that entry is the chosen one.
    virtual QString GetSaveFileName(QWidget* parent, const QString& filter,
                                    const QStringList& defaultSuffixes) = 0;

    // A modal message box of the kind's icon and buttons (0 warning, 1 error, 2 information,
    // 3 question with OK and Cancel, others plain OK); returns 1 for OK, 2 for Cancel.
    virtual int ShowMessage(QWidget* parent, const QString& caption, const QString& text, int kind) = 0;

    // The same box without blocking: it opens and returns at once; closed runs when the user has
    // closed it. Returns the box, which the caller may close itself.
    virtual QWidget* OpenMessage(QWidget* parent, const QString& caption, const QString& text, int kind,
                                 std::function<void()> closed);

    // The application's standard error box: the text, the application title as caption, the
    // critical icon, OK. The caller has already added the full stop.
    virtual void ShowError(const QString& text) = 0;

    // Opens a web address or mail link with the desktop's handler; the result is not looked at.
    virtual void OpenUrl(const QUrl& url) = 0;

    // The printer jobs go to: the desktop's default printer, or none when there is none.
    virtual std::unique_ptr<QPrinter> DefaultPrinter() = 0;
};

// The services in force; the Qt ones unless a test has installed others.
TAppServices& AppServices();

// Installs services for the rest of the run (tests); nullptr puts the Qt ones back.
void SetAppServices(std::unique_ptr<TAppServices> services);
