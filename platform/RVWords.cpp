#include "RVWords.h"

TRVWords::TKind TRVWords::KindOf(QChar c) const
{
    if (c == QChar::LineSeparator) {
        return TKind::LineBreak;
    }
    if (!FDelimiters.contains(c)) {
        return TKind::Word;
    }
    return c == u' ' ? TKind::Space : TKind::Mark;
}

bool TRVWords::Separates(QChar c) const
{
    const TKind kind = KindOf(c);
    return kind == TKind::Space || kind == TKind::LineBreak;
}

int TRVWords::NextWordStart(QStringView text, int position) const
{
    const int length = static_cast<int>(text.size());
    int k = position;
    if (k < length && !Separates(text[k])) {
        const TKind kind = KindOf(text[k]);
        while (k < length && KindOf(text[k]) == kind) {
            ++k;
        }
    }
    while (k < length && Separates(text[k])) {
        ++k;
    }
    return k;
}

int TRVWords::PreviousWordStart(QStringView text, int position) const
{
    int k = position;
    while (k > 0 && Separates(text[k - 1])) {
        --k;
    }
    if (k > 0) {
        const TKind kind = KindOf(text[k - 1]);
        while (k > 0 && KindOf(text[k - 1]) == kind) {
            --k;
        }
    }
    return k;
}

std::pair<int, int> TRVWords::WordAt(QStringView text, int position) const
{
    const int length = static_cast<int>(text.size());
    if (length == 0) {
        return {0, 0};
    }
    // A click falls between two characters: the one of the stronger kind decides (a word before
    // delimiters, marks before spaces), the one after it on a tie.
    int k = position < length ? position : length - 1;
    if (k == position && k > 0 && KindOf(text[k - 1]) < KindOf(text[k])) {
        --k;
    }
    const TKind kind = KindOf(text[k]);
    if (kind == TKind::LineBreak) {
        return {position, position};
    }
    int start = k;
    while (start > 0 && KindOf(text[start - 1]) == kind) {
        --start;
    }
    int end = k + 1;
    while (end < length && KindOf(text[end]) == kind) {
        ++end;
    }
    return {start, end};
}
