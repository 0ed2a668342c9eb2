// The options dialog's handlers: the settings record into the controls when it is shown, the
// proxy fields, the defaults, and the controls into the settings file on every close.

#include "AppSettings.h"
#include "ErrorBox.h"
#include "IniFiles.h"
#include "frm_Options.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

const QString General = QStringLiteral("General");
const QString Connection = QStringLiteral("Connection");

// The system's colours, not the dialog's: the window base gives its own Window role the button face.
void SetEditColour(QLineEdit* edit, QPalette::ColorRole systemRole)
{
    const QPalette system = QApplication::palette();
    QPalette palette = edit->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, system.color(group, systemRole));
    edit->setPalette(palette);
}

} // namespace

void TfrmOptions::showEvent(QShowEvent* event)
{
    TfrmRoot::showEvent(event);
    // Over the window that opened it; with none active the base's centre of the screen stays.
    if (!FCentred) {
        FCentred = true;
        const QWidget* opener = QApplication::activeWindow();
        if (opener && opener != this) {
            QRect frame = frameGeometry();
            frame.moveCenter(opener->frameGeometry().center());
            move(frame.topLeft());
        }
    }
    // Not when the window system merely shows it again (after a minimise).
    if (!event->spontaneous())
        FormShow();
}

void TfrmOptions::FormShow()
{
    LoadOptions();
}

void TfrmOptions::LoadOptions()
{
    chkAutoPaste->setChecked(AppSettings.AutoPaste);
    chkAutoCopy->setChecked(AppSettings.AutoCopy);
    cmbLang->setCurrentIndex(cmbLang->findText(AppSettings.DisplayLanguage, Qt::MatchFixedString));
    const QList<QLineEdit*> edits = {edtAddress, edtPort, edtUserName, edtPassword};
    if (AppSettings.NoProxy) {
        rbNoProxy->setChecked(true);
        rbManuallyProxy->setChecked(false);
        // The stored proxy is not shown, and so is lost on closing.
        for (QLineEdit* edit : edits)
            edit->clear();
    } else {
        rbNoProxy->setChecked(false);
        rbManuallyProxy->setChecked(true);
        const QString values[] = {AppSettings.Address, AppSettings.Port, AppSettings.UserName,
                                  AppSettings.Password};
        for (int i = 0; i < edits.size(); ++i)
            edits[i]->setText(values[i]);
    }
    rbNoProxyClick();
}

void TfrmOptions::rbNoProxyClick()
{
    // The edits stay enabled and keep their text; only whether they can be edited shows.
    const bool direct = rbNoProxy->isChecked();
    for (QLineEdit* edit : {edtAddress, edtPort, edtUserName, edtPassword}) {
        edit->setReadOnly(direct);
        SetEditColour(edit, direct ? QPalette::Button : QPalette::Base);
    }
}

void TfrmOptions::btnDefaultClick()
{
    chkAutoPaste->setChecked(false);
    chkAutoCopy->setChecked(false);
    cmbLang->setCurrentIndex(cmbLang->findText(QStringLiteral("English"), Qt::MatchFixedString));
    rbNoProxy->setChecked(true);
    rbManuallyProxy->setChecked(false);
}

bool TfrmOptions::FormClose()
{
    // Only emptiness is checked: a port that is no number fails later, when the proxy is applied.
    if (rbManuallyProxy->isChecked()) {
        for (QLineEdit* edit : {edtAddress, edtPort}) {
            if (edit->text().isEmpty()) {
                PageControl1->setCurrentWidget(tsConnection);
                edit->setFocus();
                return false;
            }
        }
    }
    SaveOptions();
    return true;
}

void TfrmOptions::SaveOptions()
{
    // Each write reaches the file at once; a refused one throws and leaves the earlier ones written.
    const QString& file = SettingsFilePath;
    IniWriteInteger(file, General, QStringLiteral("Translator"), 0);
    IniWriteBool(file, General, QStringLiteral("AutoPaste"), chkAutoPaste->isChecked());
    IniWriteBool(file, General, QStringLiteral("AutoCopy"), chkAutoCopy->isChecked());
    IniWriteString(file, General, QStringLiteral("DisplayLanguage"), cmbLang->currentText());
    IniWriteBool(file, Connection, QStringLiteral("NoProxy"), rbNoProxy->isChecked());
    // Whatever the radio buttons say, so a direct connection stores what the edits hold.
    IniWriteString(file, Connection, QStringLiteral("Address"), edtAddress->text());
    IniWriteString(file, Connection, QStringLiteral("Port"), edtPort->text());
    IniWriteString(file, Connection, QStringLiteral("UserName"), edtUserName->text());
    IniWriteString(file, Connection, QStringLiteral("Password"), edtPassword->text());
}

void TfrmOptions::done(int result)
{
    if (!FClosing) {
        // A save that fails shows its error here and leaves the dialog open.
        bool canClose = false;
        RunHandler([&] { canClose = FormClose(); });
        if (!canClose)
            return;
    }
    FClosing = true;
    struct TReset
    {
        bool& FFlag;
        ~TReset() { FFlag = false; }
    } reset{FClosing};
    TfrmRoot::done(result);
}

void TfrmOptions::closeEvent(QCloseEvent* event)
{
    // QDialog's own close after done() has let the dialog go, or a dialog that is not shown.
    if (FClosing || !isVisible()) {
        event->accept();
        return;
    }
    // The close box and the system menu; done() hides the dialog when FormClose lets it go.
    reject();
    event->setAccepted(!isVisible());
}

void TfrmOptions::keyPressEvent(QKeyEvent* event)
{
    // There is no Cancel button: QDialog would reject on Escape, and so save and close.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    // There is no default button either: Enter presses only a button that has the focus.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
            button->click();
        event->accept();
        return;
    }
    TfrmRoot::keyPressEvent(event);
}
