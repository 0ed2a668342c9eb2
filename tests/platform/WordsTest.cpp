#include "PaneTestSupport.h"
#include "PaneText.h"
#include "RVWords.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QTextCursor>

#include <utility>
#include <vector>

namespace {

// "'", "&", "@", "%", "#" and the no-break space are inside words; "," "(" ")" are words of their own.
const QString Sample = QStringLiteral("abc'de abc&de, (abc@de)\u00A0abc%de");

class Words : public TPaneTest
{
protected:
    void SetUp() override
    {
        // The input pane's set, as the main window gives it.
        Pane.SetDelimiters(RVInputDelimiters.toString());
        SetPaneText(Pane, Sample);
        Pane.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Pane));
    }

    void PlaceCursor(int position)
    {
        QTextCursor cursor(Pane.document());
        cursor.setPosition(position);
        Pane.setTextCursor(cursor);
    }

    std::vector<int> Stops(int from, Qt::Key key)
    {
        PlaceCursor(from);
        std::vector<int> stops;
        for (int i = 0; i < 8; ++i) {
            QTest::keyClick(&Pane, key, Qt::ControlModifier);
            stops.push_back(Pane.textCursor().position());
        }
        return stops;
    }

    // The middle of the character at position, in viewport coordinates.
    QPoint PointOf(int position) const
    {
        QTextCursor cursor(Pane.document());
        cursor.setPosition(position);
        const QRect before = Pane.cursorRect(cursor);
        cursor.setPosition(position + 1);
        const QRect after = Pane.cursorRect(cursor);
        return {(before.x() + after.x()) / 2, before.center().y()};
    }

    void Mouse(QEvent::Type type, int position, Qt::MouseButtons buttons)
    {
        const QPoint point = PointOf(position);
        QMouseEvent event(type, point, Pane.viewport()->mapToGlobal(point),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(Pane.viewport(), &event);
    }

    void DoubleClick(int position)
    {
        Mouse(QEvent::MouseButtonPress, position, Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, position, Qt::NoButton);
        Mouse(QEvent::MouseButtonDblClick, position, Qt::LeftButton);
    }

    std::pair<int, int> Selection() const
    {
        return {Pane.textCursor().anchor(), Pane.textCursor().position()};
    }
};

TEST_F(Words, OnlyTheInputPaneSetEndsWords)
{
    const TRVWords words(RVInputDelimiters);
    for (const QChar c : QStringView(u" .;,:(){}\"/\\<>!?[]-+*=")) {
        const QString text = QStringLiteral("ab") + c + QStringLiteral("cd");
        EXPECT_EQ(words.WordAt(text, 1), std::make_pair(0, 2)) << int(c.unicode());
    }
    for (const QChar c : QStringView(u"'&@%#$_\t\u00A0\u2018\u2019\u201C\u201D\u00AB")) {
        const QString text = QStringLiteral("ab") + c + QStringLiteral("cd");
        EXPECT_EQ(words.WordAt(text, 1), std::make_pair(0, 5)) << int(c.unicode());
    }
}

TEST_F(Words, ThePaneDefaultSetAlsoEndsWordsAtTypographicQuotesAndTheNoBreakSpace)
{
    const TRVWords words(TRichPane(Style).Delimiters());
    for (const QChar c : QStringView(u".\u00A0\u2018\u2019\u201C\u201D")) {
        const QString text = QStringLiteral("ab") + c + QStringLiteral("cd");
        EXPECT_EQ(words.WordAt(text, 1), std::make_pair(0, 2)) << int(c.unicode());
    }
}

TEST_F(Words, WordAtPrefersTheWordTouchingThePosition)
{
    const TRVWords words(RVInputDelimiters);
    const QString text = QStringLiteral("ab  ...cd\u2028ef"); // a line break at 9
    struct TCase
    {
        int FPosition;
        std::pair<int, int> FWord;
    };
    const TCase cases[] = {
        {0, {0, 2}}, {2, {0, 2}}, {3, {2, 4}},    {4, {4, 7}},    {5, {4, 7}},
        {7, {7, 9}}, {9, {7, 9}}, {10, {10, 12}}, {12, {10, 12}},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(words.WordAt(text, c.FPosition), c.FWord) << c.FPosition;
    }
    EXPECT_EQ(words.WordAt(QStringLiteral("a\u2028\u2028b"), 2), std::make_pair(2, 2));
    EXPECT_EQ(words.WordAt(QString(), 0), std::make_pair(0, 0));
}

TEST_F(Words, ControlArrowsStopAtTheSetsBoundaries)
{
    EXPECT_EQ(Stops(0, Qt::Key_Right), (std::vector<int>{7, 13, 15, 16, 22, 23, 30, 30}));
    EXPECT_EQ(Stops(30, Qt::Key_Left), (std::vector<int>{23, 22, 16, 15, 13, 7, 0, 0}));

    PlaceCursor(0);
    QTest::keyClick(&Pane, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(&Pane, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Selection(), std::make_pair(0, 13));
    QTest::keyClick(&Pane, Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Selection(), std::make_pair(0, 7));
}

TEST_F(Words, WordMovesCrossParagraphsAndLineBreaks)
{
    Pane.Clear();
    QTextCursor(Pane.document()).insertText(QStringLiteral("ab cd\nef\u2028gh"));
    // Paragraph "ab cd" holds 0..5; the next starts at 6 with "ef", a line break at 8, "gh" at 9.
    EXPECT_EQ(Stops(0, Qt::Key_Right), (std::vector<int>{3, 5, 6, 9, 11, 11, 11, 11}));
    EXPECT_EQ(Stops(11, Qt::Key_Left), (std::vector<int>{9, 6, 5, 3, 0, 0, 0, 0}));
}

TEST_F(Words, RightToLeftParagraphsMirrorTheArrows)
{
    Pane.SetBiDiMode(rvbdRightToLeft);
    PlaceCursor(0);
    QTest::keyClick(&Pane, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(Pane.textCursor().position(), 7);
    QTest::keyClick(&Pane, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(Pane.textCursor().position(), 0);
}

TEST_F(Words, WordDeletionsTakeWholeWords)
{
    PlaceCursor(30);
    QTest::keyClick(&Pane, Qt::Key_Backspace, Qt::ControlModifier);
    EXPECT_EQ(GetPaneText(Pane), QStringLiteral("abc'de abc&de, (abc@de)"));
    PlaceCursor(0);
    QTest::keyClick(&Pane, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(GetPaneText(Pane), QStringLiteral("abc&de, (abc@de)"));

    Pane.setReadOnly(true);
    QTest::keyClick(&Pane, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(GetPaneText(Pane), QStringLiteral("abc&de, (abc@de)"));
}

TEST_F(Words, DoubleClickSelectsTheWordAndDraggingExtendsByWords)
{
    struct TCase
    {
        int FClicked;
        std::pair<int, int> FSelection;
    };
    const TCase cases[] = {{2, {0, 6}}, {10, {7, 13}}, {13, {13, 14}}, {20, {16, 22}}, {25, {23, 30}}};
    for (const TCase& c : cases) {
        DoubleClick(c.FClicked);
        EXPECT_EQ(Selection(), c.FSelection) << c.FClicked;
        Mouse(QEvent::MouseButtonRelease, c.FClicked, Qt::NoButton);
    }

    DoubleClick(8);
    Mouse(QEvent::MouseMove, 17, Qt::LeftButton);
    EXPECT_EQ(Selection(), std::make_pair(7, 22));
    Mouse(QEvent::MouseMove, 1, Qt::LeftButton);
    EXPECT_EQ(Selection(), std::make_pair(13, 0));
    Mouse(QEvent::MouseButtonRelease, 1, Qt::NoButton);

    Pane.SetDelimiters(QStringLiteral(" &"));
    DoubleClick(8);
    EXPECT_EQ(Selection(), std::make_pair(7, 10));
}

} // namespace
