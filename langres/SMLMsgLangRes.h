#pragma once
// The message translator: a list of named messages ("name=text", the text in the default
// language) whose texts are replaced by their translations from the language file. A host reads
// a message by name, MsgList().Values(name), after the pass has run.

#include "SMLLangRes.h"
#include "SMLStringList.h"

#include <QStringList>

// The type of MsgList; a list of its own only so that hosts can name it.
class TsmlMsgList : public TsmlStringList
{
};

class TsmlMsgLangRes : public TsmlLangRes
{
    Q_OBJECT
    Q_PROPERTY(QStringList MsgList READ MsgListLines WRITE SetMsgList)
    Q_PROPERTY(bool Active READ Active WRITE SetActive)

public:
    // Throws TsmlOwnerError as TsmlLangRes does.
    explicit TsmlMsgLangRes(QObject* owner);

    // Every completed change of the list outside the pass runs a pass.
    TsmlMsgList& MsgList() { return FMsgList; }
    const TsmlMsgList& MsgList() const { return FMsgList; }
    const QStringList& MsgListLines() const { return FMsgList.Lines(); }
    // Copies the lines into the component's own list: one change, one pass.
    void SetMsgList(const QStringList& lines) { FMsgList.Assign(lines); }

    // Set while the pass rewrites the list, so that its own changes start no pass.
    bool Updating() const { return FUpdating; }

protected:
    void ApplyLanguage() override;

private:
    TsmlMsgList FMsgList;
    bool FUpdating = false;
};
