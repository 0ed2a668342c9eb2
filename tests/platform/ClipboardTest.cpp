#include "ClipboardText.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>

#include <gtest/gtest.h>

namespace {

TEST(ClipboardText, WritesOnlyPlainTextAndReadsItBack)
{
    const QString texts[] = {
        QStringLiteral("plain"),
        QStringLiteral("\u0645\u0631\u062D\u0628\u0627\r\nline two\tx"),
        QString(),
    };
    for (const QString& text : texts) {
        QApplication::clipboard()->setImage(QImage(2, 2, QImage::Format_RGB32));
        WriteClipboardText(text);
        EXPECT_EQ(QApplication::clipboard()->mimeData()->formats(),
                  QStringList{QStringLiteral("text/plain")});
        EXPECT_EQ(ReadClipboardText(), text);
    }
}

TEST(ClipboardText, ReadsNothingWhenTheClipboardHoldsNoText)
{
    QApplication::clipboard()->setImage(QImage(2, 2, QImage::Format_RGB32));
    EXPECT_EQ(ReadClipboardText(), QString());
    QApplication::clipboard()->clear();
    EXPECT_EQ(ReadClipboardText(), QString());
}

TEST(ClipboardText, ReadsTextPutThereInUtf8)
{
    auto* data = new QMimeData;
    data->setData(QStringLiteral("text/plain;charset=utf-8"), QByteArray("\xD8\xA8 b"));
    QApplication::clipboard()->setMimeData(data);
    EXPECT_EQ(ReadClipboardText(), QStringLiteral("\u0628 b"));
}

// The UTF-8 target stands for the Unicode text, the plain text/plain target for the legacy 8-bit
// one; the 8-bit text counts only when the Unicode text is missing or empty.
TEST(ClipboardText, ReadsThe8BitTextWhenTheUnicodeTextIsEmpty)
{
    struct TCase
    {
        const char* FName;
        const char* FUnicode; // nullptr: the target is not offered
        const char* FLegacy;
        QString FExpected;
    };
    const TCase cases[] = {
        {"unicode empty", "", "legacy \xD8\xA8", QStringLiteral("legacy \u0628")},
        {"unicode missing", nullptr, "legacy", QStringLiteral("legacy")},
        {"both", "\xD8\xA8", "legacy", QStringLiteral("\u0628")},
        {"both empty", "", "", QString()},
    };
    for (const TCase& c : cases) {
        auto* data = new QMimeData;
        if (c.FUnicode) {
            data->setData(QStringLiteral("text/plain;charset=utf-8"), QByteArray(c.FUnicode));
        }
        data->setData(QStringLiteral("text/plain"), QByteArray(c.FLegacy));
        QApplication::clipboard()->setMimeData(data);
        EXPECT_EQ(ReadClipboardText(), c.FExpected) << c.FName;
    }
}

} // namespace
