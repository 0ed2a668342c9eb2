#include "RichPane.h"

#include "RVStyle.h"
#include "UndoPause.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

#include <tuple>
#include <utility>
#include <vector>

namespace {

// The pane's margins on every side, also written into saved HTML.
constexpr int PaneMargin = 5;

} // namespace

TRichPane::TRichPane(TRVStyle& style, QWidget* parent) : QTextEdit(parent), FStyle(style)
{
    setAcceptRichText(false);
    document()->setDocumentMargin(PaneMargin);
    setFont(FStyle.Font(0));
    connect(document(), &QTextDocument::contentsChange, this, [this] { ItemsChanged(); });
    // Typing next to a stand-in must not turn the typed text into one.
    connect(this, &QTextEdit::currentCharFormatChanged, this, [this](const QTextCharFormat& format) {
        if (format.hasProperty(RVProperty::Literal) && !textCursor().hasSelection()) {
            QTextCharFormat plain = format;
            plain.clearProperty(RVProperty::Literal);
            setCurrentCharFormat(plain);
        }
    });
}

void TRichPane::Clear()
{
    document()->clear();
    if (FBiDiMode != rvbdUnspecified) {
        const TUndoPause pause(*document());
        QTextBlockFormat direction;
        direction.setLayoutDirection(TextDirection());
        QTextCursor(document()).setBlockFormat(direction);
    }
    ItemsKnown({});
}

void TRichPane::Refill(const std::function<void()>& fill)
{
    // Qt's layout takes an edit as a change of the whole document, to be laid out lazily, only when
    // it starts with the first block that clear() inserts.
    QTextCursor edit(document());
    edit.beginEditBlock();
    Clear();
    fill();
    // Insertions at the start carry the caret along to the end. Looked at there (by the next
    // repaint of the old caret, the input method's query), it would lay out everything up to it.
    setTextCursor(QTextCursor(document()));
    edit.endEditBlock();
}

void TRichPane::Format()
{
    setTextCursor(QTextCursor(document()));
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

void TRichPane::Reformat()
{
    const int vertical = verticalScrollBar()->value();
    const int horizontal = horizontalScrollBar()->value();
    // Style 0's font is the pane's font, which QTextEdit hands on as the document's default font;
    // a changed font lays the document out again.
    setFont(FStyle.Font(0));
    ReapplyStyles();
    // Lay out to the end, so that the old position lies within the scroll range again.
    document()->documentLayout()->documentSize();
    verticalScrollBar()->setValue(vertical);
    horizontalScrollBar()->setValue(horizontal);
}

void TRichPane::ReapplyStyles()
{
    // Only what differs is changed, so the usual case (nothing but style 0) adds no undo step.
    // Changes are gathered first: applying them would merge the fragments being walked.
    std::vector<std::pair<int, QTextBlockFormat>> blocks;
    std::vector<std::tuple<int, int, QTextCharFormat>> runs;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat blockFormat = block.blockFormat();
        if (blockFormat.hasProperty(RVProperty::ParaStyle)) {
            QTextBlockFormat merged = blockFormat;
            merged.merge(FStyle.BlockFormat(ParaStyleOf(blockFormat)));
            if (merged != blockFormat) {
                blocks.emplace_back(block.position(), merged);
            }
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            QTextCharFormat wanted = FStyle.CharFormat(TextStyleOf(format));
            if (!format.hasProperty(RVProperty::TextStyle)) {
                wanted.clearProperty(RVProperty::TextStyle);
            }
            QTextCharFormat merged = format;
            merged.merge(wanted);
            if (merged != format) {
                runs.emplace_back(fragment.position(), fragment.length(), merged);
            }
        }
    }
    if (blocks.empty() && runs.empty()) {
        return;
    }
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    for (const auto& [position, format] : blocks) {
        cursor.setPosition(position);
        cursor.setBlockFormat(format);
    }
    for (const auto& [position, length, format] : runs) {
        cursor.setPosition(position);
        cursor.setPosition(position + length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
    }
    cursor.endEditBlock();
}

Qt::LayoutDirection TRichPane::TextDirection() const
{
    switch (FBiDiMode) {
    case rvbdLeftToRight:
        return Qt::LeftToRight;
    case rvbdRightToLeft:
        return Qt::RightToLeft;
    default:
        return Qt::LayoutDirectionAuto;
    }
}

void TRichPane::SetBiDiMode(TRVBiDiMode value)
{
    if (value == FBiDiMode) {
        return;
    }
    FBiDiMode = value;
    const Qt::LayoutDirection direction = TextDirection();
    // The widget's direction mirrors the pane and puts the vertical scroll bar on the left. Left
    // to themselves, the blocks would take their direction from their first strong character, so
    // they are told too: the ones there now through their formats, later ones through the
    // document's default text option and the block format new paragraphs get.
    if (value == rvbdUnspecified) {
        unsetLayoutDirection();
    } else {
        setLayoutDirection(direction);
    }
    QTextOption option = document()->defaultTextOption();
    option.setTextDirection(direction);
    document()->setDefaultTextOption(option);

    QTextCursor cursor = textCursor();
    cursor.clearSelection();
    setTextCursor(cursor);

    {
        // A change of reading direction is no edit the user should undo.
        const TUndoPause pause(*document());
        QTextBlockFormat format;
        format.setLayoutDirection(direction);
        QTextCursor all(document());
        all.select(QTextCursor::Document);
        all.mergeBlockFormat(format);
        // Paragraphs of a style with a direction of its own keep it.
        for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
            const QTextBlockFormat own = FStyle.BlockFormat(ParaStyleOf(block.blockFormat()));
            if (own.hasProperty(QTextFormat::LayoutDirection)) {
                QTextCursor(block).mergeBlockFormat(own);
            }
        }
    }
    document()->markContentsDirty(0, document()->characterCount());
    viewport()->update();
}

bool TRichPane::canInsertFromMimeData(const QMimeData* source) const
{
    return source->hasText();
}

void TRichPane::insertFromMimeData(const QMimeData* source)
{
    if (!source->hasText()) {
        return;
    }
    QTextCursor cursor = textCursor();
    InsertUserText(cursor, source->text());
    setTextCursor(cursor);
    ensureCursorVisible();
}

void TRichPane::InsertUserText(QTextCursor& cursor, const QString& text)
{
    QTextCharFormat format = cursor.charFormat();
    format.clearProperty(RVProperty::Literal);
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    // New blocks copy the format of the block they split, which in a line block would make every
    // typed or pasted line end a new line of that paragraph instead of a paragraph of its own.
    QTextBlockFormat blockFormat = cursor.blockFormat();
    const bool lineBlock = blockFormat.hasProperty(RVProperty::LineBlock);
    const int start = cursor.position();
    if (lineBlock) {
        blockFormat.clearProperty(RVProperty::LineBlock);
        cursor.setBlockFormat(blockFormat);
    }
    cursor.insertText(text, format);
    if (lineBlock) {
        QTextCursor first(document());
        first.setPosition(start);
        blockFormat.setProperty(RVProperty::LineBlock, true);
        first.setBlockFormat(blockFormat);
    }
    cursor.endEditBlock();
}

void TRichPane::keyPressEvent(QKeyEvent* event)
{
    if (WordKeyPressed(event)) {
        return;
    }
    if (event->matches(QKeySequence::InsertParagraphSeparator) && !isReadOnly()) {
        QTextCursor cursor = textCursor();
        InsertUserText(cursor, QString(QChar::ParagraphSeparator));
        setTextCursor(cursor);
        ensureCursorVisible();
        event->accept();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

QMimeData* TRichPane::createMimeDataFromSelection() const
{
    auto* data = new QMimeData;
    data->setText(SelectedText());
    return data;
}
