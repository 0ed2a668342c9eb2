#pragma once
// The style table shared by both panes: text styles (font, colour, hyperlink) and paragraph
// styles, numbered as the documents refer to them. Plain data: whoever changes an attribute calls
// Reformat on the panes for the change to show.

#include <QColor>
#include <QFont>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>

#include <vector>

enum TFontStyle
{
    fsBold = 0x1,
    fsItalic = 0x2,
    fsUnderline = 0x4,
    fsStrikeOut = 0x8,
};

struct TFontInfo
{
    QString StyleName;
    QString FontName;
    int Size = 10; // points
    int Style = 0; // TFontStyle bits
    QColor Color;  // invalid: the window text colour of the palette
    QColor HoverColor;
    bool Unicode = false;
    bool Jump = false; // a hyperlink style
    Qt::CursorShape JumpCursor = Qt::PointingHandCursor;
};

enum TRVBiDiMode
{
    rvbdUnspecified = 0,
    rvbdLeftToRight = 1,
    rvbdRightToLeft = 2,
};

struct TParaInfo
{
    QString StyleName;
    Qt::Alignment Alignment = Qt::AlignLeft;
    // A paragraph of a style with a reading direction of its own keeps it whatever the pane's.
    TRVBiDiMode BiDiMode = rvbdUnspecified;
};

// The paragraph style of the program's own fixed texts (the waiting line, the error texts):
// English, so left to right in either pane.
inline constexpr int FixedTextParaStyle = 2;

class TRVStyle
{
public:
    // The table as designed; text style 0 starts as "Tahoma" until LoadSettings sets its font.
    TRVStyle();

    std::vector<TFontInfo> TextStyles;
    std::vector<TParaInfo> ParaStyles;

    // Unknown numbers fall back to style 0, as the panes never hold them from the system's own
    // writing.
    const TFontInfo& TextStyle(int styleNo) const;
    const TParaInfo& ParaStyle(int paraNo) const;

    QFont Font(int styleNo) const;
    // The character format that marks text of the style. Style 0 carries only its number: its
    // font is the pane's own font, so changing it needs no walk over the text.
    QTextCharFormat CharFormat(int styleNo) const;
    QTextBlockFormat BlockFormat(int paraNo) const;
};

// Where the pane keeps item kinds and style numbers inside Qt's formats.
namespace RVProperty {
inline constexpr int TextStyle = QTextFormat::UserProperty + 1; // char format: text style number
inline constexpr int ParaStyle = QTextFormat::UserProperty + 2; // block format: paragraph style
inline constexpr int Literal = QTextFormat::UserProperty + 3;   // char format: see RVItems.h
inline constexpr int LineBlock = QTextFormat::UserProperty + 4; // block format: see RVItems.h
} // namespace RVProperty

int TextStyleOf(const QTextCharFormat& format);
int ParaStyleOf(const QTextBlockFormat& format);
