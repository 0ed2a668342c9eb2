#pragma once
// The main window: the input pane above, the read-only output pane below, a column of small
// buttons at the right, the direction and the translate button at the bottom. Its handlers are
// split by concern over frm_Main*.cpp.

#include "ErrorBox.h"
#include "Icons.h"
#include "TranslationResult.h"
#include "frm_Root.h"

#include <QByteArray>
#include <QPointer>
#include <QString>

#include <memory>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QToolButton;
class THttpClient;
class TMyThread;
class TRichPane;
class TRVStyle;
class TWorkerMessage;
class THistoryRecorder;
class TfrmHistory;
struct THistoryEntry;

class TfrmMain : public TfrmRoot
{
    Q_OBJECT

public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Controls, named as the window's commands and tests know them.
    QLabel* labFrom;
    QLabel* labFromLang;
    QLabel* labTo;
    QLabel* labToLang;
    QLabel* ImgLoad;
    QLabel* lbl1;
    TRichPane* E1;
    TRichPane* E2;
    QToolButton* btnOpen;
    QToolButton* btnClear;
    QToolButton* btnSave;
    QToolButton* btnCopy;
    QToolButton* btnPaste;
    QToolButton* btnSwap;
    QToolButton* btnClear2;
    QToolButton* btnSave2;
    QToolButton* btnCopy2;
    QToolButton* btnPaste2;
    QToolButton* btnPrint;
    QGroupBox* rgDirection;
    QRadioButton* rbEngToChn;
    QRadioButton* rbChnToEng;
    QPushButton* btnHelp;
    QPushButton* btnTrans;
    QStatusBar* Bar;
    QLabel* BarPanel;
    QMenu* pmHelp;
    QMenu* pmTrans;
    QAction* miHistory;
    std::unique_ptr<TRVStyle> RVStyle1;
    std::unique_ptr<THttpClient> HTTP;

    // The three remembered texts of the clipboard commands and the translate command.
    QString FSourceText;
    QString FLastCopiedText;
    QString FClipboardText;
    // Where the loading animation is read from; the library beside the program unless a test
    // points elsewhere.
    QString ResourceLibrary;
    // The history file; empty until first needed, then the one of SettingsFilePath.
    QString HistoryFile;
    // The result of the translation in flight, written by its worker; none while idle.
    std::unique_ptr<TTranslationResult> FResult;

    void LoadSettings();
    void ApplyProxySettings();
    void ApplyDirection();
    void LayoutLanguageLabels();
    void StartTranslation();
    bool IsTranslating() const { return FTranslating; }

    // The pane named by a Tag: 0 the input pane, anything else the output pane.
    TRichPane* PaneOfTag(int tag) const;

    // Puts a kept translation back: its source and translation into the panes, its direction
    // chosen as the direction buttons choose it.
    void LoadHistoryEntry(const THistoryEntry& entry);
    // The history window while it is open.
    TfrmHistory* HistoryWindow() const;
    // Waits until the translations handed to the history so far are written (tests, closing).
    void FlushHistory();

    // Requests from outside the window (the desktop bus, a second start, a global shortcut).
    // Shows, raises and activates the window.
    void ShowFromOutside();
    // Shows the window; a text that is not empty replaces the input pane's and is translated as
    // "&Translate" translates. Callers wait while a translation is in flight (IsTranslating).
    void TranslateFromOutside(const QString& text);

signals:
    // A translation has ended, whatever its outcome; sent once the handler has finished.
    void TranslationFinished();

public slots:
    void rbEngToChnClick();
    void btnTransClick();
    void btnCopyClick();
    void btnPasteClick();
    void btnClearClick();
    void btnSwapClick();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void Clear1Click();
    void FormActivate();
    void btnOpenClick();
    void btnSaveClick();
    void btnPrintClick();
    void btnHelpClick();
    void miOptionsClick();
    void miAboutClick();
    void miWebSiteClick();
    void miContactUsClick();
    void miTryClick();
    void lbl1Click();
    void miHistoryClick();

    void FormCreate() override;

protected:
    void FormShow();
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void CreateControls();
    void CreateMenus();
    QAction* AddMenuItem(QMenu* menu, const char* name, TIcon icon, const QString& caption,
                         void (TfrmMain::*handler)());
    void E1ContextPopup(TRichPane* pane, QPoint mousePos);
    void PasteInto(int tag, bool automatic);
    void CopyFrom(int tag);
    void ClearPane(int tag);
    void ShowOneLine(TRichPane* pane, const QString& line);
    void WMTranslationDone();
    void WMTranslationFailed();
    void ShowTranslationResult(bool done);
    void FinishTranslation();
    void StopWorker();
    // Hands a translation that succeeded to the history.
    void RecordTranslation(const QString& translation, const QString& clientId);
    QString HistoryFilePath();
    int SenderTag() const;
    // Connects a signal to a handler whose failure goes to the error box.
    template <class TSender, class TSignal>
    void Bind(TSender* sender, TSignal signal, void (TfrmMain::*handler)());

    bool FShown = false;
    bool FTranslating = false;
    QPointer<TMyThread> FWorker;
    // The direction the translation in flight was started with.
    int FTranslationDirection = 0;
    // Made with the first translation to keep, so that start-up never opens the history.
    std::unique_ptr<THistoryRecorder> FHistory;
    QPointer<TfrmHistory> FHistoryWindow;
    std::shared_ptr<TWorkerMessage> FWorkerMessage;
};

template <class TSender, class TSignal>
void TfrmMain::Bind(TSender* sender, TSignal signal, void (TfrmMain::*handler)())
{
    connect(sender, signal, this, [this, handler] { RunHandler([this, handler] { (this->*handler)(); }); });
}
