// The options dialog's construction: its controls at their places, the two language components
// after them, and the creation step.

#include "frm_Options.h"

#include "SMLFormLangRes.h"
#include "SMLMsgLangRes.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleFactory>
#include <QTabWidget>

#include <iterator>

namespace {

const QString LangFileName = QStringLiteral("English.ini");

// Passwords are masked with "*", whatever character the style would choose.
class TAsteriskStyle final : public QProxyStyle
{
public:
    TAsteriskStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return u'*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// Tab stops at the selected radio button only and the arrow keys move between the two, as users of
// such a group expect; Qt would stop at the group's first button, selected or not.
void SetRadioTabStop(QRadioButton* button, bool checked)
{
    button->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
}

template <typename T> T* Control(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* control = new T(parent);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(geometry);
    return control;
}

template <typename T>
T* Captioned(QWidget* parent, const char* name, const QRect& geometry, const QString& caption)
{
    T* control = Control<T>(parent, name, geometry);
    control->setText(caption);
    return control;
}

QGroupBox* GroupBox(QWidget* parent, const char* name, const QRect& geometry, const QString& caption)
{
    auto* box = Control<QGroupBox>(parent, name, geometry);
    box->setTitle(caption);
    return box;
}

QLabel* Label(QWidget* parent, const char* name, const QRect& geometry, const QString& caption,
              Qt::Alignment alignment = Qt::AlignLeft)
{
    auto* label = Captioned<QLabel>(parent, name, geometry, caption);
    label->setAlignment(alignment | Qt::AlignTop);
    return label;
}

QPushButton* Button(QWidget* parent, const char* name, const QRect& geometry, const QString& caption)
{
    auto* button = Captioned<QPushButton>(parent, name, geometry, caption);
    // Neither button answers Enter by itself: a dialog would otherwise make the first one its
    // default button.
    button->setAutoDefault(false);
    return button;
}

} // namespace

TfrmOptions::TfrmOptions(QWidget* parent) : TfrmRoot(parent)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    SetFixedClientSize(457, 283);

    // The order of creation is the order in which the language file's keys are read.
    PageControl1 = Control<QTabWidget>(this, "PageControl1", QRect(8, 14, 438, 226));
    CreateGeneralPage();
    CreateConnectionPage();
    CreateButtons();
    SetTabOrder();
    CreateLangRes();

    // Selecting a button, by the user or by the code, runs the handler, once.
    for (QRadioButton* button : {rbNoProxy, rbManuallyProxy}) {
        connect(button, &QRadioButton::toggled, this, [this, button](bool checked) {
            SetRadioTabStop(button, checked);
            if (checked)
                rbNoProxyClick();
        });
    }
    connect(btnDefault, &QPushButton::clicked, this, &TfrmOptions::btnDefaultClick);
    connect(btnOk, &QPushButton::clicked, this, &TfrmOptions::accept);

    FormCreate();
}

void TfrmOptions::CreateGeneralPage()
{
    tsGeneral = new QWidget(PageControl1);
    tsGeneral->setObjectName(QStringLiteral("tsGeneral"));
    PageControl1->addTab(tsGeneral, QStringLiteral("General"));

    chkAutoCopy = Captioned<QCheckBox>(tsGeneral, "chkAutoCopy", QRect(10, 35, 407, 17),
                                       QStringLiteral("Auto copy to clipboard in target language."));
    chkAutoPaste = Captioned<QCheckBox>(tsGeneral, "chkAutoPaste", QRect(10, 12, 407, 17),
                                        QStringLiteral("Auto paste from clipboard in source language."));

    // Interface languages were never offered: the group stays hidden and its list empty.
    rgLang =
        GroupBox(tsGeneral, "rgLang", QRect(10, 67, 407, 55), QStringLiteral("Infterface language setting"));
    rgLang->setVisible(false);
    labLang = Label(rgLang, "labLang", QRect(12, 27, 187, 14),
                    QStringLiteral("Please select a default Language :"));
    cmbLang = Control<QComboBox>(rgLang, "cmbLang", QRect(253, 23, 136, 22));
}

void TfrmOptions::CreateConnectionPage()
{
    tsConnection = new QWidget(PageControl1);
    tsConnection->setObjectName(QStringLiteral("tsConnection"));
    PageControl1->addTab(tsConnection, QStringLiteral("Connection"));

    rgProxySettings =
        GroupBox(tsConnection, "rgProxySettings", QRect(10, 7, 407, 178), QStringLiteral("Proxy Settings"));
    labAddress = Label(rgProxySettings, "labAddress", QRect(28, 103, 51, 14), QStringLiteral("Address :"),
                       Qt::AlignRight);
    labPort = Label(rgProxySettings, "labPort", QRect(240, 103, 31, 14), QStringLiteral("Port :"));
    labUserName = Label(rgProxySettings, "labUserName", QRect(13, 140, 66, 14), QStringLiteral("User name :"),
                        Qt::AlignRight);
    labPassword =
        Label(rgProxySettings, "labPassword", QRect(212, 140, 59, 14), QStringLiteral("Password :"));
    edtAddress = Control<QLineEdit>(rgProxySettings, "edtAddress", QRect(85, 100, 121, 22));
    edtPort = Control<QLineEdit>(rgProxySettings, "edtPort", QRect(277, 100, 121, 22));
    edtUserName = Control<QLineEdit>(rgProxySettings, "edtUserName", QRect(85, 136, 121, 22));
    edtPassword = Control<QLineEdit>(rgProxySettings, "edtPassword", QRect(277, 136, 121, 22));
    edtPassword->setEchoMode(QLineEdit::Password);
    auto* asterisks = new TAsteriskStyle;
    asterisks->setParent(edtPassword);
    edtPassword->setStyle(asterisks);
    rbNoProxy = Captioned<QRadioButton>(rgProxySettings, "rbNoProxy", QRect(29, 32, 218, 17),
                                        QStringLiteral("No Proxy (direct connection)"));
    rbNoProxy->setChecked(true);
    rbManuallyProxy = Captioned<QRadioButton>(rgProxySettings, "rbManuallyProxy", QRect(29, 68, 218, 17),
                                              QStringLiteral("Manually enter proxy settings"));
    SetRadioTabStop(rbManuallyProxy, false);
}

void TfrmOptions::CreateButtons()
{
    btnOk = Button(this, "btnOk", QRect(365, 246, 75, 25), QStringLiteral("&OK"));
    btnDefault = Button(this, "btnDefault", QRect(12, 246, 75, 25), QStringLiteral("Default"));
}

void TfrmOptions::SetTabOrder()
{
    // The page control first, then the pages' controls in their rows, then the buttons left to right.
    QWidget* const order[] = {PageControl1, chkAutoPaste,    chkAutoCopy, cmbLang,
                              rbNoProxy,    rbManuallyProxy, edtAddress,  edtPort,
                              edtUserName,  edtPassword,     btnDefault,  btnOk};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TfrmOptions::CreateLangRes()
{
    // After every control, settings in the order the components publish them and Active last, so
    // that exactly one pass of each runs, now.
    smlFormLangRes1 = new TsmlFormLangRes(this);
    smlFormLangRes1->setObjectName(QStringLiteral("smlFormLangRes1"));
    smlFormLangRes1->SetLangFileName(LangFileName);
    smlFormLangRes1->SetIgnoreEmptyString(true);
    smlFormLangRes1->SetAutoCreateMode(false);
    smlFormLangRes1->SetAddBracket(false);
    smlFormLangRes1->SetStringProperties({QStringLiteral("Caption")});
    smlFormLangRes1->SetStringsProperties({QStringLiteral("Tabs")});
    smlFormLangRes1->SetIgnoreControls({QStringLiteral("rbTransNo2")});
    smlFormLangRes1->SetIgnoreFormCaption(true);
    smlFormLangRes1->SetIncludeListViewItems(false);
    smlFormLangRes1->SetIncludeListViewHead(true);
    smlFormLangRes1->SetIncludeTreeViewItems(false);
    smlFormLangRes1->SetActive(true);

    smlMsgLangRes1 = new TsmlMsgLangRes(this);
    smlMsgLangRes1->setObjectName(QStringLiteral("smlMsgLangRes1"));
    smlMsgLangRes1->SetLangFileName(LangFileName);
    smlMsgLangRes1->SetIgnoreEmptyString(false);
    smlMsgLangRes1->SetAutoCreateMode(false);
    smlMsgLangRes1->SetAddBracket(false);
    smlMsgLangRes1->SetMsgList({QStringLiteral("strInfomation=Information")});
    smlMsgLangRes1->SetActive(true);
}

void TfrmOptions::FormCreate()
{
    TfrmRoot::FormCreate();
    PageControl1->setCurrentWidget(tsGeneral);
}
