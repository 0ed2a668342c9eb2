#include "RVItems.h"

#include "RVStyle.h"

#include <QTextBlock>
#include <QTextDocument>

namespace {

constexpr char16_t LineSeparator = 0x2028;
constexpr char16_t ParagraphSeparator = 0x2029;
constexpr char16_t ZeroWidthSpace = 0x200B;

// Zero width space shows nothing and still lets a line wrap there, as a line end would.
constexpr char16_t StandIn = ZeroWidthSpace;

bool IsStructural(char16_t c)
{
    switch (c) {
    case u'\r':
    case u'\n':
    case LineSeparator:
    case ParagraphSeparator:
    case 0xFDD0: // frame marks of QTextDocument
    case 0xFDD1:
        return true;
    default:
        return false;
    }
}

struct TFormatInfo
{
    int StyleNo = 0;
    char16_t Literal = 0;
};

// Walks blocks and reports their items; caches what each char format index says.
class TItemWalker
{
public:
    explicit TItemWalker(const TRVItemVisitor& visit) : FVisit(visit) {}

    // base: the block's document position; text: its characters without the separator.
    void Block(const QTextBlock& block, int base, QStringView text);

private:
    const TFormatInfo& Info(const QTextFragment& fragment);
    void Open(int styleNo, int position);
    void Close();
    void EndLine(int position);

    const TRVItemVisitor& FVisit;
    std::vector<TFormatInfo> FInfos;
    std::vector<bool> FKnown;
    QString FText;
    TRVItem FItem;
    bool FOpen = false;
    bool FLiterals = false;
    bool FLineEmpty = true;
    bool FNewParagraph = false;
    bool FNewLine = false;
    int FParaNo = 0;
    int FLineStyle = 0;
};

const TFormatInfo& TItemWalker::Info(const QTextFragment& fragment)
{
    const auto index = static_cast<std::size_t>(fragment.charFormatIndex());
    if (index >= FInfos.size()) {
        FInfos.resize(index + 1);
        FKnown.resize(index + 1);
    }
    if (!FKnown[index]) {
        const QTextCharFormat format = fragment.charFormat();
        FInfos[index] = {TextStyleOf(format), static_cast<char16_t>(format.intProperty(RVProperty::Literal))};
        FKnown[index] = true;
    }
    return FInfos[index];
}

void TItemWalker::Open(int styleNo, int position)
{
    FItem = {FNewParagraph, FNewLine, styleNo, FParaNo, position, 0};
    FNewParagraph = FNewLine = false;
    FLineEmpty = false;
}

void TItemWalker::Close()
{
    if (FOpen) {
        FItem.HoldsLiterals = FLiterals;
        FLiterals = false;
        FVisit(FItem, FText);
        FText.truncate(0); // keeps the buffer for the next item
        FOpen = false;
    }
}

void TItemWalker::EndLine(int position)
{
    Close();
    if (FLineEmpty) {
        Open(FLineStyle, position);
        FVisit(FItem, QStringView());
    }
}

void TItemWalker::Block(const QTextBlock& block, int base, QStringView text)
{
    // Positions are counted here rather than asked of Qt: each QTextBlock::position() or
    // QTextFragment::position() call searches the document's fragment tree.
    const QTextBlockFormat blockFormat = block.blockFormat();
    FParaNo = ParaStyleOf(blockFormat);
    FLineStyle = text.isEmpty() ? TextStyleOf(block.charFormat()) : 0;
    // A line block at the very start has no paragraph to continue.
    FNewLine = blockFormat.boolProperty(RVProperty::LineBlock) && block.previous().isValid();
    FNewParagraph = !FNewLine;
    FLineEmpty = true;
    int offset = 0;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const TFormatInfo info = Info(fragment);
        const int end = offset + fragment.length();
        for (int k = offset; k < end;) {
            char16_t c = text[k].unicode();
            const bool literal = info.Literal != 0 && c == StandIn;
            if (!literal && c == LineSeparator) {
                FLineStyle = info.StyleNo;
                EndLine(base + k);
                FNewLine = true;
                FLineEmpty = true;
                ++k;
                continue;
            }
            if (FOpen && FItem.StyleNo != info.StyleNo) {
                Close();
            }
            if (!FOpen) {
                Open(info.StyleNo, base + k);
                FOpen = true;
            }
            if (literal) {
                FText += QChar(info.Literal);
                FLiterals = true;
                ++FItem.Length;
                ++k;
                continue;
            }
            int run = k + 1;
            while (run < end) {
                c = text[run].unicode();
                if (c == LineSeparator || (info.Literal != 0 && c == StandIn)) {
                    break;
                }
                ++run;
            }
            FText += text.mid(k, run - k);
            FItem.Length += run - k;
            k = run;
        }
        offset = end;
    }
    EndLine(base + static_cast<int>(text.size()));
}

} // namespace

bool IsItemless(const QTextDocument& document)
{
    const QTextBlock first = document.begin();
    return document.blockCount() == 1 && first.length() == 1 &&
           !first.blockFormat().hasProperty(RVProperty::ParaStyle);
}

void ForEachItem(const QTextDocument& document, const TRVItemVisitor& visit)
{
    if (IsItemless(document)) {
        return;
    }
    // One copy of the whole text is far cheaper than asking each block for its own.
    const QString text = document.toRawText();
    TItemWalker walker(visit);
    int base = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int length = block.length() - 1;
        walker.Block(block, base, QStringView(text).mid(base, length));
        base += length + 1;
    }
}

void ForEachItemInBlocks(const QTextBlock& first, const QTextBlock& last, const TRVItemVisitor& visit)
{
    if (!first.isValid() || IsItemless(*first.document())) {
        return;
    }
    TItemWalker walker(visit);
    int base = first.position();
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        walker.Block(block, base, block.text());
        base += block.length();
        if (block == last) {
            break;
        }
    }
}

bool TRVInsertion::AppendText(QStringView text)
{
    const std::size_t literals = FLiterals.size();
    qsizetype from = 0;
    for (qsizetype k = 0; k < text.size(); ++k) {
        const char16_t c = text[k].unicode();
        if (IsStructural(c)) {
            FText += text.mid(from, k - from);
            FLiterals.emplace_back(FText.size(), c);
            FText += QChar(StandIn);
            from = k + 1;
        }
    }
    FText += text.mid(from);
    return FLiterals.size() != literals;
}

void TRVInsertion::InsertAt(QTextCursor& cursor, const QTextCharFormat& format) const
{
    const int start = cursor.position();
    cursor.insertText(FText, format);
    if (FLiterals.empty()) {
        return;
    }
    const int end = cursor.position();
    QTextCursor mark(cursor.document());
    for (const auto& [offset, code] : FLiterals) {
        QTextCharFormat literal = format;
        literal.setProperty(RVProperty::Literal, static_cast<int>(code));
        mark.setPosition(start + static_cast<int>(offset));
        mark.setPosition(start + static_cast<int>(offset) + 1, QTextCursor::KeepAnchor);
        mark.setCharFormat(literal);
    }
    cursor.setPosition(end);
}
