#include "ClipboardText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

QString ReadClipboardText()
{
    return QGuiApplication::clipboard()->text();
}

void WriteClipboardText(const QString& text)
{
    auto* data = new QMimeData;
    data->setText(text);
    QGuiApplication::clipboard()->setMimeData(data);
}
