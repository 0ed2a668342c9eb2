#pragma once
// A scripted stand-in for the desktop's facilities: it answers file dialogs from a script,
// records message boxes, error boxes and opened addresses, and prints to a PDF file.

#include "AppServices.h"

#include <QList>
#include <QPointer>
#include <QPrinter>
#include <QStringList>

#include <functional>

namespace zorvanel::test {

class TScriptedServices final : public TAppServices
{
public:
    struct TOpenMessage
    {
        QString Caption;
        QString Text;
        int Kind = 0;
        std::function<void()> Closed;
    };

    QStringList FileAnswers;          // the next file dialogs' answers, in order; empty: cancelled
    int FileDialogs = 0;              // file dialogs shown
    QStringList Errors;               // texts of the standard error box
    QStringList Messages;             // texts of modal message boxes
    int MessageAnswer = 1;            // what each modal message box answers: 1 OK, 2 Cancel
    QList<TOpenMessage> OpenMessages; // non-blocking message boxes, the newest last
    QList<QUrl> Urls;
    QString PrinterFile;      // empty: no printer
    QStringList SaveSuffixes; // the default suffixes of the last save dialog

    QString GetOpenFileName(QWidget*, const QString&, const QString&) override { return NextFile(); }
    QString GetSaveFileName(QWidget*, const QString&, const QStringList& defaultSuffixes) override
    {
        SaveSuffixes = defaultSuffixes;
        return NextFile();
    }
    int ShowMessage(QWidget*, const QString&, const QString& text, int) override
    {
        Messages.append(text);
        return MessageAnswer;
    }
    QWidget* OpenMessage(QWidget*, const QString& caption, const QString& text, int kind,
                         std::function<void()> closed) override
    {
        OpenMessages.append({caption, text, kind, std::move(closed)});
        return nullptr;
    }
    void ShowError(const QString& text) override { Errors.append(text); }
    void OpenUrl(const QUrl& url) override { Urls.append(url); }
    std::unique_ptr<QPrinter> DefaultPrinter() override
    {
        if (PrinterFile.isEmpty()) {
            return nullptr;
        }
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(PrinterFile);
        return printer;
    }

    // Closes the newest non-blocking message box as the user would.
    void CloseMessage()
    {
        const TOpenMessage message = OpenMessages.last();
        message.Closed();
    }

private:
    QString NextFile()
    {
        ++FileDialogs;
        return FileAnswers.isEmpty() ? QString() : FileAnswers.takeFirst();
    }
};

// Puts scripted services in force for its lifetime; the Qt ones come back afterwards.
class TScriptedServicesScope
{
public:
    TScriptedServicesScope()
    {
        auto services = std::make_unique<TScriptedServices>();
        FServices = services.get();
        SetAppServices(std::move(services));
    }
    ~TScriptedServicesScope() { SetAppServices(nullptr); }
    TScriptedServicesScope(const TScriptedServicesScope&) = delete;
    TScriptedServicesScope& operator=(const TScriptedServicesScope&) = delete;

    TScriptedServices* operator->() const { return FServices; }

private:
    TScriptedServices* FServices;
};

} // namespace zorvanel::test
