// The main window: its controls, creation and first showing, the settings and the direction.

#include "frm_Main.h"

#include "AppSettings.h"
#include "ApplicationTitle.h"
#include "ErrorBox.h"
#include "HistoryRecorder.h"
#include "HttpClient.h"
#include "Icons.h"
#include "IniFiles.h"
#include "MyThread.h"
#include "ProxySettings.h"
#include "RVStyle.h"
#include "RVWords.h"
#include "RequestHeaders.h"
#include "RichPane.h"
#include "WorkerMessage.h"
#include "frm_History.h"
#include "untCommon.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolButton>

namespace {

constexpr char WindowTitle[] = "FREE Zorvanel Translator";
constexpr char DirectionFormat[] = "Translate %1 to %2";
const QColor Maroon(128, 0, 0);
const QColor Navy(0, 0, 128);

// A label that sizes itself to its caption, as the window's labels do.
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, QRect geometry,
                  const QColor& colour, bool bold)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setGeometry(geometry);
    label->adjustSize();
    return label;
}

QToolButton* MakeIconButton(QWidget* parent, const char* name, TIcon icon, const QString& hint,
                            QRect geometry, int tag)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIcon(MakeIcon(icon));
    button->setIconSize(QSize(16, 16));
    button->setToolTip(hint);
    button->setGeometry(geometry);
    button->setProperty("Tag", tag);
    return button;
}

} // namespace

TfrmMain::TfrmMain(QWidget* parent)
    : TfrmRoot(parent), RVStyle1(std::make_unique<TRVStyle>()), HTTP(std::make_unique<THttpClient>())
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(MakeIcon(TIcon::Application));
    SetFixedClientSize(528, 545);
    CreateControls();
    CreateMenus();
    FormCreate();
}

TfrmMain::~TfrmMain()
{
    StopWorker();
}

void TfrmMain::CreateControls()
{
    labFrom = MakeLabel(this, "labFrom", QStringLiteral("Translate from :"), {9, 27, 97, 14}, Maroon, true);
    labFromLang = MakeLabel(this, "labFromLang", QStringLiteral("English"), {110, 27, 43, 14}, Maroon, true);
    labTo = MakeLabel(this, "labTo", QStringLiteral("Translate into :"), {9, 231, 93, 14}, Maroon, true);
    labToLang = MakeLabel(this, "labToLang", QStringLiteral("Arabic"), {108, 231, 31, 14}, Maroon, true);

    ImgLoad = new QLabel(this);
    ImgLoad->setObjectName(QStringLiteral("ImgLoad"));
    ImgLoad->setGeometry(240, 230, 44, 16);
    ImgLoad->setAlignment(Qt::AlignCenter);

    lbl1 = MakeLabel(this, "lbl1", QStringLiteral("Free Get Quembrik Translator Pro Full Version Now !"),
                     {248, 8, 268, 14}, Navy, false);
    QFont underlined = lbl1->font();
    underlined.setUnderline(true);
    lbl1->setFont(underlined);
    lbl1->adjustSize();
    // The desktop's font may run wider than the one the window was laid out for: keep the whole
    // caption inside the window.
    if (lbl1->geometry().right() > 528 - 8) {
        lbl1->move(528 - 8 - lbl1->width(), lbl1->y());
    }
    lbl1->setCursor(Qt::PointingHandCursor);
    lbl1->setToolTip(QStringLiteral("Quick translation your content between 72 international languages."));
    lbl1->installEventFilter(this);

    E1 = new TRichPane(*RVStyle1, this);
    E1->setObjectName(QStringLiteral("E1"));
    E1->setGeometry(8, 45, 478, 178);
    E1->setProperty("Tag", 0);
    // The input pane's words hold typographic quotation marks and the no-break space.
    E1->SetDelimiters(RVInputDelimiters.toString());
    E2 = new TRichPane(*RVStyle1, this);
    E2->setObjectName(QStringLiteral("E2"));
    E2->setGeometry(8, 249, 478, 178);
    E2->setReadOnly(true);
    // Read-only, but the translation can still be selected and copied from the keyboard.
    E2->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    E2->setProperty("Tag", 1);
    for (TRichPane* pane : {E1, E2}) {
        pane->setFocusPolicy(Qt::StrongFocus);
        pane->installEventFilter(this);
        pane->viewport()->installEventFilter(this);
    }

    btnOpen = MakeIconButton(this, "btnOpen", TIcon::Open, QStringLiteral("Open"), {491, 62, 25, 25}, 0);
    btnClear = MakeIconButton(this, "btnClear", TIcon::Clear, QStringLiteral("Clear"), {491, 92, 25, 25}, 0);
    btnSave = MakeIconButton(this, "btnSave", TIcon::Save, QStringLiteral("Save"), {491, 122, 25, 25}, 0);
    btnCopy = MakeIconButton(this, "btnCopy", TIcon::Copy, QStringLiteral("Copy To Clipboard"),
                             {491, 152, 25, 25}, 0);
    btnPaste = MakeIconButton(this, "btnPaste", TIcon::Paste, QStringLiteral("Paste From Clipboard"),
                              {491, 182, 25, 25}, 0);
    btnSwap = MakeIconButton(this, "btnSwap", TIcon::Swap, QStringLiteral("Swap"), {491, 225, 25, 25}, 0);
    btnClear2 =
        MakeIconButton(this, "btnClear2", TIcon::Clear, QStringLiteral("Clear"), {491, 270, 25, 25}, 1);
    btnSave2 = MakeIconButton(this, "btnSave2", TIcon::Save, QStringLiteral("Save"), {491, 300, 25, 25}, 1);
    btnCopy2 = MakeIconButton(this, "btnCopy2", TIcon::Copy, QStringLiteral("Copy To Clipboard"),
                              {491, 330, 25, 25}, 1);
    btnPaste2 = MakeIconButton(this, "btnPaste2", TIcon::Paste, QStringLiteral("Paste From Clipboard"),
                               {491, 360, 25, 25}, 1);
    btnPrint = MakeIconButton(this, "btnPrint", TIcon::Print, QStringLiteral("Print"), {491, 390, 25, 25}, 0);
    Bind(btnOpen, &QToolButton::clicked, &TfrmMain::btnOpenClick);
    Bind(btnSave, &QToolButton::clicked, &TfrmMain::btnSaveClick);
    Bind(btnSave2, &QToolButton::clicked, &TfrmMain::btnSaveClick);
    Bind(btnPrint, &QToolButton::clicked, &TfrmMain::btnPrintClick);
    Bind(btnClear, &QToolButton::clicked, &TfrmMain::btnClearClick);
    Bind(btnClear2, &QToolButton::clicked, &TfrmMain::btnClearClick);
    Bind(btnCopy, &QToolButton::clicked, &TfrmMain::btnCopyClick);
    Bind(btnCopy2, &QToolButton::clicked, &TfrmMain::btnCopyClick);
    Bind(btnPaste, &QToolButton::clicked, &TfrmMain::btnPasteClick);
    Bind(btnPaste2, &QToolButton::clicked, &TfrmMain::btnPasteClick);
    Bind(btnSwap, &QToolButton::clicked, &TfrmMain::btnSwapClick);

    rgDirection = new QGroupBox(QStringLiteral("Translation Direction"), this);
    rgDirection->setObjectName(QStringLiteral("rgDirection"));
    rgDirection->setGeometry(12, 434, 475, 48);
    rbEngToChn = new QRadioButton(rgDirection);
    rbEngToChn->setObjectName(QStringLiteral("rbEngToChn"));
    rbEngToChn->setGeometry(27, 20, 203, 17);
    rbEngToChn->setChecked(true);
    rbChnToEng = new QRadioButton(rgDirection);
    rbChnToEng->setObjectName(QStringLiteral("rbChnToEng"));
    rbChnToEng->setGeometry(251, 20, 203, 17);
    // Selecting a button, by the user or by ApplyDirection, runs the handler once.
    for (QRadioButton* button : {rbEngToChn, rbChnToEng}) {
        connect(button, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked) {
                RunHandler([this] { rbEngToChnClick(); });
            }
        });
    }

    btnHelp = new QPushButton(MakeIcon(TIcon::Help), QStringLiteral("&Help"), this);
    btnHelp->setObjectName(QStringLiteral("btnHelp"));
    btnHelp->setGeometry(13, 489, 88, 25);
    // A focused push button takes Enter itself, as a click: Enter on btnHelp opens its menu.
    btnHelp->setAutoDefault(true);
    Bind(btnHelp, &QPushButton::clicked, &TfrmMain::btnHelpClick);
    btnTrans = new QPushButton(MakeIcon(TIcon::Translate), QStringLiteral("&Translate"), this);
    btnTrans->setObjectName(QStringLiteral("btnTrans"));
    btnTrans->setGeometry(373, 489, 113, 25);
    btnTrans->setDefault(true);
    btnTrans->setToolTip(QStringLiteral("Translate (Ctrl+Return in the text)"));
    Bind(btnTrans, &QPushButton::clicked, &TfrmMain::btnTransClick);

    Bar = new QStatusBar(this);
    Bar->setObjectName(QStringLiteral("Bar"));
    Bar->setGeometry(0, 523, 528, 22);
    Bar->setSizeGripEnabled(false);
    BarPanel = new QLabel(Bar);
    Bar->addWidget(BarPanel, 1);

    setTabOrder(E1, E2);
    setTabOrder(E2, rbEngToChn);
    setTabOrder(rbEngToChn, btnHelp);
    setTabOrder(btnHelp, btnTrans);
}

QAction* TfrmMain::AddMenuItem(QMenu* menu, const char* name, TIcon icon, const QString& caption,
                               void (TfrmMain::*handler)())
{
    QAction* item = menu->addAction(MakeIcon(icon), caption);
    item->setObjectName(QLatin1String(name));
    Bind(item, &QAction::triggered, handler);
    return item;
}

void TfrmMain::CreateMenus()
{
    pmHelp = new QMenu(this);
    pmHelp->setObjectName(QStringLiteral("pmHelp"));
    AddMenuItem(pmHelp, "miOptions", TIcon::Options, QStringLiteral("Options"), &TfrmMain::miOptionsClick);
    pmHelp->addSeparator()->setObjectName(QStringLiteral("N3"));
    AddMenuItem(pmHelp, "miTry", TIcon::Info, QStringLiteral("Try Quembrik Translator Pro"),
                &TfrmMain::miTryClick);
    pmHelp->addSeparator()->setObjectName(QStringLiteral("N2"));
    AddMenuItem(pmHelp, "miWebSite", TIcon::Home, QStringLiteral("Visit Home"), &TfrmMain::miWebSiteClick);
    AddMenuItem(pmHelp, "miContactUs", TIcon::Mail, QStringLiteral("Contact Us"),
                &TfrmMain::miContactUsClick);
    pmHelp->addSeparator()->setObjectName(QStringLiteral("N1"));
    AddMenuItem(pmHelp, "miAbout", TIcon::Info, QStringLiteral("About"), &TfrmMain::miAboutClick);
    pmHelp->addSeparator()->setObjectName(QStringLiteral("N4"));
    miHistory = AddMenuItem(pmHelp, "miHistory", TIcon::History, QStringLiteral("History..."),
                            &TfrmMain::miHistoryClick);
    miHistory->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    // Ctrl+H works wherever the focus is in the window, not only while the menu is open.
    addAction(miHistory);

    pmTrans = new QMenu(this);
    pmTrans->setObjectName(QStringLiteral("pmTrans"));
    pmTrans->setProperty("Tag", 0);
    AddMenuItem(pmTrans, "Cut1", TIcon::Cut, QStringLiteral("Cut"), &TfrmMain::Cut1Click);
    AddMenuItem(pmTrans, "Copy1", TIcon::Copy, QStringLiteral("Copy"), &TfrmMain::Copy1Click);
    AddMenuItem(pmTrans, "Paste1", TIcon::Paste, QStringLiteral("Paste"), &TfrmMain::Paste1Click);
    pmTrans->addSeparator()->setObjectName(QStringLiteral("N6"));
    AddMenuItem(pmTrans, "Clear1", TIcon::Clear, QStringLiteral("Clear"), &TfrmMain::Clear1Click);
}

void TfrmMain::FormCreate()
{
    ServiceBaseUrl = DefaultServiceBaseUrl();
    SetApplicationTitle(QString::fromLatin1(WindowTitle));
    setWindowTitle(QString::fromLatin1(WindowTitle));
    BarPanel->setText(CopyrightNotice());
    SettingsFilePath = DefaultSettingsFilePath();
    ResourceLibrary = ResourceLibraryPath();
    rbEngToChn->setText(
        QString::fromLatin1(DirectionFormat).arg(QStringLiteral("English"), QStringLiteral("Arabic")));
    rbChnToEng->setText(
        QString::fromLatin1(DirectionFormat).arg(QStringLiteral("Arabic"), QStringLiteral("English")));
    LayoutLanguageLabels();
}

void TfrmMain::showEvent(QShowEvent* e)
{
    TfrmRoot::showEvent(e);
    if (!FShown) {
        FShown = true;
        RunHandler([this] { FormShow(); });
    }
}

void TfrmMain::FormShow()
{
    LoadSettings();
    ApplyDirection();
    ApplyProxySettings();
}

void TfrmMain::LoadSettings()
{
    AppSettings = ReadParams(SettingsFilePath);
    ApplyDirection();
    RVStyle1->TextStyles[0].FontName = QStringLiteral("Arial");
    RVStyle1->TextStyles[0].Size = 14;
    E1->Reformat();
    E2->Reformat();
}

void TfrmMain::ApplyProxySettings()
{
    ApplyProxyParams(*HTTP, AppSettings);
}

void TfrmMain::ApplyDirection()
{
    const bool englishToArabic = AppSettings.Direction == 0;
    (englishToArabic ? rbEngToChn : rbChnToEng)->setChecked(true);
    labFromLang->setText(englishToArabic ? QStringLiteral("English") : QStringLiteral("Arabic"));
    labToLang->setText(englishToArabic ? QStringLiteral("Arabic") : QStringLiteral("English"));
    labFromLang->adjustSize();
    labToLang->adjustSize();
    E1->SetBiDiMode(englishToArabic ? rvbdLeftToRight : rvbdRightToLeft);
    E2->SetBiDiMode(englishToArabic ? rvbdRightToLeft : rvbdLeftToRight);
    E1->Format();
    E2->Format();
}

void TfrmMain::LayoutLanguageLabels()
{
    labFromLang->move(labFrom->x() + labFrom->width() + 4, labFromLang->y());
    labToLang->move(labTo->x() + labTo->width() + 4, labToLang->y());
    ImgLoad->move(labToLang->x() + labToLang->width() + 60, ImgLoad->y());
}

void TfrmMain::rbEngToChnClick()
{
    AppSettings.Direction = rbEngToChn->isChecked() ? 0 : 1;
    IniWriteInteger(SettingsFilePath, QStringLiteral("General"), QStringLiteral("Direction"),
                    AppSettings.Direction);
    ApplyDirection();
    LayoutLanguageLabels();
}

TRichPane* TfrmMain::PaneOfTag(int tag) const
{
    return tag == 0 ? E1 : E2;
}

int TfrmMain::SenderTag() const
{
    return sender() ? sender()->property("Tag").toInt() : 0;
}

void TfrmMain::keyPressEvent(QKeyEvent* e)
{
    // Escape does not close the main window; Enter still reaches the default button.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        e->ignore();
        return;
    }
    TfrmRoot::keyPressEvent(e);
}
