#include "SMLLangRes.h"

#include "FontCharset.h"
#include "IniFiles.h"
#include "LangInteger.h"
#include "PropertyAccess.h"
#include "SMLPublic.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFont>

namespace {

QObject* CheckedOwner(QObject* owner)
{
    if (!IsOwnerKind(owner))
        throw TsmlOwnerError();
    return owner;
}

// Language files lie beside the executable; an installed copy keeps them in ../share/zorvanel.
// The value is appended without any test, so an absolute path names no file and the empty text
// names the folder itself.
QString ResolveLangFileName(const QString& value)
{
    const QString exeDir = QCoreApplication::applicationDirPath() + u'/';
    const QString beside = exeDir + value;
    if (QFileInfo(beside).isFile())
        return beside;
    const QString installed = exeDir + QStringLiteral("../share/zorvanel/") + value;
    if (QFileInfo(installed).isFile())
        return installed;
    return beside;
}

} // namespace

TsmlOwnerError::TsmlOwnerError() : std::runtime_error("Owner must be a Form or a DataModule!") {}

TsmlLangRes::TsmlLangRes(QObject* owner) : QObject(CheckedOwner(owner))
{
    if (QWidget* form = AsForm(owner))
        FOwnerForm = form;
    else if (auto* dataModule = qobject_cast<TDataModule*>(owner))
        FOwnerDataModule = dataModule;
    else
        FOwnerFrame = qobject_cast<TFrame*>(owner);
}

QString TsmlLangRes::LangFileName() const
{
    return FResolvedFileName.mid(FResolvedFileName.lastIndexOf(u'/') + 1);
}

void TsmlLangRes::SetLangFileName(const QString& value)
{
    FResolvedFileName = ResolveLangFileName(value);
    UpdateLanguage();
}

void TsmlLangRes::SetIgnoreEmptyString(bool value)
{
    FIgnoreEmptyString = value;
    UpdateLanguage();
}

void TsmlLangRes::SetAutoCreateMode(bool value)
{
    FAutoCreateMode = value;
    UpdateLanguage();
}

void TsmlLangRes::SetActive(bool value)
{
    FActive = value;
    UpdateLanguage();
}

void TsmlLangRes::UpdateLanguage()
{
    if (FActive && !FDesigning)
        ApplyLanguage();
}

QString TsmlLangRes::DecodeLangValue(const QString& text)
{
    if (text.size() >= 2 && text.front() == u'<' && text.back() == u'>')
        return text.mid(1, text.size() - 2);
    return text;
}

QString TsmlLangRes::EncodeLangValue(const QString& text) const
{
    return FAddBracket ? u'<' + text + u'>' : text;
}

QString TsmlLangRes::Section() const
{
    const QObject* owner = FOwnerForm    ? static_cast<const QObject*>(FOwnerForm)
                           : FOwnerFrame ? static_cast<const QObject*>(FOwnerFrame)
                                         : FOwnerDataModule;
    return QString::fromLatin1(owner->metaObject()->className());
}

QString TsmlLangRes::ReadValue(const QString& key) const
{
    return IniReadString(FResolvedFileName, Section(), key);
}

int TsmlLangRes::ReadInteger(const QString& key, int defaultValue) const
{
    // Decimal, or hexadecimal after "0x"; anything else counts as missing.
    return TryLangStrToInt(ReadValue(key)).value_or(defaultValue);
}

void TsmlLangRes::WriteValue(const QString& key, const QString& value)
{
    IniWriteString(FResolvedFileName, Section(), key, value);
}

void TsmlLangRes::WriteBack(const QString& key, const QString& currentText)
{
    if (FAutoCreateMode && (!currentText.isEmpty() || !FIgnoreEmptyString))
        WriteValue(key, EncodeLangValue(currentText));
}

void TsmlLangRes::TranslateText(const QString& key, const TTextAccess& text)
{
    const QString value = ReadValue(key);
    if (!value.isEmpty())
        text.FWrite(DecodeLangValue(value));
    else
        WriteBack(key, text.FRead());
}

QString TsmlLangRes::ReadLangString(const QString& key, const QString& defaultText)
{
    const QString value = ReadValue(key);
    if (!value.isEmpty())
        return DecodeLangValue(value);
    WriteBack(key, defaultText);
    // Empty, not the default: the caller tells a miss by it.
    return {};
}

void TsmlLangRes::TranslateFont(QObject* control)
{
    if (!control || !HasProperty(control, u"Font"))
        return;
    const QMetaProperty property = FindValueProperty(control, u"Font");
    if (property.metaType().id() != QMetaType::QFont)
        return;
    const QString name = control->objectName();
    const auto change = [&](auto edit) {
        QFont font = property.read(control).value<QFont>();
        edit(font);
        property.write(control, font);
    };

    // The face name is written back whatever IgnoreEmptyString says.
    const QString faceKey = name + QStringLiteral("_FontName");
    const QString face = ReadValue(faceKey);
    if (!face.isEmpty())
        change([&](QFont& font) { font.setFamily(DecodeLangValue(face)); });
    else if (FAutoCreateMode)
        WriteValue(faceKey, EncodeLangValue(property.read(control).value<QFont>().family()));

    // Points; a negative size is a height in pixels, which is what Qt can do with one.
    const QString sizeKey = name + QStringLiteral("_FontSize");
    const int size = ReadInteger(sizeKey, 0);
    if (size > 0) {
        change([&](QFont& font) { font.setPointSize(size); });
    } else if (size < 0) {
        change([&](QFont& font) { font.setPixelSize(-size); });
    } else if (FAutoCreateMode) {
        const QFont font = property.read(control).value<QFont>();
        const int current = font.pointSize() > 0 ? font.pointSize() : -font.pixelSize();
        WriteValue(sizeKey, QString::number(current));
    }

    const QString charsetKey = name + QStringLiteral("_FontCharset");
    const int charset = ReadInteger(charsetKey, -1);
    if (charset != -1)
        SetFontCharset(control, charset);
    else if (FAutoCreateMode)
        WriteValue(charsetKey, QString::number(FontCharset(control)));
}

void TsmlLangRes::TranslateStringProperty(QObject* component, const QString& propertyName)
{
    if (const std::optional<TTextAccess> text = TextProperty(component, propertyName))
        TranslateText(component->objectName() + u'_' + propertyName, *text);
}

void TsmlLangRes::TranslateStringsProperty(QObject* component, const QString& propertyName)
{
    const std::optional<TLinesAccess> lines = LinesProperty(component, propertyName);
    if (!lines)
        return;
    const QString prefix = component->objectName() + u'_' + propertyName + u'[';
    for (int i = 0, count = lines->FCount(); i < count; ++i) {
        const TTextAccess line{[&] { return lines->FRead(i); },
                               [&](const QString& text) { lines->FWrite(i, text); }};
        TranslateText(prefix + QString::number(i) + u']', line);
    }
}
