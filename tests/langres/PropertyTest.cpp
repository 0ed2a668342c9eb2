// Published properties by the names the language files use, and the owner's components.

#include "LangResTestSupport.h"
#include "OwnedComponents.h"
#include "SMLPublic.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include <functional>

namespace {

TEST(Properties, HasPropertyKnowsQtPropertiesAndTheLanguageFilesNames)
{
    TfrmTest form;
    auto* label = Make<QLabel>(&form, "labOne");
    auto* edit = Make<QLineEdit>(&form, "edtOne");
    auto* button = Make<QPushButton>(&form, "btnOne");
    auto* group = Make<QGroupBox>(&form, "grpOne");
    auto* tabs = Make<QTabWidget>(&form, "tabs");
    auto* page = new QWidget;
    tabs->addTab(page, QStringLiteral("Page"));
    auto* plain = Make<QWidget>(&form, "pnlOne");
    auto* bar = Make<QTabBar>(&form, "tcOne");
    auto* combo = Make<QComboBox>(&form, "cmbOne");
    auto* list = Make<QListWidget>(&form, "lbOne");
    auto* menu = Make<QMenu>(&form, "mnuOne");
    auto* action = Make<QAction>(&form, "actOne");
    auto* timer = Make<QTimer>(&form, "tmrOne");

    struct TCase
    {
        QObject* FObject;
        const char* FName;
        bool FHas;
    };
    const TCase cases[] = {
        {&form, "Caption", true},
        {&form, "Font", true},
        {&form, "windowtitle", true},
        {label, "Caption", true},
        {label, "caption", true},
        {label, "CAPTION", true},
        {label, "Text", true},
        {label, "Hint", true},
        {label, "Tabs", false},
        {edit, "Caption", false},
        {edit, "Text", true},
        {button, "Caption", true},
        {group, "Caption", true},
        {tabs, "Caption", false},
        {tabs, "Tabs", false},
        {page, "Caption", true},
        {plain, "Caption", false},
        {bar, "Tabs", true},
        {combo, "Items", true},
        {list, "Items", true},
        {edit, "Items", false},
        {menu, "Caption", true},
        {action, "Caption", true},
        {action, "Hint", true},
        {timer, "Hint", false},
        {timer, "interval", true},
        {timer, "", false},
        // Only the case of ASCII letters is ignored: a Kelvin sign is no "k".
        {button, "chec\u212Aable", false},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(HasProperty(c.FObject, QString::fromUtf8(c.FName)), c.FHas)
            << c.FObject->metaObject()->className() << " " << c.FName;
}

TEST(Properties, OwnedComponentsGoDepthFirstInCreationOrder)
{
    TfrmTest form;
    auto* a = Make<QWidget>(&form, "a");
    Make<QLabel>(a, "a1");
    Make<QLabel>(&form, "b");
    Make<QLabel>(a, "a2");
    auto* tabs = Make<QTabWidget>(&form, "tabs");
    for (const char* name : {"page1", "page2"}) {
        auto* page = Make<QWidget>(static_cast<QWidget*>(nullptr), name);
        tabs->addTab(page, QString::fromLatin1(name));
        Make<QLabel>(page, name)->setObjectName(QString::fromLatin1(name) + QStringLiteral("label"));
    }
    auto* combo = Make<QComboBox>(&form, "combo");
    combo->setEditable(true); // gives the combo box inner widgets of its own
    Make<QLabel>(&form, "last");

    // Unnamed objects (the layouts Qt makes) are components too, but carry no texts.
    QStringList names;
    for (const QObject* component : OwnedComponents(&form)) {
        if (!component->objectName().isEmpty())
            names.append(component->objectName());
    }
    EXPECT_EQ(names,
              (QStringList{QStringLiteral("a"), QStringLiteral("a1"), QStringLiteral("a2"),
                           QStringLiteral("b"), QStringLiteral("tabs"), QStringLiteral("page1"),
                           QStringLiteral("page1label"), QStringLiteral("page2"),
                           QStringLiteral("page2label"), QStringLiteral("combo"), QStringLiteral("last")}));
}

} // namespace
