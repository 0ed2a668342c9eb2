#include "PaneTestSupport.h"
#include "PaneText.h"
#include "RVHtml.h"

#include <QDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

namespace {

class Files : public TPaneTest
{
protected:
    static QByteArray Utf16Le(const QString& text)
    {
        QByteArray bytes("\xFF\xFE");
        for (const QChar c : text) {
            bytes += static_cast<char>(c.unicode() & 0xFF);
            bytes += static_cast<char>(c.unicode() >> 8);
        }
        return bytes;
    }
};

TEST_F(Files, LoadPlainTextSplitsLinesAsTheFileFormatSays)
{
    struct TCase
    {
        const char* FName;
        QByteArray FBytes;
        bool FOneParagraph;
        TItemList FItems;
    };
    const TCase cases[] = {
        {"line ends",
         QByteArray("a\rb\nc\r\nd\n\re\r\rf\n\ng"),
         false,
         {"P0:a", "P0:b", "P0:c", "P0:d", "P0:e", "P0:", "P0:f", "P0:", "P0:g"}},
        {"last line end", QByteArray("a\r\nb\r\n"), false, {"P0:a", "P0:b"}},
        {"zero bytes", QByteArray("x\0y\0", 4), false, {"P0:x?y?"}},
        {"form feed", QByteArray("p1\fp2\f\fp3"), false, {"P0:p1", "P0:p2", "P0:", "P0:p3"}},
        {"tabs stay in their lines", QByteArray("a\tb\r\n\tc\t"), false, {"P0:a\tb", "P0:\tc\t"}},
        {"one paragraph", QByteArray("a\r\nb\n\nc\fd"), true, {"P0:a", "L0:b", "L0:", "L0:c", "L0:d"}},
        {"UTF-8",
         QByteArray("\xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7 ok"),
         false,
         {"P0:\u0645\u0631\u062D\u0628\u0627 ok"}},
        {"UTF-16 read byte by byte",
         QByteArray("\xFF\xFE"
                    "a\0",
                    4),
         false,
         {"P0:\uFFFD\uFFFDa?"}},
        {"separators stay text",
         QByteArray("a\xE2\x80\xA8"
                    "b"),
         true,
         {"P0:a\u2028b"}},
        {"empty file", QByteArray(), false, {}},
    };
    for (const TCase& c : cases) {
        Pane.Clear();
        WriteBytes(QStringLiteral("in.txt"), c.FBytes);
        EXPECT_TRUE(Pane.LoadPlainText(Path(QStringLiteral("in.txt")), 0, 0, c.FOneParagraph)) << c.FName;
        EXPECT_EQ(ItemsOf(Pane), c.FItems) << c.FName;
    }
}

TEST_F(Files, FormFeedStartsANewPage)
{
    WriteBytes(QStringLiteral("in.txt"), "p1\fp2\np3");
    ASSERT_TRUE(Pane.LoadPlainText(Path(QStringLiteral("in.txt")), 0, 0, false));
    const QTextDocument& document = *Pane.document();
    EXPECT_EQ(document.findBlockByNumber(0).blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_Auto);
    EXPECT_EQ(document.findBlockByNumber(1).blockFormat().pageBreakPolicy(),
              QTextFormat::PageBreak_AlwaysBefore);
    EXPECT_EQ(document.findBlockByNumber(2).blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_Auto);
}

TEST_F(Files, LoadPlainTextAppendsOneParagraphInTheGivenStyles)
{
    SetPaneText(Pane, QStringLiteral("kept"));
    QTextCursor caret(Pane.document());
    caret.movePosition(QTextCursor::End);
    Pane.setTextCursor(caret);
    WriteBytes(QStringLiteral("in.txt"), "a\nb\nc\n");
    ASSERT_TRUE(Pane.LoadPlainText(Path(QStringLiteral("in.txt")), 3, 1, true));
    EXPECT_EQ(Pane.textCursor().position(), 4); // the caret stays where it was
    EXPECT_EQ(ItemsOf(Pane), (TItemList{"P0:kept", "P3:a", "L3:b", "L3:c"}));
    EXPECT_EQ(Pane.ItemInfo(1).ParaNo, 1);
    EXPECT_EQ(GetPaneText(Pane), QStringLiteral("kept\r\na\r\nb\r\nc"));
}

// An opened file is one paragraph, saved so; what the user types or pastes into it splits it as
// any paragraph splits.
TEST_F(Files, LineEndsTypedOrPastedIntoAnOpenedFileStartParagraphs)
{
    WriteBytes(QStringLiteral("in.txt"), "a\nb\nc");
    ASSERT_TRUE(Pane.LoadPlainText(Path(QStringLiteral("in.txt")), 0, 0, true));
    ASSERT_TRUE(Pane.SaveHtml(Path(QStringLiteral("p.htm")), QStringLiteral("p"), QString(), 0x4800));
    EXPECT_TRUE(ReadBytes(QStringLiteral("p.htm")).contains("\r\n<div>a<br>\r\nb<br>\r\nc</div>\r\n"));
    QTextCursor cursor(Pane.document());
    cursor.setPosition(3); // after "b"
    Pane.setTextCursor(cursor);
    QTest::keyClick(&Pane, Qt::Key_Return);
    EXPECT_EQ(ItemsOf(Pane), (TItemList{"P0:a", "L0:b", "P0:", "L0:c"}));

    cursor.setPosition(1); // after "a"
    Pane.setTextCursor(cursor);
    Pane.insertPlainText(QStringLiteral("x\ny"));
    EXPECT_EQ(ItemsOf(Pane), (TItemList{"P0:ax", "P0:y", "L0:b", "P0:", "L0:c"}));
}

TEST_F(Files, OpeningIsOneStepToUndo)
{
    WriteBytes(QStringLiteral("in.txt"), "a\nb");
    for (const bool empty : {true, false}) {
        SetPaneText(Pane, empty ? QString() : QStringLiteral("kept"));
        const QString before = GetPaneText(Pane);
        ASSERT_TRUE(Pane.LoadPlainText(Path(QStringLiteral("in.txt")), 0, 0, true));
        Pane.undo();
        EXPECT_EQ(GetPaneText(Pane), before) << empty;
        Pane.redo();
        EXPECT_EQ(ItemsOf(Pane).back(), "L0:b") << empty;
    }
}

TEST_F(Files, UnreadableFileLeavesTheDocumentAlone)
{
    SetPaneText(Pane, QStringLiteral("kept\r\n"));
    ASSERT_TRUE(QDir(Dir.path()).mkdir(QStringLiteral("folder")));
    const QString paths[] = {Path(QStringLiteral("missing.txt")), Path(QStringLiteral("folder"))};
    for (const QString& path : paths) {
        EXPECT_FALSE(Pane.LoadPlainText(path, 0, 0, true)) << path.toStdString();
        EXPECT_EQ(ItemsOf(Pane), (TItemList{"P0:kept"}));
        EXPECT_EQ(Pane.document()->blockCount(), 1);
    }
}

TEST_F(Files, SavePlainTextWritesUtf16WithLineEndsBetweenLines)
{
    const QString name = QStringLiteral("out.txt");
    ASSERT_TRUE(Pane.SavePlainText(Path(name), 0));
    EXPECT_EQ(ReadBytes(name), QByteArray("\xFF\xFE"));

    SetPaneText(Pane, QStringLiteral(" a \r\n\r\n\u0645\u0631\u062D\u0628\u0627\tx\ny\r\n"));
    WriteBytes(QStringLiteral("in.txt"), "l1\nl2\tz");
    ASSERT_TRUE(Pane.LoadPlainText(Path(QStringLiteral("in.txt")), 0, 0, true));
    ASSERT_TRUE(Pane.SavePlainText(Path(name), 0));
    EXPECT_EQ(ReadBytes(name),
              Utf16Le(QStringLiteral(" a \r\n\r\n\u0645\u0631\u062D\u0628\u0627\tx\ny\r\nl1\r\nl2\tz")));

    EXPECT_FALSE(Pane.SavePlainText(Path(QStringLiteral("missing/out.txt")), 0));
}

TEST_F(Files, SaveHtmlWritesThePage)
{
    UseRunTimeFont();
    QPalette palette = Pane.palette();
    palette.setColor(QPalette::Base, QColor(0x1A, 0x2B, 0xCD));
    Pane.setPalette(palette);
    SetPaneText(Pane, QStringLiteral(" lead  two   three trail \r\n\r\na < b & c > d \"q\"\u00A0\r\n"
                                     "\u0645\u0631\u062D\u0628\u0627 \u0628\u0643\r\ncol 1\tcol 2"));
    const QString name = QStringLiteral("notes.htm");
    ASSERT_TRUE(Pane.SaveHtml(Path(name), QStringLiteral("R&D <draft> notes"), QString(), 0x4800));
    const QByteArray expected =
        "<html><head><title>R&amp;D &lt;draft&gt; notes</title>\r\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n"
        "</head>\r\n"
        "<body bgcolor=\"#1a2bcd\" leftmargin=5 topmargin=5 rightmargin=5 bottommargin=5>\r\n"
        "<font size=4 color=\"#000000\" face=\"Arial\">\r\n"
        "<div>&nbsp;lead &nbsp;two &nbsp; three trail&nbsp;</div>\r\n"
        "<div><br></div>\r\n"
        "<div>a &lt; b &amp; c &gt; d \"q\"&nbsp;</div>\r\n"
        "<div>\xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7 \xD8\xA8\xD9\x83</div>\r\n"
        "<div>col 1\tcol 2</div>\r\n"
        "</font>\r\n"
        "</body></html>\r\n";
    EXPECT_EQ(ReadBytes(name), expected);
}

TEST_F(Files, SaveHtmlWritesLinesStylesAndAlignment)
{
    UseRunTimeFont();
    Pane.AddTextParagraph(QString(), 0, 0, 0);
    QTextCursor cursor(Pane.document());
    cursor.insertText(QStringLiteral("a\u2028\u2028"), Style.CharFormat(0));
    cursor.insertText(QStringLiteral("Big  Head   x"), Style.CharFormat(1));
    cursor.insertText(QStringLiteral("\tNo  uni"), Style.CharFormat(6));
    Pane.AddTextParagraph(QStringLiteral("mid"), 0, 1, 0);
    ASSERT_TRUE(Pane.SaveHtml(Path(QStringLiteral("p.html")), QStringLiteral("p"), QString(), 0x4800));
    const QByteArray page = ReadBytes(QStringLiteral("p.html"));
    const QByteArray body = "<font size=4 color=\"#000000\" face=\"Arial\">\r\n"
                            "<div>a<br>\r\n"
                            "<br><br>\r\n"
                            "<font size=2 color=\"#0000ff\"><b>Big&nbsp; Head&nbsp;  x</b></font>"
                            "<font face=\"Tahoma\">\tNo&nbsp; uni</font></div>\r\n"
                            "<div align=center>mid</div>\r\n"
                            "</font>\r\n"
                            "</body></html>\r\n";
    EXPECT_TRUE(page.endsWith(body)) << page.toStdString();
}

TEST_F(Files, SaveToAnUnwritablePathFails)
{
    SetPaneText(Pane, QStringLiteral("x"));
    EXPECT_FALSE(
        Pane.SaveHtml(Path(QStringLiteral("missing/p.html")), QStringLiteral("p"), QString(), 0x4800));
    EXPECT_FALSE(Pane.SavePlainText(QString(), 0));
}

TEST(HtmlFontSize, MapsPointsToTagSizes)
{
    const std::pair<int, int> cases[] = {{6, 1},  {8, 1},  {9, 2},  {10, 2}, {11, 3}, {12, 3}, {13, 4},
                                         {14, 4}, {15, 5}, {18, 5}, {19, 6}, {24, 6}, {25, 7}, {72, 7}};
    for (const auto& [points, size] : cases) {
        EXPECT_EQ(HtmlFontSize(points), size) << points;
    }
}

} // namespace
