#include "PropertyAliases.h"

#include "AsciiText.h"
#include "SMLOwners.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBox>

namespace {

// A page of a tab widget or tool box has its caption on its host, not on itself.
struct TPageHost
{
    QTabWidget* FTabs = nullptr;
    QToolBox* FToolBox = nullptr;
    int FIndex = -1;
};

TPageHost FindPageHost(const QObject* object)
{
    auto* page = qobject_cast<QWidget*>(const_cast<QObject*>(object));
    if (!page)
        return {};
    // The host keeps its pages inside a stack or scroll area of its own, so look a few levels up.
    for (QWidget* up = page->parentWidget(); up; up = up->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(up))
            return {tabs, nullptr, tabs->indexOf(page)};
        if (auto* box = qobject_cast<QToolBox*>(up))
            return {nullptr, box, box->indexOf(page)};
        if (up->isWindow())
            break;
    }
    return {};
}

bool IsPage(const QObject* object)
{
    return FindPageHost(object).FIndex >= 0;
}

TAliasTarget PageCaption(QObject* object)
{
    TTextAccess access;
    access.FRead = [object] {
        const TPageHost host = FindPageHost(object);
        return host.FTabs ? host.FTabs->tabText(host.FIndex) : host.FToolBox->itemText(host.FIndex);
    };
    access.FWrite = [object](const QString& text) {
        const TPageHost host = FindPageHost(object);
        if (host.FTabs)
            host.FTabs->setTabText(host.FIndex, text);
        else
            host.FToolBox->setItemText(host.FIndex, text);
    };
    return {{}, access, {}};
}

TAliasTarget TabTexts(QObject* object)
{
    auto* bar = static_cast<QTabBar*>(object);
    return {{},
            {},
            TLinesAccess{[bar] { return bar->count(); }, [bar](int i) { return bar->tabText(i); },
                         [bar](int i, const QString& text) { bar->setTabText(i, text); }}};
}

TAliasTarget ComboItems(QObject* object)
{
    auto* combo = static_cast<QComboBox*>(object);
    return {{},
            {},
            TLinesAccess{[combo] { return combo->count(); }, [combo](int i) { return combo->itemText(i); },
                         [combo](int i, const QString& text) { combo->setItemText(i, text); }}};
}

TAliasTarget ListWidgetItems(QObject* object)
{
    auto* list = static_cast<QListWidget*>(object);
    return {{},
            {},
            TLinesAccess{[list] { return list->count(); }, [list](int i) { return list->item(i)->text(); },
                         [list](int i, const QString& text) { list->item(i)->setText(text); }}};
}

template <typename T> bool Is(const QObject* object)
{
    return qobject_cast<const T*>(object) != nullptr;
}

bool IsWidgetOrAction(const QObject* object)
{
    return Is<QWidget>(object) || Is<QAction>(object);
}

bool IsForm(const QObject* object)
{
    return AsForm(const_cast<QObject*>(object)) != nullptr;
}

struct TAliasRow
{
    const char16_t* FName;
    bool (*FApplies)(const QObject*);
    const char* FProperty;             // the Qt property the name stands for, or null
    TAliasTarget (*FAccess)(QObject*); // when the text or list lies outside the property system
};

// More specific kinds first: a menu is also a window, a page is also a plain widget.
const TAliasRow AliasTable[] = {
    {u"Caption", Is<QMenu>, "title", nullptr},
    {u"Caption", Is<QLabel>, "text", nullptr},
    {u"Caption", Is<QAbstractButton>, "text", nullptr},
    {u"Caption", Is<QGroupBox>, "title", nullptr},
    {u"Caption", Is<QAction>, "text", nullptr},
    {u"Caption", IsPage, nullptr, PageCaption},
    {u"Caption", IsForm, "windowTitle", nullptr},
    {u"Hint", IsWidgetOrAction, "toolTip", nullptr},
    // A tab widget is a page control: its texts are its pages' captions, so only a bare tab
    // bar has a list of tab texts.
    {u"Tabs", Is<QTabBar>, nullptr, TabTexts},
    {u"Items", Is<QComboBox>, nullptr, ComboItems},
    {u"Items", Is<QListWidget>, nullptr, ListWidgetItems},
    {u"Font", IsWidgetOrAction, "font", nullptr},
};

} // namespace

std::optional<TAliasTarget> FindAlias(QObject* object, QStringView name)
{
    if (!object)
        return std::nullopt;
    for (const TAliasRow& row : AliasTable) {
        if (!SameAsciiText(name, QStringView(row.FName)) || !row.FApplies(object))
            continue;
        if (row.FAccess)
            return row.FAccess(object);
        const QMetaObject* meta = object->metaObject();
        return TAliasTarget{meta->property(meta->indexOfProperty(row.FProperty)), {}, {}};
    }
    return std::nullopt;
}
