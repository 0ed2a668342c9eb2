// The rules every language component shares: owners, where the file lies, how values are
// decoded and written back, when a pass runs, and what happens when the file is missing or
// cannot be written.

#include "LangResTestSupport.h"
#include "PrivateProfile.h"

#include <QFileInfo>
#include <QFont>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMetaProperty>

#include <functional>
#include <unistd.h>

namespace {

TEST(LangResOwner, FormsDataModulesAndFramesAreTheOnlyOwners)
{
    enum TKind
    {
        Form,
        DataModule,
        Frame,
        Refused
    };
    struct TCase
    {
        const char* FWhat;
        std::function<QObject*()> FMake;
        TKind FKind;
    };
    const TCase cases[] = {
        {"dialog", [] { return new TfrmTest; }, Form},
        {"top-level widget", [] { return new QWidget; }, Form},
        {"main window", [] { return new QMainWindow; }, Form},
        {"data module", [] { return new TdmTest; }, DataModule},
        {"frame on a form", [] { return new TfraTest(new TfrmTest); }, Frame},
        {"frame on its own", [] { return new TfraTest(nullptr); }, Frame},
        {"widget on a form", [] { return new QLabel(new TfrmTest); }, Refused},
        {"popup menu", [] { return new QMenu; }, Refused},
        {"plain object", [] { return new QObject; }, Refused},
        {"no owner", [] { return nullptr; }, Refused},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.FWhat);
        QObject* owner = c.FMake();
        // Whatever was made is deleted through its top-level ancestor.
        QObject* top = owner;
        while (top && top->parent())
            top = top->parent();
        std::unique_ptr<QObject> cleanup(top);

        if (c.FKind == Refused) {
            const std::function<void()> constructions[] = {[owner] { TsmlFormLangRes translator(owner); },
                                                           [owner] { TsmlMsgLangRes translator(owner); }};
            for (const auto& construct : constructions) {
                try {
                    construct();
                    ADD_FAILURE() << "constructed";
                } catch (const TsmlOwnerError& error) {
                    EXPECT_STREQ(error.what(), "Owner must be a Form or a DataModule!");
                }
            }
            if (owner) {
                EXPECT_TRUE(owner->findChildren<TsmlLangRes*>().isEmpty());
            }
            continue;
        }
        auto* translator = new TsmlMsgLangRes(owner);
        EXPECT_EQ(translator->parent(), owner);
        EXPECT_EQ(translator->OwnerForm() != nullptr, c.FKind == Form);
        EXPECT_EQ(translator->OwnerDataModule() != nullptr, c.FKind == DataModule);
        EXPECT_EQ(translator->OwnerFrame() != nullptr, c.FKind == Frame);
    }
}

TEST(LangResFileName, ResolvedBelowTheExecutablesFolder)
{
    const QString exeDir = QCoreApplication::applicationDirPath() + u'/';
    TfrmTest form;
    auto* translator = new TsmlMsgLangRes(&form);
    EXPECT_EQ(translator->ResolvedFileName(), QStringLiteral("DefLang.ini"));
    EXPECT_EQ(translator->LangFileName(), QStringLiteral("DefLang.ini"));

    struct TCase
    {
        const char* FValue;
        const char* FResolved; // after the executable's folder
        const char* FName;
    };
    const TCase cases[] = {
        {"English.ini", "English.ini", "English.ini"},
        {"lang/Arabic.ini", "lang/Arabic.ini", "Arabic.ini"},
        {"", "", ""},
        // Appended without any test, so an absolute path names no file.
        {"/tmp/English.ini", "/tmp/English.ini", "English.ini"},
    };
    for (const TCase& c : cases) {
        translator->SetLangFileName(QString::fromUtf8(c.FValue));
        EXPECT_EQ(translator->ResolvedFileName(), exeDir + QString::fromUtf8(c.FResolved)) << c.FValue;
        EXPECT_EQ(translator->LangFileName(), QString::fromUtf8(c.FName)) << c.FValue;
    }
}

TEST(LangResFileName, FallsBackOnTheInstalledShareFolder)
{
    const QString shareDir = QCoreApplication::applicationDirPath() + QStringLiteral("/../share/zorvanel");
    const bool madeShare = !QFileInfo::exists(shareDir);
    ASSERT_TRUE(QDir().mkpath(shareDir));
    {
        QTemporaryDir dir(shareDir + QStringLiteral("/langres-XXXXXX"));
        const QString name = QDir(shareDir).relativeFilePath(dir.filePath(QStringLiteral("Shared.ini")));
        QFile file(dir.filePath(QStringLiteral("Shared.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();

        TfrmTest form;
        auto* translator = new TsmlMsgLangRes(&form);
        translator->SetLangFileName(name);
        EXPECT_EQ(QFileInfo(translator->ResolvedFileName()).canonicalFilePath(),
                  QFileInfo(file.fileName()).canonicalFilePath());
        // A file beside the executable comes first; absent both, the file is expected there.
        translator->SetLangFileName(QStringLiteral("langres-missing/None.ini"));
        EXPECT_EQ(translator->ResolvedFileName(),
                  QCoreApplication::applicationDirPath() + QStringLiteral("/langres-missing/None.ini"));
    }
    if (madeShare) {
        QDir().rmdir(shareDir);
        QDir().rmdir(QCoreApplication::applicationDirPath() + QStringLiteral("/../share"));
    }
}

class LangResRules : public TLangFileTest
{
protected:
    LangResRules()
    {
        FLabel = Make<QLabel>(&FForm, "labOne");
        FLabel->setText(QStringLiteral("Old"));
        FEmpty = Make<QLabel>(&FForm, "labEmpty");
        FForm.setFont(QFont(QStringLiteral("Liberation Sans"), 9));
        FTranslator = new TCountingFormLangRes(&FForm);
        FTranslator->SetLangFileName(LangName(QStringLiteral("Lang.ini")));
        FTranslator->SetAutoCreateMode(false);
        // The form's own caption stays out of these cases; its font keys come first.
        FTranslator->SetIgnoreFormCaption(true);
    }

    TfrmTest FForm;
    QLabel* FLabel;
    QLabel* FEmpty;
    TCountingFormLangRes* FTranslator;
};

TEST_F(LangResRules, PresentValuesAreDecodedOnce)
{
    struct TCase
    {
        const char* FLine; // as the file holds it
        QString FText;     // the label's text afterwards
    };
    const TCase cases[] = {
        {"labOne_Caption=New", QStringLiteral("New")},
        {"labOne_Caption=<>", QString()},
        {"labOne_Caption=", QStringLiteral("Old")},
        {"labOne_Caption=< two blanks >", QStringLiteral(" two blanks ")},
        {"labOne_Caption=<open", QStringLiteral("<open")},
        {"labOne_Caption=close>", QStringLiteral("close>")},
        {"labOne_Caption=<<twice>>", QStringLiteral("<twice>")},
        {"labOne_Caption=<", QStringLiteral("<")},
        {"LABONE_CAPTION=any case", QStringLiteral("any case")},
        {"other=New", QStringLiteral("Old")},
    };
    for (const TCase& c : cases) {
        FLabel->setText(QStringLiteral("Old"));
        WriteFile(QStringLiteral("Lang.ini"), IniText({"[TfrmTest]", c.FLine}));
        FTranslator->SetActive(true);
        EXPECT_EQ(FLabel->text(), c.FText) << c.FLine;
        FTranslator->SetActive(false);
    }
}

TEST_F(LangResRules, LongValuesAreCutAt2047Characters)
{
    const QString value(3000, u'x');
    WriteFile(QStringLiteral("Lang.ini"), QStringLiteral("[TfrmTest]\r\nlabOne_Caption=%1\r\n").arg(value));
    FTranslator->SetActive(true);
    EXPECT_EQ(FLabel->text(), value.left(2047));
}

TEST_F(LangResRules, MissingKeysAreWrittenBackUnderAutoCreateMode)
{
    struct TCase
    {
        bool FAddBracket;
        bool FIgnoreEmptyString;
        QString FFile;
    };
    const TCase cases[] = {
        {false, false,
         IniText({"[TfrmTest]", "frmTest_FontName=Liberation Sans", "frmTest_FontSize=9",
                  "frmTest_FontCharset=1", "labOne_Caption=Old", "labEmpty_Caption="})},
        {false, true,
         IniText({"[TfrmTest]", "frmTest_FontName=Liberation Sans", "frmTest_FontSize=9",
                  "frmTest_FontCharset=1", "labOne_Caption=Old"})},
        {true, false,
         IniText({"[TfrmTest]", "frmTest_FontName=<Liberation Sans>", "frmTest_FontSize=9",
                  "frmTest_FontCharset=1", "labOne_Caption=<Old>", "labEmpty_Caption=<>"})},
        {true, true,
         IniText({"[TfrmTest]", "frmTest_FontName=<Liberation Sans>", "frmTest_FontSize=9",
                  "frmTest_FontCharset=1", "labOne_Caption=<Old>"})},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "AddBracket " << c.FAddBracket << ", IgnoreEmptyString " << c.FIgnoreEmptyString);
        QFile::remove(FullPath(QStringLiteral("Lang.ini")));
        FTranslator->SetActive(false);
        FTranslator->SetAddBracket(c.FAddBracket);
        FTranslator->SetIgnoreEmptyString(c.FIgnoreEmptyString);
        FTranslator->SetAutoCreateMode(true);
        FTranslator->SetActive(true);
        EXPECT_EQ(ReadFile(QStringLiteral("Lang.ini")), c.FFile);
        EXPECT_EQ(FLabel->text(), QStringLiteral("Old"));
    }
}

TEST_F(LangResRules, AnEmptyValueIsRewrittenAndABracketedEmptyOneIsApplied)
{
    FEmpty->setText(QStringLiteral("Kept"));
    const QString file = IniText({"[TfrmTest]", "frmTest_FontName=Liberation Sans", "frmTest_FontSize=9",
                                  "frmTest_FontCharset=1", "labOne_Caption=", "labEmpty_Caption=<>"});
    WriteFile(QStringLiteral("Lang.ini"), file);
    FTranslator->SetAutoCreateMode(true);
    FTranslator->SetActive(true);
    EXPECT_EQ(FLabel->text(), QStringLiteral("Old"));
    EXPECT_EQ(FEmpty->text(), QString());
    EXPECT_EQ(ReadFile(QStringLiteral("Lang.ini")),
              QString(file).replace(QStringLiteral("labOne_Caption="), QStringLiteral("labOne_Caption=Old")));
}

TEST_F(LangResRules, AMissingFileChangesNothingAndIsNotCreatedWithoutAutoCreateMode)
{
    FTranslator->SetActive(true);
    EXPECT_EQ(FTranslator->FPasses, 1);
    EXPECT_EQ(FLabel->text(), QStringLiteral("Old"));
    EXPECT_FALSE(QFileInfo::exists(FullPath(QStringLiteral("Lang.ini"))));
}

TEST_F(LangResRules, AFileThatCannotBeWrittenStopsThePassWithTheLayersError)
{
    // A folder where the file should be: it reads as empty and refuses every write.
    ASSERT_TRUE(QDir(FDir.path()).mkdir(QStringLiteral("Folder.ini")));
    FTranslator->SetLangFileName(LangName(QStringLiteral("Folder.ini")));
    FTranslator->SetAutoCreateMode(true);
    try {
        FTranslator->SetActive(true);
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(QString::fromUtf8(error.what()),
                  QStringLiteral("Unable to write to ") + FTranslator->ResolvedFileName());
    }
    EXPECT_TRUE(FTranslator->Active());
}

TEST_F(LangResRules, TextsBeforeAFailedWriteStayTranslated)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "file modes do not bind root";
    WriteFile(QStringLiteral("Lang.ini"),
              IniText({"[TfrmTest]", "frmTest_FontName=Liberation Sans", "frmTest_FontSize=9",
                       "frmTest_FontCharset=1", "labOne_Caption=New"}));
    QFile::setPermissions(FullPath(QStringLiteral("Lang.ini")), QFileDevice::ReadOwner);
    QFile::setPermissions(FDir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    FEmpty->setText(QStringLiteral("Empty"));
    FTranslator->SetAutoCreateMode(true);
    EXPECT_THROW(FTranslator->SetActive(true), TIniWriteError);
    QFile::setPermissions(FDir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(FLabel->text(), QStringLiteral("New"));
    EXPECT_EQ(FEmpty->text(), QStringLiteral("Empty"));
}

TEST_F(LangResRules, PassesRunOnTheWritesThatAskForOne)
{
    struct TCase
    {
        const char* FWrite;
        bool FActive;
        std::function<void(TsmlFormLangRes&)> FDo;
        int FPasses;
    };
    const TCase cases[] = {
        {"Active true", false, [](TsmlFormLangRes& t) { t.SetActive(true); }, 1},
        {"Active false", true, [](TsmlFormLangRes& t) { t.SetActive(false); }, 0},
        {"LangFileName, inactive", false, [](TsmlFormLangRes& t) { t.SetLangFileName({}); }, 0},
        {"StringProperties, inactive", false, [](TsmlFormLangRes& t) { t.StringProperties().Add({}); }, 0},
        {"LangFileName", true, [](TsmlFormLangRes& t) { t.SetLangFileName(t.LangFileName()); }, 1},
        {"IgnoreEmptyString", true, [](TsmlFormLangRes& t) { t.SetIgnoreEmptyString(true); }, 1},
        {"AutoCreateMode", true, [](TsmlFormLangRes& t) { t.SetAutoCreateMode(false); }, 1},
        {"AddBracket", true, [](TsmlFormLangRes& t) { t.SetAddBracket(true); }, 0},
        {"IgnoreFormCaption", true, [](TsmlFormLangRes& t) { t.SetIgnoreFormCaption(false); }, 1},
        {"IncludeListViewItems", true, [](TsmlFormLangRes& t) { t.SetIncludeListViewItems(true); }, 1},
        {"IncludeListViewHead", true, [](TsmlFormLangRes& t) { t.SetIncludeListViewHead(true); }, 1},
        {"IncludeTreeViewItems", true, [](TsmlFormLangRes& t) { t.SetIncludeTreeViewItems(true); }, 1},
        {"StringProperties written", true,
         [](TsmlFormLangRes& t) {
             t.SetStringProperties({QStringLiteral("Caption"), QStringLiteral("Hint")});
         },
         1},
        {"StringsProperties written empty", true, [](TsmlFormLangRes& t) { t.SetStringsProperties({}); }, 1},
        {"IgnoreControls written", true,
         [](TsmlFormLangRes& t) { t.SetIgnoreControls({QStringLiteral("x")}); }, 1},
        {"StringProperties line added", true, [](TsmlFormLangRes& t) { t.StringProperties().Add({}); }, 1},
        {"StringsProperties line replaced", true,
         [](TsmlFormLangRes& t) { t.StringsProperties().Put(0, {}); }, 1},
        {"StringsProperties cleared", true, [](TsmlFormLangRes& t) { t.StringsProperties().Clear(); }, 1},
        {"a batch of line edits", true,
         [](TsmlFormLangRes& t) {
             t.StringProperties().BeginUpdate();
             t.StringProperties().Add({});
             t.StringProperties().Delete(0);
             t.StringProperties().EndUpdate();
         },
         1},
        {"a property set by name", true,
         [](TsmlFormLangRes& t) { t.setProperty("IncludeTreeViewItems", true); }, 1},
    };
    for (const TCase& c : cases) {
        TfrmTest form;
        auto* translator = new TCountingFormLangRes(&form);
        EXPECT_EQ(translator->FPasses, 0) << "construction";
        translator->SetAutoCreateMode(false);
        translator->SetLangFileName(LangName(QStringLiteral("Lang.ini")));
        if (c.FActive)
            translator->SetActive(true);
        translator->FPasses = 0;
        c.FDo(*translator);
        EXPECT_EQ(translator->FPasses, c.FPasses) << c.FWrite;
    }
}

TEST_F(LangResRules, NoPassRunsInDesignMode)
{
    FTranslator->SetDesigning(true);
    FTranslator->SetAutoCreateMode(true);
    FTranslator->SetActive(true);
    FTranslator->StringProperties().Add(QStringLiteral("Hint"));
    EXPECT_EQ(FTranslator->FPasses, 0);
    EXPECT_FALSE(QFileInfo::exists(FullPath(QStringLiteral("Lang.ini"))));
}

// A window loading its stored description sets each published property in declaration order.
TEST_F(LangResRules, LoadingAStoredTranslatorRunsOnePassWhenActiveIsSet)
{
    WriteFile(QStringLiteral("Lang.ini"), IniText({"[TfrmTest]", "labOne_Caption=New"}));
    const QVariantMap stored = {
        {QStringLiteral("objectName"), QStringLiteral("smlFormLangRes1")},
        {QStringLiteral("LangFileName"), LangName(QStringLiteral("Lang.ini"))},
        {QStringLiteral("IgnoreEmptyString"), true},
        {QStringLiteral("AutoCreateMode"), false},
        {QStringLiteral("AddBracket"), false},
        {QStringLiteral("StringProperties"), QStringList{QStringLiteral("Caption")}},
        {QStringLiteral("StringsProperties"), QStringList{QStringLiteral("Tabs")}},
        {QStringLiteral("IgnoreControls"), QStringList{QStringLiteral("rbTransNo2")}},
        {QStringLiteral("IgnoreFormCaption"), true},
        {QStringLiteral("IncludeListViewItems"), false},
        {QStringLiteral("IncludeListViewHead"), true},
        {QStringLiteral("IncludeTreeViewItems"), false},
        {QStringLiteral("Active"), true},
    };
    TfrmTest form;
    auto* label = Make<QLabel>(&form, "labOne");
    auto* translator = new TCountingFormLangRes(&form);
    const QMetaObject* meta = translator->metaObject();
    QStringList order;
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (!stored.contains(QString::fromLatin1(property.name())))
            continue;
        order.append(QString::fromLatin1(property.name()));
        property.write(translator, stored.value(QString::fromLatin1(property.name())));
    }
    EXPECT_EQ(order.size(), stored.size());
    EXPECT_EQ(order.back(), QStringLiteral("Active"));
    EXPECT_EQ(translator->FPasses, 1);
    EXPECT_EQ(label->text(), QStringLiteral("New"));
}

} // namespace
