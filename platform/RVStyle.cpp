#include "RVStyle.h"

TRVStyle::TRVStyle()
{
    const QString arial = QStringLiteral("Arial");
    const QString tahoma = QStringLiteral("Tahoma");
    TextStyles = {
        {QStringLiteral("Normal text"), tahoma, 14, 0, QColor(), QColor(), true, false},
        {QStringLiteral("Heading"), arial, 10, fsBold, QColor(0, 0, 255), QColor(), false, false},
        {QStringLiteral("Subheading"), arial, 10, fsBold, QColor(0, 0, 128), QColor(), false, false},
        {QStringLiteral("Keywords"), arial, 10, fsItalic, QColor(128, 0, 0), QColor(), false, false},
        {QStringLiteral("Jump 1"), tahoma, 14, fsUnderline, QColor(0, 0, 179), QColor(0, 0, 255), false,
         true},
        {QStringLiteral("Jump 2"), arial, 10, fsUnderline, QColor(0, 128, 0), QColor(), false, true},
        {QStringLiteral("NoUnicode"), tahoma, 14, 0, QColor(), QColor(), false, false},
    };
    ParaStyles = {
        {QStringLiteral("Paragraph Style"), Qt::AlignLeft},
        {QStringLiteral("Centered"), Qt::AlignHCenter},
        {QStringLiteral("Fixed text"), Qt::AlignLeft, rvbdLeftToRight},
    };
}

const TFontInfo& TRVStyle::TextStyle(int styleNo) const
{
    return styleNo > 0 && styleNo < static_cast<int>(TextStyles.size()) ? TextStyles[styleNo] : TextStyles[0];
}

const TParaInfo& TRVStyle::ParaStyle(int paraNo) const
{
    return paraNo > 0 && paraNo < static_cast<int>(ParaStyles.size()) ? ParaStyles[paraNo] : ParaStyles[0];
}

QFont TRVStyle::Font(int styleNo) const
{
    const TFontInfo& info = TextStyle(styleNo);
    QFont font(info.FontName);
    font.setPointSize(info.Size);
    font.setBold(info.Style & fsBold);
    font.setItalic(info.Style & fsItalic);
    font.setUnderline(info.Style & fsUnderline);
    font.setStrikeOut(info.Style & fsStrikeOut);
    return font;
}

QTextCharFormat TRVStyle::CharFormat(int styleNo) const
{
    QTextCharFormat format;
    format.setProperty(RVProperty::TextStyle, styleNo);
    const TFontInfo& info = TextStyle(styleNo);
    if (styleNo != 0) {
        format.setFontFamilies({info.FontName});
        format.setFontPointSize(info.Size);
        format.setFontWeight((info.Style & fsBold) ? QFont::Bold : QFont::Normal);
        format.setFontItalic(info.Style & fsItalic);
        format.setFontUnderline(info.Style & fsUnderline);
        format.setFontStrikeOut(info.Style & fsStrikeOut);
        if (info.Jump) {
            format.setAnchor(true);
        }
    }
    if (info.Color.isValid()) {
        format.setForeground(info.Color);
    }
    return format;
}

QTextBlockFormat TRVStyle::BlockFormat(int paraNo) const
{
    QTextBlockFormat format;
    format.setProperty(RVProperty::ParaStyle, paraNo);
    const TParaInfo& info = ParaStyle(paraNo);
    format.setAlignment(info.Alignment);
    if (info.BiDiMode != rvbdUnspecified) {
        format.setLayoutDirection(info.BiDiMode == rvbdRightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    }
    return format;
}

int TextStyleOf(const QTextCharFormat& format)
{
    return format.intProperty(RVProperty::TextStyle);
}

int ParaStyleOf(const QTextBlockFormat& format)
{
    return format.intProperty(RVProperty::ParaStyle);
}
