#pragma once
// The options dialog: automatic paste and copy (page "General") and the proxy (page
// "Connection"). It shows the settings record when it opens and writes all of its settings to the
// settings file whenever it closes, however it is closed; it never changes the record itself; the
// main window re-reads the file afterwards. Its texts come from "English.ini" through the two
// language components it carries.

#include "frm_Root.h"

class QCheckBox;
class QCloseEvent;
class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QShowEvent;
class QTabWidget;
class TsmlFormLangRes;
class TsmlMsgLangRes;

class TfrmOptions final : public TfrmRoot
{
    Q_OBJECT

public:
    explicit TfrmOptions(QWidget* parent = nullptr);

    // Controls, named as the language file and the tests know them.
    QTabWidget* PageControl1 = nullptr;
    QWidget* tsGeneral = nullptr;
    QCheckBox* chkAutoCopy = nullptr;
    QCheckBox* chkAutoPaste = nullptr;
    QGroupBox* rgLang = nullptr;
    QLabel* labLang = nullptr;
    QComboBox* cmbLang = nullptr;
    QWidget* tsConnection = nullptr;
    QGroupBox* rgProxySettings = nullptr;
    QLabel* labAddress = nullptr;
    QLabel* labPort = nullptr;
    QLabel* labUserName = nullptr;
    QLabel* labPassword = nullptr;
    QLineEdit* edtAddress = nullptr;
    QLineEdit* edtPort = nullptr;
    QLineEdit* edtUserName = nullptr;
    QLineEdit* edtPassword = nullptr;
    QRadioButton* rbNoProxy = nullptr;
    QRadioButton* rbManuallyProxy = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnDefault = nullptr;
    TsmlFormLangRes* smlFormLangRes1 = nullptr;
    TsmlMsgLangRes* smlMsgLangRes1 = nullptr;

    void FormCreate() override;
    void LoadOptions();
    void SaveOptions();

    // accept(), reject() and the close box all end here, so every close passes through FormClose.
    void done(int result) override;

public slots:
    void FormShow();
    void rbNoProxyClick();
    void btnDefaultClick();
    // Saves and returns true, or returns false to keep the dialog open.
    bool FormClose();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateGeneralPage();
    void CreateConnectionPage();
    void CreateButtons();
    void CreateLangRes();
    void SetTabOrder();

    bool FCentred = false;
    // Set while QDialog closes the dialog after FormClose has let it go.
    bool FClosing = false;
};
