// The form pass: the owner's font and listed properties, then each owned component by kind, in
// the order the owner came to own them.

#include "FontCharset.h"
#include "LangResTestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFont>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>

namespace {

const QString LangIni = QStringLiteral("Lang.ini");

template <typename T> T* MakeText(QWidget* parent, const char* name, const char* text)
{
    T* widget = Make<T>(parent, name);
    widget->setText(QString::fromUtf8(text));
    return widget;
}

// The options dialog as it is laid out, its controls created in the order of its description.
struct TOptionsDialog
{
    TOptionsDialog()
    {
        Form.setWindowTitle(QStringLiteral("Options"));
        Form.setFont(QFont(QStringLiteral("Liberation Sans"), 8));
        auto* pages = Make<QTabWidget>(&Form, "PageControl1");
        auto* general = Make<QWidget>(static_cast<QWidget*>(nullptr), "tsGeneral");
        pages->addTab(general, QStringLiteral("General"));
        MakeText<QCheckBox>(general, "chkAutoCopy", "Auto copy to clipboard in target language.");
        AutoPaste =
            MakeText<QCheckBox>(general, "chkAutoPaste", "Auto paste from clipboard in source language.");
        auto* lang = Make<QGroupBox>(general, "rgLang");
        lang->setTitle(QStringLiteral("Infterface language setting"));
        lang->hide();
        MakeText<QLabel>(lang, "labLang", "Please select a default Language :");
        Lang = Make<QComboBox>(lang, "cmbLang");
        auto* connection = Make<QWidget>(static_cast<QWidget*>(nullptr), "tsConnection");
        pages->addTab(connection, QStringLiteral("Connection"));
        auto* proxy = Make<QGroupBox>(connection, "rgProxySettings");
        proxy->setTitle(QStringLiteral("Proxy Settings"));
        Address = MakeText<QLabel>(proxy, "labAddress", "Address :");
        Make<QLineEdit>(proxy, "edtAddress");
        MakeText<QLabel>(proxy, "labPort", "Port :");
        Make<QLineEdit>(proxy, "edtPort");
        MakeText<QLabel>(proxy, "labUserName", "User name :");
        Make<QLineEdit>(proxy, "edtUserName");
        MakeText<QLabel>(proxy, "labPassword", "Password :");
        Make<QLineEdit>(proxy, "edtPassword");
        MakeText<QRadioButton>(proxy, "rbNoProxy", "No Proxy (direct connection)");
        MakeText<QRadioButton>(proxy, "rbManuallyProxy", "Manually enter proxy settings");
        MakeText<QPushButton>(&Form, "btnOk", "&OK");
        MakeText<QPushButton>(&Form, "btnDefault", "Default");
        Pages = pages;

        Translator = Make<TsmlFormLangRes>(&Form, "smlFormLangRes1");
        Messages = Make<TsmlMsgLangRes>(&Form, "smlMsgLangRes1");
    }

    void SetUpTranslatorAsStored(const QString& langFileName, bool autoCreateMode)
    {
        Translator->SetLangFileName(langFileName);
        Translator->SetIgnoreEmptyString(true);
        Translator->SetAutoCreateMode(autoCreateMode);
        Translator->SetAddBracket(false);
        Translator->SetStringProperties({QStringLiteral("Caption")});
        Translator->SetStringsProperties({QStringLiteral("Tabs")});
        Translator->SetIgnoreControls({QStringLiteral("rbTransNo2")});
        Translator->SetIgnoreFormCaption(true);
        Translator->SetIncludeListViewItems(false);
        Translator->SetIncludeListViewHead(true);
        Translator->SetIncludeTreeViewItems(false);
        Translator->SetActive(true);
    }

    TfrmOptions Form;
    QTabWidget* Pages;
    QCheckBox* AutoPaste;
    QComboBox* Lang;
    QLabel* Address;
    TsmlFormLangRes* Translator;
    TsmlMsgLangRes* Messages;
};

class FormLangRes : public TLangFileTest
{
};

TEST_F(FormLangRes, OptionsDialogReadsItsKeysInOrder)
{
    // Writing back every key it reads shows which keys the pass reads, and in which order.
    TOptionsDialog dialog;
    dialog.SetUpTranslatorAsStored(LangName(LangIni), true);
    EXPECT_EQ(
        ReadFile(LangIni),
        IniText({"[TfrmOptions]", "frmOptions_FontName=Liberation Sans", "frmOptions_FontSize=8",
                 "frmOptions_FontCharset=1", "tsGeneral_Caption=General",
                 "chkAutoCopy_Caption=Auto copy to clipboard in target language.",
                 "chkAutoPaste_Caption=Auto paste from clipboard in source language.",
                 "rgLang_Caption=Infterface language setting",
                 "labLang_Caption=Please select a default Language :", "tsConnection_Caption=Connection",
                 "rgProxySettings_Caption=Proxy Settings",
                 "labAddress_Caption=Address :", "labPort_Caption=Port :", "labUserName_Caption=User name :",
                 "labPassword_Caption=Password :", "rbNoProxy_Caption=No Proxy (direct connection)",
                 "rbManuallyProxy_Caption=Manually enter proxy settings", "btnOk_Caption=&OK",
                 "btnDefault_Caption=Default"}));
}

TEST_F(FormLangRes, OptionsDialogTakesItsTextsFromTheFile)
{
    WriteFile(LangIni, IniText({"[TfrmOptions]", "frmOptions_FontName=DejaVu Sans", "frmOptions_FontSize=10",
                                "frmOptions_Caption=Not this one", "tsConnection_Caption=Verbindung",
                                "chkAutoPaste_Caption=<Einfügen >",
                                "labAddress_Caption=Adresse :", "strInfomation=Auskunft"}));
    TOptionsDialog dialog;
    dialog.Lang->addItems({QStringLiteral("English")});
    dialog.SetUpTranslatorAsStored(LangName(LangIni), false);
    dialog.Messages->SetLangFileName(LangName(LangIni));
    dialog.Messages->SetIgnoreEmptyString(false);
    dialog.Messages->SetAutoCreateMode(false);
    dialog.Messages->SetMsgList({QStringLiteral("strInfomation=Information")});
    dialog.Messages->SetActive(true);

    EXPECT_EQ(dialog.Form.windowTitle(), QStringLiteral("Options"));
    EXPECT_EQ(dialog.Pages->tabText(0), QStringLiteral("General"));
    EXPECT_EQ(dialog.Pages->tabText(1), QStringLiteral("Verbindung"));
    EXPECT_EQ(dialog.AutoPaste->text(), QStringLiteral("Einfügen "));
    EXPECT_EQ(dialog.Address->text(), QStringLiteral("Adresse :"));
    EXPECT_EQ(dialog.Lang->itemText(0), QStringLiteral("English"));
    // No control has a font of its own, so the dialog's font is everyone's.
    EXPECT_EQ(dialog.Address->font().family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(dialog.Address->font().pointSize(), 10);
    EXPECT_EQ(dialog.Messages->MsgList().Values(QStringLiteral("strInfomation")), QStringLiteral("Auskunft"));
    EXPECT_EQ(ReadFile(LangIni).count(u'\n'), 8) << "nothing written";
}

TEST_F(FormLangRes, IgnoreFormCaptionMatchesOnlyTheExactSpelling)
{
    struct TCase
    {
        bool FIgnoreFormCaption;
        const char* FLine;
        QString FTitle;
    };
    const TCase cases[] = {
        {true, "Caption", QStringLiteral("Title")},
        {true, "caption", QStringLiteral("Titre")},
        {false, "Caption", QStringLiteral("Titre")},
    };
    WriteFile(LangIni,
              IniText({"[TfrmTest]", "frmTest_FontSize=14", "frmTest_Caption=Titre", "labOne_Caption=Un"}));
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.FLine);
        TfrmTest form;
        form.setWindowTitle(QStringLiteral("Title"));
        auto* label = MakeText<QLabel>(&form, "labOne", "One");
        auto* translator = new TsmlFormLangRes(&form);
        translator->SetAutoCreateMode(false);
        translator->SetLangFileName(LangName(LangIni));
        translator->SetIgnoreFormCaption(c.FIgnoreFormCaption);
        translator->SetStringProperties({QString::fromUtf8(c.FLine)});
        translator->SetActive(true);
        EXPECT_EQ(form.windowTitle(), c.FTitle);
        EXPECT_EQ(label->text(), QStringLiteral("Un"));
        EXPECT_EQ(form.font().pointSize(), 14);
    }
}

TEST_F(FormLangRes, KeysCarryTheListsSpelling)
{
    TfrmTest form;
    form.setFont(QFont(QStringLiteral("Liberation Sans"), 9));
    form.setWindowTitle(QStringLiteral("Title"));
    MakeText<QLabel>(&form, "labOne", "One");
    auto* translator = new TsmlFormLangRes(&form);
    translator->SetLangFileName(LangName(LangIni));
    translator->SetIgnoreFormCaption(true);
    translator->SetStringProperties({QStringLiteral("caption")});
    translator->SetActive(true);
    EXPECT_EQ(ReadFile(LangIni),
              IniText({"[TfrmTest]", "frmTest_FontName=Liberation Sans", "frmTest_FontSize=9",
                       "frmTest_FontCharset=1", "frmTest_caption=Title", "labOne_caption=One"}));
}

TEST_F(FormLangRes, IgnoreControlsMatchesWholeNamesWithCase)
{
    struct TCase
    {
        QStringList FIgnore;
        bool FTranslated;
    };
    const TCase cases[] = {
        {{QStringLiteral("labOne")}, false}, {{QStringLiteral("other"), QStringLiteral("labOne")}, false},
        {{QStringLiteral("LABONE")}, true},  {{QStringLiteral("labOne ")}, true},
        {{QStringLiteral("lab")}, true},
    };
    WriteFile(LangIni, IniText({"[TfrmTest]", "labOne_Caption=Un"}));
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.FIgnore.join(u'|').toStdString());
        TfrmTest form;
        auto* label = MakeText<QLabel>(&form, "labOne", "One");
        auto* translator = new TsmlFormLangRes(&form);
        translator->SetAutoCreateMode(false);
        translator->SetLangFileName(LangName(LangIni));
        translator->SetIgnoreControls(c.FIgnore);
        translator->SetActive(true);
        EXPECT_EQ(label->text(), c.FTranslated ? QStringLiteral("Un") : QStringLiteral("One"));
    }
}

TEST_F(FormLangRes, FontKeys)
{
    struct TCase
    {
        const char* FLine;
        QString FFamily;
        int FPointSize;
        int FPixelSize; // -1 when the size is in points
        int FCharset;
    };
    const QString liberation = QStringLiteral("Liberation Sans");
    const TCase cases[] = {
        {"other=1", liberation, 9, -1, 1},
        {"frmTest_FontName=<DejaVu Sans>", QStringLiteral("DejaVu Sans"), 9, -1, 1},
        {"frmTest_FontSize=0x0C", liberation, 12, -1, 1},
        {"frmTest_FontSize=0X0c", liberation, 12, -1, 1},
        {"frmTest_FontSize=0", liberation, 9, -1, 1},
        {"frmTest_FontSize=twelve", liberation, 9, -1, 1},
        // Only decimal and "0x" hexadecimal: the settings file's other forms are no number here.
        {"frmTest_FontSize=$0C", liberation, 9, -1, 1},
        {"frmTest_FontSize=x0C", liberation, 9, -1, 1},
        {"frmTest_FontSize=0x", liberation, 9, -1, 1},
        {"frmTest_FontSize=+12", liberation, 9, -1, 1},
        {"frmTest_FontSize=\" 12\"", liberation, 9, -1, 1},
        {"frmTest_FontSize=12 ", liberation, 12, -1, 1},
        {"frmTest_FontCharset=$B2", liberation, 9, -1, 1},
        {"frmTest_FontSize=-16", liberation, -1, 16, 1},
        {"frmTest_FontCharset=-1", liberation, 9, -1, 1},
        {"frmTest_FontCharset=178", liberation, 9, -1, 178},
        {"frmTest_FontCharset=0xB2", liberation, 9, -1, 178},
        {"frmTest_FontCharset=434", liberation, 9, -1, 178},
        {"frmTest_FontCharset=0", liberation, 9, -1, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.FLine);
        WriteFile(LangIni, IniText({"[TfrmTest]", c.FLine}));
        TfrmTest form;
        form.setFont(QFont(liberation, 9));
        auto* label = Make<QLabel>(&form, "labOne");
        auto* translator = new TsmlFormLangRes(&form);
        translator->SetAutoCreateMode(false);
        translator->SetLangFileName(LangName(LangIni));
        translator->SetActive(true);
        EXPECT_EQ(form.font().family(), c.FFamily);
        EXPECT_EQ(label->font().family(), c.FFamily);
        EXPECT_EQ(form.font().pointSize(), c.FPointSize);
        EXPECT_EQ(form.font().pixelSize(), c.FPixelSize);
        EXPECT_EQ(FontCharset(&form), c.FCharset);
    }
}

TEST_F(FormLangRes, AFontNumberThatIsNoNumberIsRewrittenUnderAutoCreateMode)
{
    WriteFile(LangIni, IniText({"[TfrmTest]", "frmTest_FontName=Liberation Sans", "frmTest_FontSize=$0C",
                                "frmTest_FontCharset=x10"}));
    TfrmTest form;
    form.setFont(QFont(QStringLiteral("Liberation Sans"), 9));
    auto* translator = new TsmlFormLangRes(&form);
    translator->SetIgnoreFormCaption(true);
    translator->SetLangFileName(LangName(LangIni));
    translator->SetActive(true);
    EXPECT_EQ(form.font().pointSize(), 9);
    EXPECT_EQ(FontCharset(&form), 1);
    EXPECT_EQ(ReadFile(LangIni), IniText({"[TfrmTest]", "frmTest_FontName=Liberation Sans",
                                          "frmTest_FontSize=9", "frmTest_FontCharset=1"}));
}

// Writing each object's name back under its own key lists the components the pass visits.
TEST_F(FormLangRes, VisitsOwnedComponentsInOrderPassingOverTheExcludedKinds)
{
    TfrmTest form;
    form.setFont(QFont(QStringLiteral("Liberation Sans"), 9));
    Make<QLabel>(&form, "labOne");
    Make<QTimer>(&form, "tmrOne");
    Make<QAction>(&form, "actOne");
    auto* menu = Make<QMenu>(&form, "mnuOne");
    Make<QAction>(menu, "miOne");
    Make<TsmlFormLangRes>(&form, "smlTwo");
    Make<TsmlMsgLangRes>(&form, "smlMsg");
    auto* tabs = Make<QTabWidget>(&form, "tabs");
    auto* page = Make<QWidget>(static_cast<QWidget*>(nullptr), "pgOne");
    tabs->addTab(page, QStringLiteral("Page"));
    Make<QLabel>(page, "labInPage");
    auto* list = Make<QListWidget>(&form, "lvOne");
    list->addItem(QStringLiteral("item"));
    auto* tree = Make<QTreeWidget>(&form, "tvOne");
    new QTreeWidgetItem(tree, {QStringLiteral("node")});
    auto* grid = Make<QTableWidget>(&form, "dgOne");
    grid->setColumnCount(1);
    grid->setHorizontalHeaderLabels({QStringLiteral("Column")});
    auto* frame = Make<TfraTest>(&form, "fraTest");
    Make<QLabel>(frame, "labInFrame");
    auto* child = Make<TfrmTest>(&form, "dlgChild");
    Make<QLabel>(child, "labInDialog");
    Make<QLabel>(&form, "labLast");

    auto* translator = Make<TsmlFormLangRes>(&form, "smlOne");
    translator->SetLangFileName(LangName(LangIni));
    // Unnamed objects (layouts, for one) give empty texts, which are not written.
    translator->SetIgnoreEmptyString(true);
    translator->SetStringProperties({QStringLiteral("objectName")});
    translator->SetStringsProperties({});
    translator->SetActive(true);
    EXPECT_EQ(ReadFile(LangIni),
              IniText({"[TfrmTest]", "frmTest_FontName=Liberation Sans", "frmTest_FontSize=9",
                       "frmTest_FontCharset=1", "frmTest_objectName=frmTest", "labOne_objectName=labOne",
                       "mnuOne_objectName=mnuOne", "smlMsg_objectName=smlMsg", "tabs_objectName=tabs",
                       "pgOne_objectName=pgOne", "labInPage_objectName=labInPage", "tvOne_objectName=tvOne",
                       "dgOne_ColumnsCaption[0]=Column", "fraTest_objectName=fraTest",
                       "dlgChild_objectName=dlgChild", "labLast_objectName=labLast"}));
}

class FormLangResViews : public TLangFileTest
{
protected:
    FormLangResViews()
    {
        FForm.setFont(QFont(QStringLiteral("Liberation Sans"), 9));
        FListView = Make<QListView>(&FForm, "lvFiles");
        auto* files = new QStandardItemModel(2, 2, FListView);
        files->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Size")});
        files->setItem(0, 0, new QStandardItem(QStringLiteral("a")));
        files->setItem(0, 1, new QStandardItem(QStringLiteral("1")));
        files->setItem(1, 0, new QStandardItem(QStringLiteral("b")));
        files->setItem(1, 1, new QStandardItem(QStringLiteral("2")));
        FListView->setModel(files);
        FListView->setToolTip(QStringLiteral("list tip"));

        FTree = Make<QTreeWidget>(&FForm, "tvNodes");
        auto* root = new QTreeWidgetItem(FTree, {QStringLiteral("Root")});
        new QTreeWidgetItem(root, {QStringLiteral("Leaf1")});
        new QTreeWidgetItem(root, {QStringLiteral("Leaf2")});
        new QTreeWidgetItem(FTree, {QStringLiteral("Other")});
        FTree->setToolTip(QStringLiteral("tree tip"));

        FHeader = new QHeaderView(Qt::Horizontal, &FForm);
        FHeader->setObjectName(QStringLiteral("hdrOne"));
        auto* sections = new QStandardItemModel(0, 2, FHeader);
        sections->setHorizontalHeaderLabels({QStringLiteral("H1"), QStringLiteral("H2")});
        FHeader->setModel(sections);

        FGrid = Make<QTableWidget>(&FForm, "dgGrid");
        FGrid->setColumnCount(2);
        FGrid->setRowCount(1);
        FGrid->setHorizontalHeaderLabels({QStringLiteral("G1"), QStringLiteral("G2")});

        FTranslator = new TsmlFormLangRes(&FForm);
        FTranslator->SetLangFileName(LangName(LangIni));
        FTranslator->SetIgnoreFormCaption(true);
        FTranslator->SetStringProperties({QStringLiteral("Caption"), QStringLiteral("Hint")});
    }

    QString Cell(QAbstractItemModel* model, int row, int column) const
    {
        return model->index(row, column).data().toString();
    }

    TfrmTest FForm;
    QListView* FListView;
    QTreeWidget* FTree;
    QHeaderView* FHeader;
    QTableWidget* FGrid;
    TsmlFormLangRes* FTranslator;
};

TEST_F(FormLangResViews, CollectionKeysWithEveryFlagSet)
{
    FTranslator->SetIncludeListViewHead(true);
    FTranslator->SetIncludeListViewItems(true);
    FTranslator->SetIncludeTreeViewItems(true);
    FTranslator->SetActive(true);
    EXPECT_EQ(
        ReadFile(LangIni),
        IniText({"[TfrmTest]", "frmTest_FontName=Liberation Sans", "frmTest_FontSize=9",
                 "frmTest_FontCharset=1", "frmTest_Hint=", "lvFiles_ColumnCaption[0]=Name",
                 "lvFiles_ColumnCaption[1]=Size", "lvFiles_ItemCaption[0]=a",
                 "lvFiles_SubItem[0]Caption[0]=1", "lvFiles_ItemCaption[1]=b",
                 "lvFiles_SubItem[1]Caption[0]=2", "tvNodes_ItemText[0]=Root", "tvNodes_ItemText[1]=Leaf1",
                 "tvNodes_ItemText[2]=Leaf2", "tvNodes_ItemText[3]=Other", "hdrOne_SectionsText[0]=H1",
                 "hdrOne_SectionsText[1]=H2", "dgGrid_ColumnsCaption[0]=G1", "dgGrid_ColumnsCaption[1]=G2"}));
}

TEST_F(FormLangResViews, WithTheFlagsOffAListViewIsLeftAloneAndATreeViewIsAControl)
{
    FTranslator->SetActive(true);
    EXPECT_EQ(ReadFile(LangIni),
              IniText({"[TfrmTest]", "frmTest_FontName=Liberation Sans", "frmTest_FontSize=9",
                       "frmTest_FontCharset=1", "frmTest_Hint=", "tvNodes_Hint=tree tip",
                       "hdrOne_SectionsText[0]=H1", "hdrOne_SectionsText[1]=H2",
                       "dgGrid_ColumnsCaption[0]=G1", "dgGrid_ColumnsCaption[1]=G2"}));
}

TEST_F(FormLangResViews, CollectionTextsAreApplied)
{
    WriteFile(LangIni, IniText({"[TfrmTest]", "lvFiles_ColumnCaption[1]=Taille", "lvFiles_ItemCaption[1]=B",
                                "lvFiles_SubItem[1]Caption[0]=<deux>", "tvNodes_ItemText[2]=Feuille2",
                                "tvNodes_ItemText[3]=Autre", "hdrOne_SectionsText[1]=En-tête",
                                "dgGrid_ColumnsCaption[0]=Colonne"}));
    FTranslator->SetAutoCreateMode(false);
    FTranslator->SetIncludeListViewHead(true);
    FTranslator->SetIncludeListViewItems(true);
    FTranslator->SetIncludeTreeViewItems(true);
    FTranslator->SetActive(true);

    QAbstractItemModel* files = FListView->model();
    EXPECT_EQ(files->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Name"));
    EXPECT_EQ(files->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Taille"));
    EXPECT_EQ(Cell(files, 0, 0), QStringLiteral("a"));
    EXPECT_EQ(Cell(files, 1, 0), QStringLiteral("B"));
    EXPECT_EQ(Cell(files, 1, 1), QStringLiteral("deux"));
    EXPECT_EQ(FTree->topLevelItem(0)->child(1)->text(0), QStringLiteral("Feuille2"));
    EXPECT_EQ(FTree->topLevelItem(1)->text(0), QStringLiteral("Autre"));
    EXPECT_EQ(FHeader->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("En-tête"));
    EXPECT_EQ(FGrid->horizontalHeaderItem(0)->text(), QStringLiteral("Colonne"));
}

TEST_F(FormLangRes, TextAndStringListPropertiesOfEachKind)
{
    TfrmTest form;
    form.setFont(QFont(QStringLiteral("Liberation Sans"), 9));
    MakeText<QLabel>(&form, "labOne", "One");
    auto* combo = Make<QComboBox>(&form, "cmbLang");
    combo->addItems({QStringLiteral("English"), QStringLiteral("Arabic")});
    auto* bar = Make<QTabBar>(&form, "tcOne");
    bar->addTab(QStringLiteral("First"));
    auto* translator = new TsmlFormLangRes(&form);
    translator->SetLangFileName(LangName(LangIni));
    translator->SetIgnoreFormCaption(true);
    // A list named as a text reads as empty; a text named as a list is no list at all.
    translator->SetStringProperties({QStringLiteral("Caption"), QStringLiteral("Items")});
    translator->SetStringsProperties(
        {QStringLiteral("Tabs"), QStringLiteral("Items"), QStringLiteral("Caption")});
    translator->SetActive(true);
    EXPECT_EQ(ReadFile(LangIni), IniText({"[TfrmTest]", "frmTest_FontName=Liberation Sans",
                                          "frmTest_FontSize=9", "frmTest_FontCharset=1", "labOne_Caption=One",
                                          "cmbLang_Items=", "cmbLang_Items[0]=English",
                                          "cmbLang_Items[1]=Arabic", "tcOne_Tabs[0]=First"}));

    WriteFile(LangIni, IniText({"[TfrmTest]", "cmbLang_Items=ignored", "cmbLang_Items[1]=Arabisch",
                                "tcOne_Tabs[0]=Erste"}));
    translator->SetAutoCreateMode(false); // runs the pass over the new file
    EXPECT_EQ(combo->itemText(0), QStringLiteral("English"));
    EXPECT_EQ(combo->itemText(1), QStringLiteral("Arabisch"));
    EXPECT_EQ(bar->tabText(0), QStringLiteral("Erste"));
}

TEST_F(FormLangRes, AFrameIsTranslatedInItsOwnSection)
{
    WriteFile(LangIni, IniText({"[TfraTest]", "fraTest_FontSize=11", "labInFrame_Caption=Drinnen",
                                "labOnForm_Caption=Wrong", "[TfrmTest]", "labInFrame_Caption=Wrong"}));
    TfrmTest form;
    auto* onForm = MakeText<QLabel>(&form, "labOnForm", "Form");
    auto* frame = new TfraTest(&form);
    auto* inFrame = MakeText<QLabel>(frame, "labInFrame", "Frame");
    auto* translator = new TsmlFormLangRes(frame);
    translator->SetAutoCreateMode(false);
    translator->SetLangFileName(LangName(LangIni));
    translator->SetActive(true);
    EXPECT_EQ(frame->font().pointSize(), 11);
    EXPECT_EQ(inFrame->text(), QStringLiteral("Drinnen"));
    EXPECT_EQ(onForm->text(), QStringLiteral("Form"));
}

TEST_F(FormLangRes, OnADataModuleThePassDoesNothing)
{
    TdmTest dataModule;
    Make<QAction>(&dataModule, "actOne")->setText(QStringLiteral("Action"));
    Make<QObject>(&dataModule, "objOne");
    auto* translator = new TCountingFormLangRes(&dataModule);
    translator->SetLangFileName(LangName(LangIni));
    translator->SetStringProperties({QStringLiteral("objectName")});
    translator->SetActive(true);
    EXPECT_EQ(translator->FPasses, 1);
    EXPECT_FALSE(QFileInfo::exists(FullPath(LangIni)));
}

TEST_F(FormLangRes, ALaterPassStartsFromTheTextsOfTheEarlierOne)
{
    WriteFile(QStringLiteral("First.ini"),
              IniText({"[TfrmTest]", "labOne_Caption=Eins", "labTwo_Caption=Zwei"}));
    WriteFile(QStringLiteral("Second.ini"), IniText({"[TfrmTest]", "labOne_Caption=Un"}));
    TfrmTest form;
    auto* one = MakeText<QLabel>(&form, "labOne", "One");
    auto* two = MakeText<QLabel>(&form, "labTwo", "Two");
    auto* translator = new TsmlFormLangRes(&form);
    translator->SetAutoCreateMode(false);
    translator->SetLangFileName(LangName(QStringLiteral("First.ini")));
    translator->SetActive(true);
    translator->SetLangFileName(LangName(QStringLiteral("Second.ini")));
    EXPECT_EQ(one->text(), QStringLiteral("Un"));
    EXPECT_EQ(two->text(), QStringLiteral("Zwei"));
    // Switching off restores nothing.
    translator->SetActive(false);
    EXPECT_EQ(one->text(), QStringLiteral("Un"));
}

} // namespace
