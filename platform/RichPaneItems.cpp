#include "RVStyle.h"
#include "RichPane.h"

#include <QTextBlock>
#include <QTextDocument>

QTextBlockFormat TRichPane::NewBlockFormat(int paraStyle) const
{
    QTextBlockFormat format = FStyle.BlockFormat(paraStyle);
    if (FBiDiMode != rvbdUnspecified && !format.hasProperty(QTextFormat::LayoutDirection)) {
        format.setLayoutDirection(TextDirection());
    }
    return format;
}

void TRichPane::StartParagraph(QTextCursor& cursor, int textStyle, int paraStyle)
{
    cursor.movePosition(QTextCursor::End);
    const QTextBlockFormat blockFormat = NewBlockFormat(paraStyle);
    const QTextCharFormat charFormat = FStyle.CharFormat(textStyle);
    // QTextDocument always has a block; in an itemless document that block becomes the paragraph.
    if (IsItemless(*document())) {
        cursor.setBlockFormat(blockFormat);
        cursor.setBlockCharFormat(charFormat);
    } else {
        cursor.insertBlock(blockFormat, charFormat);
    }
}

void TRichPane::AddTextParagraph(const QString& text, int textStyle, int paraStyle, int /*tag*/)
{
    AddTextParagraphs(QStringList{text}, textStyle, paraStyle);
}

void TRichPane::AddTextParagraphs(const QStringList& lines, int textStyle, int paraStyle)
{
    if (lines.isEmpty()) {
        return;
    }
    qsizetype size = lines.size();
    for (const QString& line : lines) {
        size += line.size();
    }
    TRVInsertion insertion;
    insertion.Reserve(size);
    std::vector<bool> literals(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            insertion.AppendSeparator(QChar::ParagraphSeparator);
        }
        literals[i] = insertion.AppendText(lines[i]);
    }
    const bool known = FItemsValid;
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    StartParagraph(cursor, textStyle, paraStyle);
    const int start = cursor.position();
    // New blocks copy the format of the block the cursor is in, direction included.
    insertion.InsertAt(cursor, FStyle.CharFormat(textStyle));
    cursor.endEditBlock();
    if (!known) {
        ItemsChanged();
        return;
    }
    // The new items are known without reading them back: one per line.
    std::vector<TRVItem> items = std::move(FItems);
    items.reserve(items.size() + lines.size());
    int position = start;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int length = static_cast<int>(lines[i].size());
        items.push_back({true, false, textStyle, paraStyle, position, length, literals[i]});
        position += length + 1;
    }
    ItemsKnown(std::move(items));
}

void TRichPane::ItemsKnown(std::vector<TRVItem> items)
{
    FItems = std::move(items);
    FItemsValid = true;
}

void TRichPane::ForEachItem(const TRVItemVisitor& visit) const
{
    if (!FItemsValid) {
        std::vector<TRVItem> items;
        ::ForEachItem(*document(), [&](const TRVItem& item, QStringView text) {
            items.push_back(item);
            visit(item, text);
        });
        FItems = std::move(items);
        FItemsValid = true;
        return;
    }
    if (FItems.empty()) {
        return;
    }
    const QString text = document()->toRawText();
    for (std::size_t i = 0; i < FItems.size(); ++i) {
        const TRVItem& item = FItems[i];
        if (item.HoldsLiterals) {
            visit(item, ItemText(static_cast<int>(i)));
        } else {
            visit(item, QStringView(text).mid(item.Position, item.Length));
        }
    }
}

const std::vector<TRVItem>& TRichPane::Items() const
{
    if (!FItemsValid) {
        ForEachItem([](const TRVItem&, QStringView) {});
    }
    return FItems;
}

int TRichPane::ItemCount() const
{
    return static_cast<int>(Items().size());
}

TRVItem TRichPane::ItemInfo(int itemNo) const
{
    return itemNo >= 0 && itemNo < ItemCount() ? Items()[itemNo] : TRVItem();
}

QString TRichPane::ItemText(int itemNo) const
{
    if (itemNo < 0 || itemNo >= ItemCount()) {
        return {};
    }
    const TRVItem item = Items()[itemNo];
    if (item.Length == 0) {
        return {};
    }
    QString text;
    const QTextBlock block = document()->findBlock(item.Position);
    ForEachItemInBlocks(block, block, [&](const TRVItem& other, QStringView otherText) {
        if (other.Position == item.Position) {
            text = otherText.toString();
        }
    });
    return text;
}

void TRichPane::SetItemText(int itemNo, const QString& text)
{
    if (itemNo < 0 || itemNo >= ItemCount()) {
        return;
    }
    const TRVItem item = Items()[itemNo];
    TRVInsertion insertion;
    insertion.AppendText(text);
    // An empty item sits where its line ends, so the text lands on that line.
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    cursor.setPosition(item.Position);
    cursor.setPosition(item.Position + item.Length, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    insertion.InsertAt(cursor, FStyle.CharFormat(item.StyleNo));
    cursor.endEditBlock();
    ItemsChanged();
}

QString TRichPane::SelectedText() const
{
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection()) {
        return {};
    }
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    QString text;
    bool first = true;
    const auto visit = [&](const TRVItem& item, QStringView itemText) {
        QStringView part;
        if (item.Length == 0) {
            if (item.Position < start || item.Position >= end) {
                return;
            }
        } else {
            const int from = std::max(start, item.Position);
            const int to = std::min(end, item.Position + item.Length);
            if (from >= to) {
                return;
            }
            part = itemText.mid(from - item.Position, to - from);
        }
        if (!first && (item.NewParagraph || item.NewLine)) {
            text += QLatin1String("\r\n");
        }
        text += part;
        first = false;
    };
    ForEachItemInBlocks(document()->findBlock(start), document()->findBlock(end), visit);
    return text;
}
