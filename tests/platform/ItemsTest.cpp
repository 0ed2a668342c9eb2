#include "PaneTestSupport.h"
#include "PaneText.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

class Items : public TPaneTest
{
protected:
    // Text as the editor's own editing leaves it: typed runs of several styles, Shift+Enter line
    // breaks, tabs.
    void Type(const QString& text, int styleNo = 0)
    {
        QTextCursor cursor(Pane.document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(text, Style.CharFormat(styleNo));
    }

    void Select(int from, int to)
    {
        QTextCursor cursor(Pane.document());
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        Pane.setTextCursor(cursor);
    }
};

TEST_F(Items, RunsAndLineBreaksAreItems)
{
    struct TCase
    {
        const char* FName;
        QString FText;
        TItemList FItems;
    };
    const TCase cases[] = {
        {"one line", QStringLiteral("abc"), {"P0:abc"}},
        {"line breaks",
         QStringLiteral("x\u2028y\u2028\u2028z\u2028"),
         {"P0:x", "L0:y", "L0:", "L0:z", "L0:"}},
        {"break first", QStringLiteral("\u2028y"), {"P0:", "L0:y"}},
        {"tabs are text", QStringLiteral("a\tb\t\tc"), {"P0:a\tb\t\tc"}},
        {"tab first and last", QStringLiteral("\ta\t\u2028\t"), {"P0:\ta\t", "L0:\t"}},
        {"paragraphs", QStringLiteral("a\n\nb"), {"P0:a", "P0:", "P0:b"}},
    };
    for (const TCase& c : cases) {
        Pane.Clear();
        Type(c.FText);
        EXPECT_EQ(ItemsOf(Pane), c.FItems) << c.FName;
    }
}

TEST_F(Items, EachRunOfOneStyleIsAnItem)
{
    Type(QStringLiteral("plain "));
    Type(QStringLiteral("head"), 1);
    Type(QStringLiteral("ing"), 1);
    Type(QStringLiteral("\u2028key"), 3);
    Type(QStringLiteral(" end"));
    EXPECT_EQ(ItemsOf(Pane), (TItemList{"P0:plain ", "+1:heading", "L3:key", "+0: end"}));
    EXPECT_EQ(GetPaneText(Pane), QStringLiteral("plain \r\nheading\r\nkey\r\n end"));
}

TEST_F(Items, SetItemTextReplacesOneItemInItsStyle)
{
    Type(QStringLiteral("a"));
    Type(QStringLiteral("b"), 1);
    Type(QStringLiteral("\u2028\u2028c"));
    Pane.SetItemText(1, QStringLiteral("B\nB"));
    Pane.SetItemText(2, QStringLiteral("filled"));
    Pane.SetItemText(0, QString());
    Pane.SetItemText(99, QStringLiteral("ignored"));
    EXPECT_EQ(ItemsOf(Pane), (TItemList{"P1:B\nB", "L0:filled", "L0:c"}));
    EXPECT_EQ(Pane.ItemText(-1), QString());
    EXPECT_EQ(Pane.ItemText(3), QString());
}

TEST_F(Items, SelectedTextBreaksBeforeItemsThatStartALine)
{
    // "hello world" / line "second" | empty paragraph | "a" tab "b"
    Type(QStringLiteral("hello world\u2028second\n\na\tb"));
    const QString all = Pane.document()->toRawText();
    const int world = static_cast<int>(all.indexOf(u'w'));
    const int end = Pane.document()->characterCount() - 1;
    struct TCase
    {
        int FFrom;
        int FTo;
        QString FExpected;
    };
    const TCase cases[] = {
        {0, 0, QString()},
        {1, 4, QStringLiteral("ell")},
        {world, end, QStringLiteral("world\r\nsecond\r\n\r\na\tb")},
        {end, world, QStringLiteral("world\r\nsecond\r\n\r\na\tb")},
        {world + 6, world + 9, QStringLiteral("sec")},
        {0, end, QStringLiteral("hello world\r\nsecond\r\n\r\na\tb")},
    };
    for (const TCase& c : cases) {
        Select(c.FFrom, c.FTo);
        EXPECT_EQ(Pane.SelectedText(), c.FExpected) << c.FFrom << ".." << c.FTo;
    }
}

TEST_F(Items, KeptLineEndsComeBackInSelectionsAndCopies)
{
    SetPaneText(Pane, QStringLiteral("a\nb\rc\r\nd"));
    Pane.selectAll();
    EXPECT_EQ(Pane.SelectedText(), QStringLiteral("a\nb\rc\r\nd"));
    Pane.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("a\nb\rc\r\nd"));
}

TEST_F(Items, TypingNextToAKeptLineEndTypesPlainText)
{
    SetPaneText(Pane, QStringLiteral("a\n"));
    QTextCursor end = Pane.textCursor();
    end.movePosition(QTextCursor::End);
    Pane.setTextCursor(end);
    Pane.insertPlainText(QStringLiteral("\u200B\t"));
    EXPECT_EQ(ItemsOf(Pane), (TItemList{"P0:a\n\u200B\t"}));
}

// Copy and translate read the pane line by line: a tab the user types must stay on its line.
TEST_F(Items, TypedTabStaysInItsLine)
{
    QTest::keyClicks(&Pane, QStringLiteral("a"));
    QTest::keyClick(&Pane, Qt::Key_Tab);
    QTest::keyClicks(&Pane, QStringLiteral("b"));
    EXPECT_EQ(ItemsOf(Pane), (TItemList{"P0:a\tb"}));
    EXPECT_EQ(GetPaneText(Pane), QStringLiteral("a\tb"));
}

TEST_F(Items, EditorPastesOnlyPlainText)
{
    auto* data = new QMimeData;
    data->setHtml(QStringLiteral("<b>bold</b>"));
    data->setText(QStringLiteral("one\ttwo\nthree"));
    QApplication::clipboard()->setMimeData(data);
    Pane.paste();
    EXPECT_EQ(ItemsOf(Pane), (TItemList{"P0:one\ttwo", "P0:three"}));
    EXPECT_EQ(GetPaneText(Pane), QStringLiteral("one\ttwo\r\nthree"));
    QTextCursor cursor(Pane.document());
    cursor.setPosition(1);
    EXPECT_NE(cursor.charFormat().fontWeight(), QFont::Bold);

    auto* image = new QMimeData;
    image->setImageData(QImage(2, 2, QImage::Format_RGB32));
    QApplication::clipboard()->setMimeData(image);
    Pane.Clear();
    Pane.paste();
    EXPECT_EQ(Pane.ItemCount(), 0);
}

// The pane keeps the items of its own bulk insertions instead of reading them back; both views
// must agree.
TEST_F(Items, KeptItemListMatchesAFreshReading)
{
    const auto describe = [](std::vector<std::string>& out) {
        return [&out](const TRVItem& item, QStringView text) {
            out.push_back(std::to_string(item.NewParagraph) + std::to_string(item.NewLine) + " s" +
                          std::to_string(item.StyleNo) + " p" + std::to_string(item.ParaNo) + " @" +
                          std::to_string(item.Position) + "+" + std::to_string(item.Length) + " " +
                          std::to_string(item.HoldsLiterals) + " " + text.toString().toStdString());
        };
    };
    const auto expectSame = [&](const char* step) {
        std::vector<std::string> kept;
        std::vector<std::string> read;
        Pane.ForEachItem(describe(kept));
        ForEachItem(*Pane.document(), describe(read));
        EXPECT_EQ(kept, read) << step;
    };
    SetPaneText(Pane, QStringLiteral("a\nb\r\n\r\n\u0645\u0631\u062D\tx\u2028\r\n\rz"));
    expectSame("set");
    Pane.AddTextParagraphs({QStringLiteral("more"), QString(), QStringLiteral("\n")}, 3, 1);
    expectSame("added");
    Pane.SetBiDiMode(rvbdRightToLeft);
    SetPaneText(Pane, QStringLiteral("\r\nq"));
    expectSame("right to left");
}

TEST_F(Items, LoadedAndAddedParagraphsKeepTheirStyles)
{
    Pane.AddTextParagraph(QStringLiteral("centred"), 3, 1, 0);
    EXPECT_EQ(Pane.ItemInfo(0).ParaNo, 1);
    EXPECT_EQ(Pane.ItemInfo(0).StyleNo, 3);
    EXPECT_EQ(Pane.document()->begin().blockFormat().alignment(), Qt::AlignHCenter);
}

} // namespace
