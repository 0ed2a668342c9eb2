#include "PaneText.h"

#include "PaneTestSupport.h"
#include "TextTrim.h"

#include <QScrollBar>
#include <QTextDocument>

namespace {

class PaneText : public TPaneTest
{
};

TEST_F(PaneText, GetPaneTextTrimsTheJoinedItems)
{
    struct TCase
    {
        const char* FName;
        QStringList FParagraphs;
        QString FExpected;
    };
    const TCase cases[] = {
        {"empty pane", {}, QString()},
        {"blanks and empty paragraphs",
         {QStringLiteral(" "), QStringLiteral("\t \u00A0"), QString()},
         QString()},
        {"inner empty line kept",
         {QStringLiteral("a"), QString(), QStringLiteral("b")},
         QStringLiteral("a\r\n\r\nb")},
        {"leading right-to-left mark",
         {QStringLiteral("\u200F\u0645\u0631\u062D\u0628\u0627")},
         QStringLiteral("\u0645\u0631\u062D\u0628\u0627")},
        {"outer spaces go, inner stay",
         {QStringLiteral("  a  b "), QStringLiteral(" c  ")},
         QStringLiteral("a  b \r\n c")},
        {"paragraph separator is no blank", {QStringLiteral("a\u2029")}, QStringLiteral("a\u2029")},
    };
    for (const TCase& c : cases) {
        Pane.Clear();
        for (const QString& paragraph : c.FParagraphs) {
            Pane.AddTextParagraph(QString(), 0, 0, 0);
            Pane.SetItemText(Pane.ItemCount() - 1, paragraph);
        }
        EXPECT_EQ(GetPaneText(Pane), c.FExpected) << c.FName;
    }
}

TEST_F(PaneText, SetPaneTextMakesOneParagraphPerLine)
{
    struct TCase
    {
        QString FText;
        TItemList FItems;
    };
    const TCase cases[] = {
        {QStringLiteral("a\r\nb\r\n"), {"P0:a", "P0:b"}},
        {QStringLiteral("a\r\n\r\n"), {"P0:a", "P0:"}},
        {QStringLiteral("\r\n"), {"P0:"}},
        {QStringLiteral("a\nb"), {"P0:a\nb"}},
        {QStringLiteral("a\rb\r\n\rc\r\r\n"), {"P0:a\rb", "P0:\rc\r"}},
        {QStringLiteral("a\tb\u2028c\u2029d"), {"P0:a\tb\u2028c\u2029d"}},
        {QStringLiteral(" x \r\n\r\n y"), {"P0: x ", "P0:", "P0: y"}},
    };
    for (const TCase& c : cases) {
        SetPaneText(Pane, c.FText);
        EXPECT_EQ(ItemsOf(Pane), c.FItems) << c.FText.toStdString();
        EXPECT_EQ(Pane.document()->blockCount(), static_cast<int>(c.FItems.size())) << c.FText.toStdString();
    }
}

TEST_F(PaneText, SetPaneTextWithAnEmptyTextLeavesNoParagraph)
{
    SetPaneText(Pane, QStringLiteral("old\r\ntext"));
    SetPaneText(Pane, QString());
    EXPECT_EQ(Pane.ItemCount(), 0);
    EXPECT_EQ(Pane.document()->blockCount(), 1);
    EXPECT_TRUE(Pane.document()->isEmpty());
    // The next paragraph takes the one block an empty document keeps.
    Pane.AddTextParagraph(QStringLiteral("n"), 0, 0, 0);
    EXPECT_EQ(ItemsOf(Pane), (TItemList{"P0:n"}));
    EXPECT_EQ(Pane.document()->blockCount(), 1);
}

TEST_F(PaneText, GetPaneTextGivesBackWhatSetPaneTextTook)
{
    const QString longLine = QString(100000, QChar(u'w'));
    const QString texts[] = {
        QString(),
        QStringLiteral("  hello  "),
        QStringLiteral("a\rb\nc\r\n"),
        QStringLiteral("\n\nx\r\r"),
        QStringLiteral("a\tb\t\r\n\tc"),
        QStringLiteral(
            "\u0645\u0631\u062D\u0628\u0627 \u0628\u0627\u0644\u0639\u0627\u0644\u0645\r\nsecond line"),
        QStringLiteral("\u200Fabc\u200E"),
        QStringLiteral("a\u2028b\u2029c\uFDD0d"),
        QStringLiteral("x\r\n\r\n y \r\n\r\n"),
        longLine + QStringLiteral("\r\n") + longLine,
    };
    for (const QString& text : texts) {
        SetPaneText(Pane, text);
        EXPECT_EQ(GetPaneText(Pane), TrimPaneText(text)) << text.left(40).toStdString();
    }
}

TEST_F(PaneText, SetPaneTextShowsTheTextFromItsBeginning)
{
    QStringList lines;
    for (int i = 0; i < 300; ++i) {
        lines << QStringLiteral("line %1").arg(i);
    }
    Pane.show();
    SetPaneText(Pane, lines.join(QStringLiteral("\r\n")));
    Pane.verticalScrollBar()->setValue(Pane.verticalScrollBar()->maximum());
    SetPaneText(Pane, lines.join(QStringLiteral("\r\n")));
    EXPECT_EQ(Pane.verticalScrollBar()->value(), 0);
    EXPECT_EQ(Pane.textCursor().position(), 0);
}

TEST(SplitMemoLines, SplitsAtCrLfPairsOnly)
{
    struct TCase
    {
        QString FText;
        QStringList FLines;
    };
    const TCase cases[] = {
        {QString(), {}},
        {QStringLiteral("a"), {QStringLiteral("a")}},
        {QStringLiteral("a\r\n"), {QStringLiteral("a")}},
        {QStringLiteral("a\r\n\r\n"), {QStringLiteral("a"), QString()}},
        {QStringLiteral("\r\n\r\nb"), {QString(), QString(), QStringLiteral("b")}},
        {QStringLiteral("a\n\rb\r\r\nc"), {QStringLiteral("a\n\rb\r"), QStringLiteral("c")}},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(SplitMemoLines(c.FText), c.FLines) << c.FText.toStdString();
    }
}

} // namespace
