#include "PropertyAccess.h"

#include "AsciiText.h"
#include "PropertyAliases.h"

#include <QByteArray>
#include <QStringList>

namespace {

// Qt properties hold text as QString; a QByteArray property is 8-bit text in the locale's encoding.
TTextAccess MetaText(QObject* object, const QMetaProperty& property)
{
    const int type = property.metaType().id();
    if (type == QMetaType::QString)
        return {[object, property] { return property.read(object).toString(); },
                [object, property](const QString& text) { property.write(object, text); }};
    if (type == QMetaType::QByteArray)
        return {[object, property] { return QString::fromLocal8Bit(property.read(object).toByteArray()); },
                [object, property](const QString& text) { property.write(object, text.toLocal8Bit()); }};
    return {[] { return QString(); }, [](const QString&) {}};
}

TLinesAccess MetaLines(QObject* object, const QMetaProperty& property)
{
    return {[object, property] { return static_cast<int>(property.read(object).toStringList().size()); },
            [object, property](int i) { return property.read(object).toStringList().value(i); },
            [object, property](int i, const QString& text) {
                QStringList lines = property.read(object).toStringList();
                if (i < lines.size()) {
                    lines[i] = text;
                    property.write(object, lines);
                }
            }};
}

} // namespace

QMetaProperty FindMetaProperty(const QObject* object, QStringView name)
{
    if (!object)
        return {};
    const QMetaObject* meta = object->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (SameAsciiText(name, QString::fromLatin1(property.name())))
            return property;
    }
    return {};
}

QMetaProperty FindValueProperty(QObject* object, QStringView name)
{
    const QMetaProperty property = FindMetaProperty(object, name);
    if (property.isValid())
        return property;
    const std::optional<TAliasTarget> alias = FindAlias(object, name);
    return alias ? alias->FProperty : QMetaProperty();
}

std::optional<TTextAccess> TextProperty(QObject* object, QStringView name)
{
    const QMetaProperty property = FindValueProperty(object, name);
    if (property.isValid())
        return MetaText(object, property);
    const std::optional<TAliasTarget> alias = FindAlias(object, name);
    if (!alias)
        return std::nullopt;
    if (alias->FText)
        return alias->FText;
    // A list read as a text: nothing to read, nowhere to write.
    return TTextAccess{[] { return QString(); }, [](const QString&) {}};
}

std::optional<TLinesAccess> LinesProperty(QObject* object, QStringView name)
{
    const QMetaProperty property = FindValueProperty(object, name);
    if (property.isValid()) {
        if (property.metaType().id() == QMetaType::QStringList)
            return MetaLines(object, property);
        return std::nullopt;
    }
    const std::optional<TAliasTarget> alias = FindAlias(object, name);
    return alias ? alias->FLines : std::nullopt;
}
