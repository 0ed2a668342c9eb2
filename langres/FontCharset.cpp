#include "FontCharset.h"

#include <QVariant>

namespace {

constexpr char CharsetProperty[] = "zorvanelFontCharset";

} // namespace

int FontCharset(const QObject* object)
{
    const QVariant value = object->property(CharsetProperty);
    return value.isValid() ? value.toInt() : DefaultFontCharset;
}

void SetFontCharset(QObject* object, int charset)
{
    object->setProperty(CharsetProperty, charset & 0xFF);
}
