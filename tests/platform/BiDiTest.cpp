#include "PaneTestSupport.h"
#include "PaneText.h"
#include "RVStyle.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace {

class BiDi : public TPaneTest
{
protected:
    void SetUp() override
    {
        QStringList lines;
        for (int i = 0; i < 200; ++i) {
            lines << QStringLiteral("English line %1").arg(i);
        }
        SetPaneText(Pane, lines.join(QStringLiteral("\r\n")));
        Pane.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Pane));
    }

    // Where a short English line sits: left or right half of the pane.
    bool LaidOutRight(const QTextBlock& block)
    {
        Pane.document()->documentLayout()->blockBoundingRect(block);
        const QRectF line = block.layout()->lineAt(0).naturalTextRect();
        return line.center().x() > Pane.document()->textWidth() / 2;
    }

    void ExpectEveryBlock(Qt::LayoutDirection direction, bool right)
    {
        for (QTextBlock block = Pane.document()->begin(); block.isValid(); block = block.next()) {
            EXPECT_EQ(block.blockFormat().layoutDirection(), direction) << block.blockNumber();
            EXPECT_EQ(block.textDirection(), direction) << block.blockNumber();
            EXPECT_EQ(LaidOutRight(block), right) << block.blockNumber();
        }
    }
};

TEST_F(BiDi, RightToLeftMirrorsThePaneAndEveryParagraph)
{
    const auto scrollBarOnTheLeft = [this] {
        return Pane.verticalScrollBar()->mapTo(&Pane, QPoint()).x() < Pane.viewport()->geometry().x();
    };
    ASSERT_TRUE(Pane.verticalScrollBar()->isVisible());
    EXPECT_FALSE(scrollBarOnTheLeft());

    Pane.SetBiDiMode(rvbdRightToLeft);
    EXPECT_EQ(Pane.BiDiMode(), rvbdRightToLeft);
    EXPECT_EQ(Pane.layoutDirection(), Qt::RightToLeft);
    EXPECT_TRUE(scrollBarOnTheLeft());
    ExpectEveryBlock(Qt::RightToLeft, true);

    Pane.SetBiDiMode(rvbdLeftToRight);
    EXPECT_EQ(Pane.layoutDirection(), Qt::LeftToRight);
    EXPECT_FALSE(scrollBarOnTheLeft());
    ExpectEveryBlock(Qt::LeftToRight, false);
}

TEST_F(BiDi, LaterParagraphsFollowTheDirection)
{
    Pane.SetBiDiMode(rvbdRightToLeft);
    Pane.AddTextParagraph(QStringLiteral("added"), 0, 0, 0);
    WriteBytes(QStringLiteral("in.txt"), "loaded\nfile");
    ASSERT_TRUE(Pane.LoadPlainText(Path(QStringLiteral("in.txt")), 0, 0, false));
    ExpectEveryBlock(Qt::RightToLeft, true);

    SetPaneText(Pane, QStringLiteral("new\r\ntext"));
    ExpectEveryBlock(Qt::RightToLeft, true);

    Pane.Clear();
    QTextCursor(Pane.document()).insertText(QStringLiteral("typed\nlines"));
    ExpectEveryBlock(Qt::RightToLeft, true);
}

TEST_F(BiDi, LeftToRightHoldsArabicToo)
{
    SetPaneText(Pane, QStringLiteral("\u0645\u0631\u062D\u0628\u0627"));
    EXPECT_TRUE(LaidOutRight(Pane.document()->begin())); // direction taken from the text
    Pane.SetBiDiMode(rvbdLeftToRight);
    EXPECT_FALSE(LaidOutRight(Pane.document()->begin()));
}

TEST_F(BiDi, FixedTextParagraphsStayLeftToRightWhateverThePane)
{
    Pane.SetBiDiMode(rvbdRightToLeft);
    Pane.Clear();
    Pane.AddTextParagraph(QString(), 0, FixedTextParaStyle, 0);
    Pane.SetItemText(0, QStringLiteral("Translation, please wait ..."));
    const auto fixedLine = [this] { return Pane.document()->begin(); };
    EXPECT_EQ(fixedLine().blockFormat().layoutDirection(), Qt::LeftToRight);
    EXPECT_FALSE(LaidOutRight(fixedLine()));

    // A change of the pane's direction, and the style table applied again, leave it alone.
    Pane.SetBiDiMode(rvbdLeftToRight);
    Pane.SetBiDiMode(rvbdRightToLeft);
    Pane.Reformat();
    EXPECT_EQ(fixedLine().blockFormat().layoutDirection(), Qt::LeftToRight);
    EXPECT_FALSE(LaidOutRight(fixedLine()));

    // Ordinary paragraphs after it take the pane's direction.
    Pane.AddTextParagraph(QStringLiteral("translated"), 0, 0, 0);
    EXPECT_EQ(fixedLine().next().blockFormat().layoutDirection(), Qt::RightToLeft);
}

TEST_F(BiDi, AssigningTheSameValueDoesNothing)
{
    for (const TRVBiDiMode mode : {rvbdLeftToRight, rvbdRightToLeft}) {
        Pane.SetBiDiMode(mode);
        QTextCursor selection(Pane.document());
        selection.setPosition(3);
        selection.setPosition(9, QTextCursor::KeepAnchor);
        Pane.setTextCursor(selection);
        Pane.verticalScrollBar()->setValue(Pane.verticalScrollBar()->maximum() / 2);
        const int scroll = Pane.verticalScrollBar()->value();
        ASSERT_GT(scroll, 0);
        QTest::qWait(1);

        QSignalSpy contents(Pane.document(), &QTextDocument::contentsChange);
        QSignalSpy layout(Pane.document()->documentLayout(), &QAbstractTextDocumentLayout::update);
        Pane.SetBiDiMode(mode);
        QTest::qWait(1);
        EXPECT_EQ(contents.count(), 0);
        EXPECT_EQ(layout.count(), 0);
        EXPECT_EQ(Pane.verticalScrollBar()->value(), scroll);
        EXPECT_EQ(Pane.textCursor().selectionStart(), 3);
        EXPECT_EQ(Pane.textCursor().selectionEnd(), 9);
    }
}

TEST_F(BiDi, ChangingTheValueDropsTheSelection)
{
    Pane.selectAll();
    Pane.SetBiDiMode(rvbdRightToLeft);
    EXPECT_FALSE(Pane.textCursor().hasSelection());
    EXPECT_EQ(Pane.property("BiDiMode").value<TRVBiDiMode>(), rvbdRightToLeft);
}

} // namespace
