#pragma once
// The item view of a pane's document. A block is a paragraph; inside it U+2028 starts a new line
// and a run of one text style is a text item. A block marked RVProperty::LineBlock is a new line of
// the paragraph before it rather than a paragraph of its own: Qt lays out a block at once, so a
// large file opened as one paragraph is kept as a block per line. A tab is text like any other
// character, so tabular text comes back out on its lines. A line with nothing on it still holds
// one empty text item. A document whose only block is empty and was never made a paragraph (it has
// no paragraph style) holds no item at all.
//
// A text item may hold characters that the document would otherwise read as structure: CR and LF
// (QTextCursor::insertText turns them into paragraphs), U+2028, U+2029 and the frame marks. Such a
// character is stored as a stand-in whose format carries its code in RVProperty::Literal; every
// reader maps it back.

#include <QString>
#include <QStringView>
#include <QTextCharFormat>
#include <QTextCursor>

#include <functional>
#include <utility>
#include <vector>

class QTextBlock;
class QTextDocument;

struct TRVItem
{
    bool NewParagraph = false;
    bool NewLine = false; // starts a line inside its paragraph
    int StyleNo = 0;
    int ParaNo = 0;
    int Position = 0;           // document position of its first character
    int Length = 0;             // characters it covers in the document; 0 for an empty item
    bool HoldsLiterals = false; // its document text has stand-ins to map back
};

// Receives each item with its characters, stand-ins mapped back.
using TRVItemVisitor = std::function<void(const TRVItem&, QStringView)>;

bool IsItemless(const QTextDocument& document);
void ForEachItem(const QTextDocument& document, const TRVItemVisitor& visit);
void ForEachItemInBlocks(const QTextBlock& first, const QTextBlock& last, const TRVItemVisitor& visit);

// Text on its way into the document: pieces joined by structural separators (U+2029 for a new
// paragraph, U+2028 for a new line), with literal characters already swapped for stand-ins so that
// the whole text goes in with one insertText.
class TRVInsertion
{
public:
    void Reserve(qsizetype size) { FText.reserve(size); }
    // Returns whether the text needed stand-ins.
    bool AppendText(QStringView text);
    void AppendSeparator(QChar separator) { FText += separator; }
    bool IsEmpty() const { return FText.isEmpty(); }

    // Inserts at the cursor in the given format; the stand-ins get the format with their code.
    void InsertAt(QTextCursor& cursor, const QTextCharFormat& format) const;

private:
    QString FText;
    std::vector<std::pair<qsizetype, char16_t>> FLiterals; // offset in FText, original character
};
