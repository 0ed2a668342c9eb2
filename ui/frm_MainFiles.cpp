// The main window's files, printing, help menu and links.

#include "AppServices.h"
#include "PanePrinting.h"
#include "PaneText.h"
#include "RichPane.h"
#include "frm_About.h"
#include "frm_Main.h"
#include "frm_Options.h"

#include <QFileInfo>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>

#include <stdexcept>

namespace {

const QString HomePage = QStringLiteral("https://quembrik.example/");
const QString ProductPage = QStringLiteral("https://quembrik.example/translator-pro/?src=freeware");
const QString SupportMail =
    QStringLiteral("mailto: support@quembrik.example?subject=Question for Zorvanel Translator");

} // namespace

void TfrmMain::btnOpenClick()
{
    const QString file =
        AppServices().GetOpenFileName(this, QStringLiteral("Text Documents (*.txt)"), QStringLiteral("txt"));
    if (file.isEmpty()) {
        return;
    }
    const bool loaded = E1->LoadPlainText(file, 0, 0, true);
    E1->Format();
    if (!loaded) {
        throw std::runtime_error(QStringLiteral("Unable to read %1").arg(file).toStdString());
    }
}

void TfrmMain::btnSaveClick()
{
    const int tag = SenderTag();
    if (tag != 0 && tag != 1) {
        return;
    }
    TRichPane* pane = PaneOfTag(tag);
    if (GetPaneText(*pane).isEmpty()) {
        return;
    }
    const QString file =
        AppServices().GetSaveFileName(this, QStringLiteral("Text Files (*.txt);;HTML Files (*.html *.htm)"),
                                      {QStringLiteral("txt"), QStringLiteral("htm")});
    if (file.isEmpty()) {
        return;
    }
    const QFileInfo info(file);
    const QString suffix = info.suffix();
    // Only ".txt", in any case, gives a text file; every other name an HTML file.
    const bool saved = suffix.compare(u"txt", Qt::CaseInsensitive) == 0
                           ? pane->SavePlainText(file, 0)
                           : pane->SaveHtml(file, info.completeBaseName(), QString(), 0x4800);
    // A save that silently failed would leave the user believing the work is kept.
    if (!saved) {
        throw std::runtime_error(QStringLiteral("Unable to write to %1").arg(file).toStdString());
    }
}

void TfrmMain::btnPrintClick()
{
    const std::unique_ptr<QPrinter> printer = AppServices().DefaultPrinter();
    if (!printer) {
        throw std::runtime_error("There is no printer to print on");
    }
    PrintDocument(*E2->document(), *printer, QStringLiteral("Quembrik Translator Pro"), 20.0);
}

void TfrmMain::btnHelpClick()
{
    const QPoint corner(btnHelp->x(), btnHelp->y() + btnHelp->height());
    pmHelp->popup(mapToGlobal(corner) + QPoint(0, 2));
}

void TfrmMain::miAboutClick()
{
    TfrmAbout about;
    about.exec();
}

void TfrmMain::miWebSiteClick()
{
    AppServices().OpenUrl(QUrl(HomePage));
}

void TfrmMain::miContactUsClick()
{
    AppServices().OpenUrl(QUrl(SupportMail, QUrl::TolerantMode));
}

void TfrmMain::miTryClick()
{
    AppServices().OpenUrl(QUrl(ProductPage));
}

void TfrmMain::lbl1Click()
{
    miTryClick();
}

void TfrmMain::miOptionsClick()
{
    // Without an owner, as the about box; freed when this handler ends, also when a step fails. The
    // dialog has written the file, so the window takes everything from there, the direction too.
    TfrmOptions frmOptions;
    frmOptions.exec();
    LayoutLanguageLabels();
    LoadSettings();
    ApplyProxySettings();
}
