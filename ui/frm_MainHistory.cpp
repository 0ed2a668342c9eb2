// The main window's history: each translation kept, the history window, and an entry put back.

#include "AppSettings.h"
#include "HistoryPaths.h"
#include "HistoryRecorder.h"
#include "PaneText.h"
#include "RichPane.h"
#include "frm_History.h"
#include "frm_Main.h"

#include <QRadioButton>

QString TfrmMain::HistoryFilePath()
{
    if (HistoryFile.isEmpty()) {
        HistoryFile = DefaultHistoryFilePath();
    }
    return HistoryFile;
}

void TfrmMain::RecordTranslation(const QString& translation, const QString& clientId)
{
    if (!FHistory) {
        FHistory = std::make_unique<THistoryRecorder>(SettingsFilePath, HistoryFilePath());
        connect(FHistory.get(), &THistoryRecorder::Recorded, this, [this] {
            if (FHistoryWindow) {
                FHistoryWindow->Refresh();
            }
        });
    }
    THistoryEntry entry;
    entry.Direction = FTranslationDirection;
    entry.Source = FSourceText;
    entry.Translation = translation;
    entry.ClientId = clientId;
    FHistory->Record(entry);
}

TfrmHistory* TfrmMain::HistoryWindow() const
{
    return FHistoryWindow;
}

void TfrmMain::FlushHistory()
{
    if (FHistory) {
        FHistory->Flush();
    }
}

void TfrmMain::miHistoryClick()
{
    if (!FHistoryWindow) {
        FHistoryWindow = new TfrmHistory(SettingsFilePath, HistoryFilePath(), this);
        FHistoryWindow->setAttribute(Qt::WA_DeleteOnClose);
        connect(FHistoryWindow, &TfrmHistory::EntryChosen, this, [this](const THistoryEntry& entry) {
            RunHandler([this, &entry] { LoadHistoryEntry(entry); });
        });
        if (FHistory) {
            FHistoryWindow->ShowProblem(FHistory->LastError());
        }
    }
    FHistoryWindow->show();
    FHistoryWindow->raise();
    FHistoryWindow->activateWindow();
}

void TfrmMain::LoadHistoryEntry(const THistoryEntry& entry)
{
    // The button's own click handler writes the direction and turns the panes.
    (entry.Direction == 0 ? rbEngToChn : rbChnToEng)->setChecked(true);
    SetPaneText(*E1, entry.Source);
    SetPaneText(*E2, entry.Translation);
}
