#pragma once
// The form translator: puts the language file's texts on the owner form's (or frame's) font and
// listed properties, then on every component the owner owns.
//
// A host creates it with the form as owner, after the controls it is to translate, sets
// LangFileName and the lists, and sets Active last; every later change of a setting translates
// the form again. On a data module it can be created but translates nothing.

#include "SMLLangRes.h"
#include "SMLStringList.h"

#include <QStringList>

class TsmlFormLangRes : public TsmlLangRes
{
    Q_OBJECT
    Q_PROPERTY(QStringList StringProperties READ StringPropertiesLines WRITE SetStringProperties)
    Q_PROPERTY(QStringList StringsProperties READ StringsPropertiesLines WRITE SetStringsProperties)
    Q_PROPERTY(QStringList IgnoreControls READ IgnoreControlsLines WRITE SetIgnoreControls)
    Q_PROPERTY(bool IgnoreFormCaption READ IgnoreFormCaption WRITE SetIgnoreFormCaption)
    Q_PROPERTY(bool IncludeListViewItems READ IncludeListViewItems WRITE SetIncludeListViewItems)
    Q_PROPERTY(bool IncludeListViewHead READ IncludeListViewHead WRITE SetIncludeListViewHead)
    Q_PROPERTY(bool IncludeTreeViewItems READ IncludeTreeViewItems WRITE SetIncludeTreeViewItems)
    Q_PROPERTY(bool Active READ Active WRITE SetActive)

public:
    // Throws TsmlOwnerError as TsmlLangRes does.
    explicit TsmlFormLangRes(QObject* owner);

    // The lists themselves: every completed change of one of them runs a pass.
    TsmlStringList& StringProperties() { return FStringProperties; }
    TsmlStringList& StringsProperties() { return FStringsProperties; }
    TsmlStringList& IgnoreControls() { return FIgnoreControls; }

    // Writing a list copies the lines into the component's own list: one change, one pass.
    const QStringList& StringPropertiesLines() const { return FStringProperties.Lines(); }
    void SetStringProperties(const QStringList& lines) { FStringProperties.Assign(lines); }
    const QStringList& StringsPropertiesLines() const { return FStringsProperties.Lines(); }
    void SetStringsProperties(const QStringList& lines) { FStringsProperties.Assign(lines); }
    const QStringList& IgnoreControlsLines() const { return FIgnoreControls.Lines(); }
    void SetIgnoreControls(const QStringList& lines) { FIgnoreControls.Assign(lines); }

    bool IgnoreFormCaption() const { return FIgnoreFormCaption; }
    void SetIgnoreFormCaption(bool value);
    bool IncludeListViewItems() const { return FIncludeListViewItems; }
    void SetIncludeListViewItems(bool value);
    bool IncludeListViewHead() const { return FIncludeListViewHead; }
    void SetIncludeListViewHead(bool value);
    bool IncludeTreeViewItems() const { return FIncludeTreeViewItems; }
    void SetIncludeTreeViewItems(bool value);

protected:
    void ApplyLanguage() override;

private:
    void TranslateOwner(QObject* owner);
    void TranslateComponent(QObject* component);
    void TranslateListedProperties(QObject* component);
    bool IsIgnored(const QObject* component) const;

    TsmlStringList FStringProperties;
    TsmlStringList FStringsProperties;
    TsmlStringList FIgnoreControls;
    bool FIgnoreFormCaption = false;
    bool FIncludeListViewItems = false;
    bool FIncludeListViewHead = false;
    bool FIncludeTreeViewItems = false;
};
