#include "ClipboardText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

// The Unicode text travels as UTF-8 under its own type; plain text/plain is the legacy 8-bit text
// (on X11 the STRING and UTF8_STRING targets), in the locale's encoding.
const QString UnicodeText = QStringLiteral("text/plain;charset=utf-8");
const QString LegacyText = QStringLiteral("text/plain");

} // namespace

QString ReadClipboardText()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data) {
        return {};
    }
    // QMimeData::text() would stop at an empty Unicode text; the 8-bit one is read then.
    const QString unicode = QString::fromUtf8(data->data(UnicodeText));
    if (!unicode.isEmpty()) {
        return unicode;
    }
    return QString::fromLocal8Bit(data->data(LegacyText));
}

void WriteClipboardText(const QString& text)
{
    auto* data = new QMimeData;
    data->setText(text);
    QGuiApplication::clipboard()->setMimeData(data);
}
