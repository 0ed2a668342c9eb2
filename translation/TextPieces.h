#pragma once
// Cutting a long text into pieces the endpoint accepts, and joining their translations again.
// The endpoint refuses a text of more than 5,000 characters; a longer one goes piece by piece.

#include <QString>
#include <QStringList>

// Characters are Unicode code points, not UTF-16 units.
inline constexpr qsizetype MaxPieceLength = 5000;

struct TTextPieces
{
    QStringList Pieces;
    // Separators[i] stood between Pieces[i] and Pieces[i + 1] in the text: it is not sent, and
    // goes back between their translations.
    QStringList Separators;
};

// A text of at most maxLength characters is one piece, exactly as given. A longer one is cut at
// the last paragraph end inside the limit; failing that, at the last sentence end (".", "!",
// "?", "؟" or "…" followed by white space); failing that, at the last white space; failing that,
// at the limit, moved back so that no surrogate pair and no letter with its combining marks is
// split. The white space around a cut is the separator, so no piece begins or ends with it;
// white space at the very end of a long text is not kept, as it has nothing to translate.
TTextPieces CutIntoPieces(const QString& text, qsizetype maxLength = MaxPieceLength);

// The pieces' translations with the separators back between them.
QString JoinTranslatedPieces(const QStringList& translations, const QStringList& separators);
