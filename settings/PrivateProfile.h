#pragma once
// The INI layer under the settings accessors: one value read or written per call, with the
// rules of the Windows private-profile functions the settings file format comes from. Nothing
// is cached; every call reads the file afresh.

#include <QString>

#include <optional>
#include <stdexcept>

// A write the file system refused. what() is "Unable to write to " and the path as given.
class TIniWriteError : public std::runtime_error
{
public:
    explicit TIniWriteError(const QString& fileName);

    const QString& FileName() const { return FFileName; }

private:
    QString FFileName;
};

// The value of key in section, blanks around it and one pair of enclosing quotes removed, cut to
// what fits a 2048-byte buffer. Empty when the file, section or key is missing; never throws and
// never touches the file.
QString GetPrivateProfileString(const QString& section, const QString& key, const QString& file);
// The same, none when the file, section or key is missing: for keys whose empty value means
// something else than their absence.
std::optional<QString> FindPrivateProfileString(const QString& section, const QString& key,
                                                const QString& file);

// Who may read the file that a write leaves behind.
enum class TIniReaders
{
    AsBefore,  // an existing file keeps its mode; a new one is its owner's alone
    OwnerOnly, // the file is its owner's alone before the value reaches it
};

// Sets key in section to value, adding the key or section when missing and creating the file
// (and its folders) when needed. Throws TIniWriteError when the file cannot be written, or cannot
// be made its owner's alone when OwnerOnly asks for it.
void WritePrivateProfileString(const QString& section, const QString& key, const QString& value,
                               const QString& file, TIniReaders readers = TIniReaders::AsBefore);
