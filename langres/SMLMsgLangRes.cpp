#include "SMLMsgLangRes.h"

TsmlMsgLangRes::TsmlMsgLangRes(QObject* owner) : TsmlLangRes(owner)
{
    FMsgList.SetOnChange([this] {
        if (!FUpdating)
            UpdateLanguage();
    });
}

void TsmlMsgLangRes::ApplyLanguage()
{
    // Cleared also when a write-back fails, so that later changes of the list still translate.
    struct TUpdatingGuard
    {
        bool& FFlag;
        explicit TUpdatingGuard(bool& flag) : FFlag(flag) { FFlag = true; }
        ~TUpdatingGuard() { FFlag = false; }
    } guard(FUpdating);

    for (int i = 0, count = FMsgList.Count(); i < count; ++i) {
        // The name ends at the first "="; the text is all after it, further "=" included. A line
        // without "=" is all text under the empty name.
        const QString line = FMsgList.Strings(i);
        const qsizetype equals = line.indexOf(u'=');
        const QString name = equals < 0 ? QString() : line.left(equals);
        const QString text = line.mid(equals + 1);
        const QString translation = ReadLangString(name, text);
        // An empty translation is a miss, even from a value of "<>".
        if (!translation.isEmpty())
            FMsgList.Put(i, name + u'=' + translation);
    }
}
