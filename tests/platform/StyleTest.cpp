#include "PaneTestSupport.h"
#include "PaneText.h"

#include <QAbstractTextDocumentLayout>
#include <QFontInfo>
#include <QGlyphRun>
#include <QRawFont>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace {

class Styles : public TPaneTest
{
protected:
    // The font the first glyphs of a block are drawn with.
    QRawFont DrawnFont(const QTextBlock& block)
    {
        Pane.document()->documentLayout()->blockBoundingRect(block);
        const QList<QGlyphRun> runs = block.layout()->lineAt(0).glyphRuns();
        return runs.isEmpty() ? QRawFont() : runs.first().rawFont();
    }
};

TEST_F(Styles, ReformatShowsTheNewFontOfStyleZero)
{
    SetPaneText(Pane, QStringLiteral("Hello\r\n\u0645\u0631\u062D\u0628\u0627"));
    Pane.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Pane));
    const QRawFont before = DrawnFont(Pane.document()->begin());
    ASSERT_TRUE(before.isValid());

    Style.TextStyles[0].FontName = QStringLiteral("Arial");
    Style.TextStyles[0].Size = 28;
    Pane.Reformat();
    const QRawFont after = DrawnFont(Pane.document()->begin());
    const QFontInfo wanted(Style.Font(0));
    EXPECT_EQ(after.familyName(), wanted.family());
    EXPECT_EQ(qRound(after.pixelSize()), wanted.pixelSize());
    EXPECT_NE(qRound(after.pixelSize()), qRound(before.pixelSize()));
}

TEST_F(Styles, ReformatKeepsTheScrollPositionAndFormatGoesBackToTheTop)
{
    QStringList lines;
    for (int i = 0; i < 300; ++i) {
        lines << QStringLiteral("line %1").arg(i);
    }
    SetPaneText(Pane, lines.join(QStringLiteral("\r\n")));
    Pane.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Pane));
    Pane.verticalScrollBar()->setValue(Pane.verticalScrollBar()->maximum() / 2);
    const int scroll = Pane.verticalScrollBar()->value();
    ASSERT_GT(scroll, 0);

    Style.TextStyles[0].Size = 16;
    Pane.Reformat();
    QTest::qWait(1);
    EXPECT_EQ(Pane.verticalScrollBar()->value(), scroll);

    Pane.Format();
    EXPECT_EQ(Pane.verticalScrollBar()->value(), 0);
}

TEST_F(Styles, ReformatAppliesChangedAttributesOfOtherStyles)
{
    Pane.AddTextParagraph(QStringLiteral("head"), 1, 0, 0);
    Style.TextStyles[1].Color = QColor(1, 2, 3);
    Style.TextStyles[1].Size = 20;
    Pane.Reformat();
    QTextCursor cursor(Pane.document());
    cursor.setPosition(2);
    EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(1, 2, 3));
    EXPECT_EQ(cursor.charFormat().fontPointSize(), 20);
    EXPECT_EQ(ItemsOf(Pane), (TItemList{"P1:head"}));
}

} // namespace
