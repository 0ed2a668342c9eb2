#include "SMLFormLangRes.h"

#include "OwnedComponents.h"
#include "SMLPublic.h"

#include <QAction>
#include <QHeaderView>
#include <QListView>
#include <QPointer>
#include <QTableView>
#include <QTimer>
#include <QTreeView>

TsmlFormLangRes::TsmlFormLangRes(QObject* owner) : TsmlLangRes(owner)
{
    FStringProperties.Assign({QStringLiteral("Caption")});
    FStringsProperties.Assign({QStringLiteral("Tabs"), QStringLiteral("Items")});
    // Attached only now, so that the initial lines start no pass.
    const auto update = [this] { UpdateLanguage(); };
    FStringProperties.SetOnChange(update);
    FStringsProperties.SetOnChange(update);
    FIgnoreControls.SetOnChange(update);
}

void TsmlFormLangRes::SetIgnoreFormCaption(bool value)
{
    FIgnoreFormCaption = value;
    UpdateLanguage();
}

void TsmlFormLangRes::SetIncludeListViewItems(bool value)
{
    FIncludeListViewItems = value;
    UpdateLanguage();
}

void TsmlFormLangRes::SetIncludeListViewHead(bool value)
{
    FIncludeListViewHead = value;
    UpdateLanguage();
}

void TsmlFormLangRes::SetIncludeTreeViewItems(bool value)
{
    FIncludeTreeViewItems = value;
    UpdateLanguage();
}

void TsmlFormLangRes::ApplyLanguage()
{
    // A data module has no texts of its own to show.
    QObject* owner = OwnerForm() ? static_cast<QObject*>(OwnerForm()) : OwnerFrame();
    if (!owner)
        return;
    TranslateOwner(owner);
    // Taken once: what a translation creates waits for the next pass, and what it deletes is
    // passed over.
    const QList<QObject*> found = OwnedComponents(owner);
    const QList<QPointer<QObject>> components(found.begin(), found.end());
    for (const QPointer<QObject>& component : components) {
        if (component)
            TranslateComponent(component);
    }
}

void TsmlFormLangRes::TranslateOwner(QObject* owner)
{
    TranslateFont(owner);
    // Copies: a translated text must not pull the list from under the loop.
    const QStringList stringProperties = FStringProperties.Lines();
    const QStringList stringsProperties = FStringsProperties.Lines();
    for (const QString& property : stringProperties) {
        // Case-sensitive on purpose: "caption" still reaches the form's own caption.
        if (FIgnoreFormCaption && property == QLatin1String("Caption"))
            continue;
        if (HasProperty(owner, property))
            TranslateStringProperty(owner, property);
    }
    for (const QString& property : stringsProperties) {
        if (HasProperty(owner, property))
            TranslateStringsProperty(owner, property);
    }
}

bool TsmlFormLangRes::IsIgnored(const QObject* component) const
{
    // Another form translator runs its own pass; timers and menu items carry no texts of a form.
    if (qobject_cast<const TsmlFormLangRes*>(component) || qobject_cast<const QTimer*>(component) ||
        qobject_cast<const QAction*>(component))
        return true;
    return FIgnoreControls.Lines().contains(component->objectName(), Qt::CaseSensitive);
}

void TsmlFormLangRes::TranslateComponent(QObject* component)
{
    if (IsIgnored(component))
        return;
    if (auto* listView = qobject_cast<QListView*>(component)) {
        // A list view's own properties are never translated, whatever the flags say.
        if (FIncludeListViewHead)
            TranslateListViewColumns(listView);
        if (FIncludeListViewItems)
            TranslateListViewItems(listView);
    } else if (auto* treeView = qobject_cast<QTreeView*>(component); treeView && FIncludeTreeViewItems) {
        TranslateTreeViewItems(treeView);
    } else if (auto* header = qobject_cast<QHeaderView*>(component)) {
        TranslateHeaderSections(header);
    } else if (auto* grid = qobject_cast<QTableView*>(component)) {
        TranslateDBGridColumns(grid);
    } else {
        TranslateListedProperties(component);
    }
}

void TsmlFormLangRes::TranslateListedProperties(QObject* component)
{
    const QStringList stringProperties = FStringProperties.Lines();
    const QStringList stringsProperties = FStringsProperties.Lines();
    for (const QString& property : stringProperties) {
        if (HasProperty(component, property))
            TranslateStringProperty(component, property);
    }
    for (const QString& property : stringsProperties) {
        if (HasProperty(component, property))
            TranslateStringsProperty(component, property);
    }
}
