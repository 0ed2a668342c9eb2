#pragma once
// A text pane of the main window: a QTextEdit whose document is read and written as numbered items
// (see RVItems.h) drawn with a shared style table. The output pane is the same class made read-only.

#include "RVItems.h"
#include "RVStyle.h"
#include "RVWords.h"

#include <QTextEdit>

#include <functional>
#include <vector>

class TRVStyle;

class TRichPane : public QTextEdit
{
    Q_OBJECT
    Q_PROPERTY(TRVBiDiMode BiDiMode READ BiDiMode WRITE SetBiDiMode)
    Q_PROPERTY(QString Delimiters READ Delimiters WRITE SetDelimiters)

public:
    // The style table must outlive the pane's use; the main window owns it.
    explicit TRichPane(TRVStyle& style, QWidget* parent = nullptr);

    TRVStyle& Style() const { return FStyle; }

    // Removes every item; no paragraph is left.
    void Clear();
    // Clears the document and runs fill in the same edit, so that Qt lays the new text out in steps
    // from the event loop, as after setPlainText, instead of all of it before returning. The caret
    // is left at the start.
    void Refill(const std::function<void()>& fill);
    // Shows the document from its beginning.
    void Format();
    // Applies the style table again (style 0's font included), keeping the scroll position.
    void Reformat();

    // Appends one text item that starts a paragraph. Nothing reads item tags, so tag is not kept.
    void AddTextParagraph(const QString& text, int textStyle, int paraStyle, int tag);
    // The same for many lines at once, one paragraph each, in a single insertion.
    void AddTextParagraphs(const QStringList& lines, int textStyle, int paraStyle);

    int ItemCount() const;
    // An empty text for a number out of range.
    QString ItemText(int itemNo) const;
    // Replaces a text item's text in its own style; a number out of range is left alone.
    void SetItemText(int itemNo, const QString& text);
    TRVItem ItemInfo(int itemNo) const;
    QString SelectedText() const;
    // Visits every item as ::ForEachItem does, from the pane's item list while no edit has
    // touched it since it was made.
    void ForEachItem(const TRVItemVisitor& visit) const;

    // Appends an 8-bit text file (locale encoding); false, with the document unchanged, when the
    // file cannot be read.
    bool LoadPlainText(const QString& fileName, int textStyle, int paraStyle, bool oneParagraph);
    // UTF-16LE with a byte-order mark. lineWidth only matters for item kinds the panes never hold.
    bool SavePlainText(const QString& fileName, int lineWidth) const;
    // A UTF-8 HTML page of the document. imagesPrefix and options change nothing: the panes hold
    // no pictures, and the page is always UTF-8.
    bool SaveHtml(const QString& fileName, const QString& title, const QString& imagesPrefix,
                  int options) const;

    TRVBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TRVBiDiMode value);

    // The characters that end words for double-click, the word moves and the word deletions; the
    // input pane's set unless another is given.
    const QString& Delimiters() const { return FDelimiters; }
    void SetDelimiters(const QString& value) { FDelimiters = value; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    Qt::LayoutDirection TextDirection() const;
    // The block format a new paragraph gets: its style plus the pane's reading direction.
    QTextBlockFormat NewBlockFormat(int paraStyle) const;
    // Moves the cursor into a new last paragraph (the first block of an itemless document).
    void StartParagraph(QTextCursor& cursor, int textStyle, int paraStyle);
    const std::vector<TRVItem>& Items() const;
    void ReapplyStyles();
    void ItemsChanged() { FItemsValid = false; }
    void ItemsKnown(std::vector<TRVItem> items);
    // Where a word move from position ends, across a paragraph's end as well.
    int WordMoveTarget(int position, bool forward) const;
    // The word a double-click at position selects, in document positions.
    std::pair<int, int> WordAround(int position) const;
    bool WordKeyPressed(QKeyEvent* event);
    // Inserts at the cursor, replacing its selection, with a paragraph at every line end.
    void InsertUserText(QTextCursor& cursor, const QString& text);

    TRVStyle& FStyle;
    TRVBiDiMode FBiDiMode = rvbdUnspecified;
    QString FDelimiters = RVDefaultDelimiters.toString();
    // The word a double-click selected while its button is held: dragging extends by words.
    std::pair<int, int> FDragWord{-1, -1};
    mutable std::vector<TRVItem> FItems;
    mutable bool FItemsValid = false;
};
