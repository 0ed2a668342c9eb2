#pragma once
// Word boundaries inside one paragraph by a pane's own delimiter set, for double-click and the word
// keys. A word is a run of characters outside the set; a run of delimiters other than the space is
// a word of its own, and spaces only separate. A line break inside the paragraph separates as a
// space does. Positions count UTF-16 code units from the paragraph's start; its two ends are
// boundaries.

#include <QString>
#include <QStringView>

#include <utility>

// The input pane's set: the space and these marks. Typographic quotation marks, the no-break space,
// the apostrophe, "&", "@" and "%" belong to words.
inline constexpr QStringView RVInputDelimiters = u" .;,:(){}\"/\\<>!?[]-+*=";
// A pane's own set unless it is given another: the input pane's, with the typographic quotation
// marks and the no-break space.
inline constexpr QStringView RVDefaultDelimiters = u" .;,:(){}\"/\\<>!?[]-+*=\u2018\u2019\u201C\u201D\u00A0";

class TRVWords
{
public:
    explicit TRVWords(QStringView delimiters) : FDelimiters(delimiters) {}

    // Past the rest of the word (or delimiter run) at position, then past the spaces after it.
    int NextWordStart(QStringView text, int position) const;
    // Back over spaces, then to the start of the word (or delimiter run) before them.
    int PreviousWordStart(QStringView text, int position) const;
    // The run a double-click at position selects: the word touching it (the one after it first),
    // else the run of marks, else of spaces there. Empty on an empty paragraph or between line
    // breaks.
    std::pair<int, int> WordAt(QStringView text, int position) const;

private:
    // Ordered from the strongest claim on a double-click.
    enum class TKind
    {
        Word,
        Mark,
        Space,
        LineBreak,
    };
    TKind KindOf(QChar c) const;
    bool Separates(QChar c) const;

    QStringView FDelimiters;
};
