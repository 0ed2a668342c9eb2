#pragma once
// While it lives, edits of the document leave no undo step. Switching undo off drops the history,
// as it must: older steps would no longer fit the document.

#include <QTextDocument>

class TUndoPause
{
public:
    explicit TUndoPause(QTextDocument& document) : FDocument(document), FEnabled(document.isUndoRedoEnabled())
    {
        FDocument.setUndoRedoEnabled(false);
    }
    ~TUndoPause() { FDocument.setUndoRedoEnabled(FEnabled); }
    TUndoPause(const TUndoPause&) = delete;
    TUndoPause& operator=(const TUndoPause&) = delete;

private:
    QTextDocument& FDocument;
    bool FEnabled;
};
