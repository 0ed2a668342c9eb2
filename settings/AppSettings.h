#pragma once
// The settings record held for the whole run, and where its file lives.

#include <QString>
#include <QStringList>

#include <cstdint>

struct TParams
{
    int32_t Translator = 0;
    int32_t Direction = 0; // TranslationDirection: 0 English to Arabic, anything else Arabic to English
    bool AutoPaste = false;
    bool AutoCopy = false;
    QString DisplayLanguage;
    bool NoProxy = false;
    QString Address;
    QString Port; // as typed; turned into a number only when the proxy is applied
    QString UserName;
    QString Password;
};

// User-interface thread only. Zero-filled until the first load.
extern TParams AppSettings;

// Full path of the settings file; set once by the program at start-up.
extern QString SettingsFilePath;

// "Zorvanel.ini" beside the program when its folder is writable and it is not an installed copy
// (portable use), else $XDG_CONFIG_HOME/zorvanel/Zorvanel.ini.
QString SettingsFilePathFor(const QString& programDir);

// The same for the running program.
QString DefaultSettingsFilePath();

// Reads every key of the record from the file, in the file's documented order, with its defaults.
// Translator is always 0; NoProxy is true when its key is missing or empty.
TParams ReadParams(const QString& file);

// The endpoint client ids of section "Connection", key "Clients" (comma-separated, blanks
// trimmed, empty entries dropped); empty when the key is missing or holds no id.
QStringList ReadClientIds(const QString& file);
