#include "IniFiles.h"

#include "PrivateProfile.h"
#include "StrToInt.h"

// Every accessor goes to the file itself: the layer below keeps no copy, so there is nothing
// to flush when an accessor is done.

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
    WritePrivateProfileString(section, key, value, file);
}
