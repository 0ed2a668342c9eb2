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

} // namespace
