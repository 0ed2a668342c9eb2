#include "IniFiles.h"

#include "PrivateProfile.h"
#include "StrToInt.h"

// Every accessor goes to the file itself: the layer below keeps no copy, so there is nothing
// to flush when an accessor is done.

namespace {

// The proxy password, which the file holds in plain text. Names match as the file matches them.
bool IsPasswordKey(const QString& section, const QString& key)
{
    return section.compare(QLatin1String("Connection"), Qt::CaseInsensitive) == 0 &&
           key.compare(QLatin1String("Password"), Qt::CaseInsensitive) == 0;
}

} // namespace

bool IniReadBool(const QString& file, const QString& section, const QString& key)
{
    return IniReadInteger(file, section, key) != 0;
}

int IniReadInteger(const QString& file, const QString& section, const QString& key)
{
    return TryStrToInt(IniReadString(file, section, key)).value_or(0);
}

QString IniReadString(const QString& file, const QString& section, const QString& key)
{
    return GetPrivateProfileString(section, key, file);
}

void IniWriteBool(const QString& file, const QString& section, const QString& key, bool value)
{
    IniWriteString(file, section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniWriteInteger(const QString& file, const QString& section, const QString& key, int value)
{
    IniWriteString(file, section, key, QString::number(value));
}

void IniWriteString(const QString& file, const QString& section, const QString& key, const QString& value)
{
    // A file others may read is made its owner's alone before a password goes into it.
    const bool secret = !value.isEmpty() && IsPasswordKey(section, key);
    WritePrivateProfileString(section, key, value, file,
                              secret ? TIniReaders::OwnerOnly : TIniReaders::AsBefore);
}
