#include "AppServices.h"

#include "ApplicationTitle.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

struct TMessageKind
{
    QMessageBox::Icon Icon;
    QMessageBox::StandardButtons Buttons;
};

TMessageKind MessageKind(int kind)
{
    switch (kind) {
    case 0:
        return {QMessageBox::Warning, QMessageBox::Ok};
    case 1:
        return {QMessageBox::Critical, QMessageBox::Ok};
    case 2:
        return {QMessageBox::Information, QMessageBox::Ok};
    case 3:
        return {QMessageBox::Question, QMessageBox::Ok | QMessageBox::Cancel};
    default:
        return {QMessageBox::NoIcon, QMessageBox::Ok};
    }
}

} // namespace

QWidget* TAppServices::OpenMessage(QWidget* parent, const QString& caption, const QString& text, int kind,
                                   std::function<void()> closed)
{
    const TMessageKind look = MessageKind(kind);
    auto* box = new QMessageBox(look.Icon, caption, text, look.Buttons, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    QObject::connect(box, &QMessageBox::finished, box, [closed = std::move(closed)](int) { closed(); });
    box->show();
    return box;
}

namespace {

QString RunOpenDialog(QWidget* parent, const QString& filter, const QString& defaultSuffix)
{
    QFileDialog dialog(parent, QString(), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

// The suffix follows the filter entry chosen when the dialog closes, so that "report" with the
// HTML entry chosen becomes an HTML file's name. Read at the close rather than on the dialog's
// filterSelected signal, which a filter chosen other than with the mouse does not send.
QString RunSaveDialog(QWidget* parent, const QString& filter, const QStringList& defaultSuffixes)
{
    QFileDialog dialog(parent, QString(), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Saving replaces an existing file without asking, as the panes' save commands always have.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    QString file = dialog.selectedFiles().value(0);
    const qsizetype entry = dialog.nameFilters().indexOf(dialog.selectedNameFilter());
    const QString suffix = defaultSuffixes.value(entry < 0 ? 0 : entry);
    const QFileInfo info(file);
    if (!file.isEmpty() && !suffix.isEmpty() && !info.isDir() && !info.fileName().contains(u'.'))
        file += u'.' + suffix;
    return file;
}

class TQtAppServices final : public TAppServices
{
public:
    QString GetOpenFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix) override
    {
        return RunOpenDialog(parent, filter, defaultSuffix);
    }

    QString GetSaveFileName(QWidget* parent, const QString& filter,
                            const QStringList& defaultSuffixes) override
    {
        return RunSaveDialog(parent, filter, defaultSuffixes);
    }

    int ShowMessage(QWidget* parent, const QString& caption, const QString& text, int kind) override
    {
        const TMessageKind look = MessageKind(kind);
        QMessageBox box(look.Icon, caption, text, look.Buttons, parent);
        box.exec();
        // Escape and the close button count as Cancel where there is one, as OK otherwise.
        return box.standardButton(box.clickedButton()) == QMessageBox::Cancel ? 2 : 1;
    }

    void ShowError(const QString& text) override
    {
        QMessageBox box(QMessageBox::Critical, ApplicationTitle(), text, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
    }

    void OpenUrl(const QUrl& url) override { QDesktopServices::openUrl(url); }

    std::unique_ptr<QPrinter> DefaultPrinter() override
    {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            return nullptr;
        auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        // Without a print system behind it QPrinter quietly turns into a PDF writer with no file
        // name, and the job would vanish: that is no printer at all.
        if (printer->outputFormat() != QPrinter::NativeFormat || !printer->isValid())
            return nullptr;
        return printer;
    }
};

std::unique_ptr<TAppServices>& InstalledServices()
{
    static std::unique_ptr<TAppServices> services;
    return services;
}

} // namespace

TAppServices& AppServices()
{
    std::unique_ptr<TAppServices>& services = InstalledServices();
    if (!services)
        services = std::make_unique<TQtAppServices>();
    return *services;
}

void SetAppServices(std::unique_ptr<TAppServices> services)
{
    InstalledServices() = std::move(services);
}
