#pragma once
// The six settings-file accessors. Each opens the file anew, does its one read or write and
// closes it again, so nothing of the file is cached between calls.

#include <QString>

bool IniReadBool(const QString& file, const QString& section, const QString& key);
int IniReadInteger(const QString& file, const QString& section, const QString& key);
QString IniReadString(const QString& file, const QString& section, const QString& key);
void IniWriteBool(const QString& file, const QString& section, const QString& key, bool value);
void IniWriteInteger(const QString& file, const QString& section, const QString& key, int value);
void IniWriteString(const QString& file, const QString& section, const QString& key, const QString& value);
