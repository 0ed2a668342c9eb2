// The message pass: each "name=text" line looked up by its name in the owner's section.

#include "LangResTestSupport.h"
#include "PrivateProfile.h"

#include <QFileInfo>

namespace {

const QString LangIni = QStringLiteral("Lang.ini");

class MsgLangRes : public TLangFileTest
{
protected:
    MsgLangRes()
    {
        FTranslator = new TCountingMsgLangRes(&FForm);
        FTranslator->SetLangFileName(LangName(LangIni));
        FTranslator->SetAutoCreateMode(false);
    }

    TfrmTest FForm;
    TCountingMsgLangRes* FTranslator;
};

TEST_F(MsgLangRes, LinesTakeTheirTranslationWhenItIsNotEmpty)
{
    struct TCase
    {
        const char* FLine; // as the file holds it
        QStringList FBefore;
        QStringList FAfter;
    };
    const QStringList information{QStringLiteral("strInfomation=Information")};
    const TCase cases[] = {
        {"strInfomation=Auskunft", information, {QStringLiteral("strInfomation=Auskunft")}},
        {"STRINFOMATION=<Auskunft >", information, {QStringLiteral("strInfomation=Auskunft ")}},
        {"strInfomation=", information, information},
        {"strInfomation=<>", information, information},
        {"other=Auskunft", information, information},
        {"strSum=<a=b>", {QStringLiteral("strSum=1+1=2")}, {QStringLiteral("strSum=a=b")}},
        {"strSum=x", {QStringLiteral("strSum=1=2")}, {QStringLiteral("strSum=x")}},
        {"strA=Eins",
         {QStringLiteral("strA=One"), QStringLiteral("strB=Two"), QStringLiteral("strA=Uno")},
         {QStringLiteral("strA=Eins"), QStringLiteral("strB=Two"), QStringLiteral("strA=Eins")}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.FLine);
        WriteFile(LangIni, IniText({"[TfrmTest]", c.FLine}));
        FTranslator->SetActive(false);
        FTranslator->SetMsgList(c.FBefore);
        FTranslator->SetActive(true);
        EXPECT_EQ(FTranslator->MsgList().Lines(), c.FAfter);
    }
}

// As an editor may save it: a byte-order mark first, and a name that begins with "#".
TEST_F(MsgLangRes, AFileWithAByteOrderMarkIsReadAndRewrittenWithoutIt)
{
    WriteFile(LangIni, QChar(0xFEFF) + IniText({"[TfrmTest]", "#strNote=Notiz"}));
    FTranslator->SetAutoCreateMode(true);
    FTranslator->SetMsgList({QStringLiteral("#strNote=Note"), QStringLiteral("strNew=New")});
    FTranslator->SetActive(true);
    EXPECT_EQ(FTranslator->MsgList().Lines(),
              QStringList({QStringLiteral("#strNote=Notiz"), QStringLiteral("strNew=New")}));
    EXPECT_EQ(ReadFile(LangIni), IniText({"[TfrmTest]", "#strNote=Notiz", "strNew=New"}));
}

TEST_F(MsgLangRes, AMissingFileLeavesTheLinesAndUnderAutoCreateModeIsFilled)
{
    const QStringList lines{QStringLiteral("strA=Hello"), QStringLiteral("strEmpty="),
                            QStringLiteral("strB= padded ")};
    FTranslator->SetMsgList(lines);
    FTranslator->SetActive(true);
    EXPECT_EQ(FTranslator->MsgList().Lines(), lines);
    EXPECT_FALSE(QFileInfo::exists(FullPath(LangIni)));

    struct TCase
    {
        bool FAddBracket;
        bool FIgnoreEmptyString;
        QString FFile;
    };
    const TCase cases[] = {
        {false, false, IniText({"[TfrmTest]", "strA=Hello", "strEmpty=", "strB= padded "})},
        {true, false, IniText({"[TfrmTest]", "strA=<Hello>", "strEmpty=<>", "strB=< padded >"})},
        {true, true, IniText({"[TfrmTest]", "strA=<Hello>", "strB=< padded >"})},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "AddBracket " << c.FAddBracket << ", IgnoreEmptyString " << c.FIgnoreEmptyString);
        QFile::remove(FullPath(LangIni));
        FTranslator->SetActive(false);
        FTranslator->SetMsgList(lines);
        FTranslator->SetAddBracket(c.FAddBracket);
        FTranslator->SetIgnoreEmptyString(c.FIgnoreEmptyString);
        FTranslator->SetAutoCreateMode(true);
        FTranslator->SetActive(true);
        EXPECT_EQ(ReadFile(LangIni), c.FFile);
        EXPECT_EQ(FTranslator->MsgList().Lines(), lines);
    }
}

TEST_F(MsgLangRes, ListChangesRunOnePassEachAndThePassDoesNotRunItself)
{
    WriteFile(LangIni, IniText({"[TfrmTest]", "strA=Eins", "strB=Zwei"}));
    FTranslator->SetMsgList({QStringLiteral("strA=One")});
    EXPECT_EQ(FTranslator->FPasses, 0) << "inactive";
    FTranslator->SetActive(true);
    EXPECT_EQ(FTranslator->FPasses, 1);

    FTranslator->SetMsgList({QStringLiteral("strA=One"), QStringLiteral("strB=Two")});
    EXPECT_EQ(FTranslator->FPasses, 2);
    EXPECT_EQ(FTranslator->MsgList().Values(QStringLiteral("strb")), QStringLiteral("Zwei"));

    FTranslator->MsgList().Add(QStringLiteral("strC=Three"));
    EXPECT_EQ(FTranslator->FPasses, 3);
    FTranslator->SetAddBracket(true);
    EXPECT_EQ(FTranslator->FPasses, 3);
    EXPECT_FALSE(FTranslator->Updating());
}

TEST_F(MsgLangRes, AFailedWriteBackEndsThePassButNotLaterOnes)
{
    ASSERT_TRUE(QDir(FDir.path()).mkdir(LangIni));
    FTranslator->SetMsgList({QStringLiteral("strA=One")});
    FTranslator->SetAutoCreateMode(true);
    EXPECT_THROW(FTranslator->SetActive(true), TIniWriteError);
    EXPECT_FALSE(FTranslator->Updating());
    // The next change of the list still starts a pass.
    EXPECT_THROW(FTranslator->MsgList().Add(QStringLiteral("strB=Two")), TIniWriteError);
    EXPECT_EQ(FTranslator->FPasses, 2);
}

TEST_F(MsgLangRes, WorksOnADataModuleInItsSection)
{
    WriteFile(LangIni, IniText({"[TfrmTest]", "strA=Wrong", "[TdmTest]", "strA=Eins"}));
    TdmTest dataModule;
    auto* translator = new TsmlMsgLangRes(&dataModule);
    translator->SetLangFileName(LangName(LangIni));
    translator->SetMsgList({QStringLiteral("strA=One")});
    translator->SetActive(true);
    EXPECT_EQ(translator->MsgList().Values(QStringLiteral("strA")), QStringLiteral("Eins"));
}

} // namespace
