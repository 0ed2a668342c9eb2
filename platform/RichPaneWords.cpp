// Word boundaries of the pane's own delimiter set in place of Qt's: double-click, a drag after it,
// the word moves with and without Shift and the word deletions.

#include "RichPane.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextDocument>

int TRichPane::WordMoveTarget(int position, bool forward) const
{
    const QTextBlock block = document()->findBlock(position);
    const QString text = block.text();
    const int offset = position - block.position();
    const TRVWords words(FDelimiters);
    // As Qt does, a move from a paragraph's end goes to the next one's start, and back likewise.
    if (forward) {
        if (offset >= text.size()) {
            return block.next().isValid() ? position + 1 : position;
        }
        return block.position() + words.NextWordStart(text, offset);
    }
    if (offset == 0) {
        return block.previous().isValid() ? position - 1 : position;
    }
    return block.position() + words.PreviousWordStart(text, offset);
}

std::pair<int, int> TRichPane::WordAround(int position) const
{
    const QTextBlock block = document()->findBlock(position);
    const auto [start, end] = TRVWords(FDelimiters).WordAt(block.text(), position - block.position());
    return {block.position() + start, block.position() + end};
}

bool TRichPane::WordKeyPressed(QKeyEvent* event)
{
    const bool next = event->matches(QKeySequence::MoveToNextWord);
    const bool previous = event->matches(QKeySequence::MoveToPreviousWord);
    const bool selectNext = event->matches(QKeySequence::SelectNextWord);
    const bool selectPrevious = event->matches(QKeySequence::SelectPreviousWord);
    const bool deleteEnd = event->matches(QKeySequence::DeleteEndOfWord);
    const bool deleteStart = event->matches(QKeySequence::DeleteStartOfWord);
    QTextCursor cursor = textCursor();
    if (next || previous || selectNext || selectPrevious) {
        if (!(textInteractionFlags() & (Qt::TextSelectableByKeyboard | Qt::TextEditable))) {
            return false;
        }
        // The arrows point on screen: in a right-to-left paragraph the right one goes back.
        bool forward = next || selectNext;
        if (cursor.block().textDirection() == Qt::RightToLeft) {
            forward = !forward;
        }
        const auto mode = selectNext || selectPrevious ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor;
        cursor.setPosition(WordMoveTarget(cursor.position(), forward), mode);
    } else if (deleteEnd || deleteStart) {
        if (isReadOnly()) {
            return false;
        }
        if (!cursor.hasSelection()) {
            cursor.setPosition(WordMoveTarget(cursor.position(), deleteEnd), QTextCursor::KeepAnchor);
        }
        cursor.removeSelectedText();
    } else {
        return false;
    }
    setTextCursor(cursor);
    ensureCursorVisible();
    event->accept();
    return true;
}

void TRichPane::mousePressEvent(QMouseEvent* event)
{
    FDragWord = {-1, -1};
    QTextEdit::mousePressEvent(event);
}

void TRichPane::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Qt's own handling first: it starts the wait for a third click, which selects the paragraph.
    QTextEdit::mouseDoubleClickEvent(event);
    if (event->button() != Qt::LeftButton || !(textInteractionFlags() & Qt::TextSelectableByMouse)) {
        return;
    }
    const auto [start, end] = WordAround(cursorForPosition(event->position().toPoint()).position());
    QTextCursor cursor = textCursor();
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    FDragWord = {start, end};
}

void TRichPane::mouseMoveEvent(QMouseEvent* event)
{
    if (FDragWord.first < 0 || !(event->buttons() & Qt::LeftButton)) {
        QTextEdit::mouseMoveEvent(event);
        return;
    }
    // The selection grows by whole words from the word first selected, as far as the pointer.
    const int position = cursorForPosition(event->position().toPoint()).position();
    const auto [wordStart, wordEnd] = WordAround(position);
    QTextCursor cursor = textCursor();
    if (position < FDragWord.first) {
        cursor.setPosition(FDragWord.second);
        cursor.setPosition(std::min(wordStart, position), QTextCursor::KeepAnchor);
    } else if (position > FDragWord.second) {
        cursor.setPosition(FDragWord.first);
        cursor.setPosition(std::max(wordEnd, position), QTextCursor::KeepAnchor);
    } else {
        cursor.setPosition(FDragWord.first);
        cursor.setPosition(FDragWord.second, QTextCursor::KeepAnchor);
    }
    setTextCursor(cursor);
}

void TRichPane::mouseReleaseEvent(QMouseEvent* event)
{
    FDragWord = {-1, -1};
    QTextEdit::mouseReleaseEvent(event);
}
