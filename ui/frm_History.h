#pragma once
// The history window: the kept translations, newest first, found again by words as they are
// typed, put back into the main window's panes, removed. One at a time, not modal, resizable.

#include "HistoryEntry.h"
#include "frm_Root.h"

#include <QList>
#include <QString>

#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class THistoryStore;

class TfrmHistory final : public TfrmRoot
{
    Q_OBJECT

public:
    // settingsFile holds the "History" key; historyFile is the history. The file is read only
    // when it exists, so that opening the window never makes one.
    TfrmHistory(const QString& settingsFile, const QString& historyFile, QWidget* parent = nullptr);
    ~TfrmHistory() override;

    QLineEdit* edtSearch;
    QLabel* labProblem;
    QTreeWidget* lvEntries;
    QCheckBox* chkKeep;
    QPushButton* btnClear;

    // Shows what is wrong with the history, or nothing for an empty text.
    void ShowProblem(const QString& text);
    // Lists the entries of the search field's words again.
    void Refresh();
    // The entries as listed, in order.
    const QList<THistoryEntry>& Entries() const { return FEntries; }

signals:
    // Enter or a double click on an entry.
    void EntryChosen(const THistoryEntry& entry);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ChooseCurrent();
    void RemoveSelected();
    void ClearAll();
    // Runs an action on the store; its failure is shown in the window, not thrown.
    template <class TAction> void WithStore(TAction&& action);

    const QString FSettingsFile;
    const QString FHistoryFile;
    std::unique_ptr<THistoryStore> FStore;
    QList<THistoryEntry> FEntries;
};
