#include "PrivateProfile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

// The reader's buffer holds 2048 bytes including the terminating zero.
constexpr qsizetype ReadBufferSize = 2048;

struct TIniLine
{
    QByteArray FText; // without its line end
    QByteArray FEnd;  // "\r\n" or "\n"; the file's last line may have "\r" or nothing
};

enum class TLineKind
{
    Other,
    Section,
    Key
};

struct TParsedLine
{
    TLineKind FKind = TLineKind::Other;
    QString FName;           // section or key name, blanks trimmed
    QByteArray FKeySpelling; // the key as the file spells it, for rewriting the line
    QByteArray FValue;       // raw text after the first "="
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArray TrimBlanks(const QByteArray& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

// The 8-bit text of one name or value. Qt's own conversion would drop a U+FEFF that begins it,
// taking it for a byte-order mark; only the file's first bytes can be one, and SplitLines
// takes those off.
QString FromLocal8Bit(const QByteArray& text)
{
    QStringDecoder decode(QStringConverter::System, QStringConverter::Flag::ConvertInitialBom);
    return decode(text);
}

QList<TIniLine> SplitLines(const QByteArray& data)
{
    QList<TIniLine> lines;
    // Many editors put a UTF-8 byte-order mark before the first line (some again on every save).
    // No mark is part of that line, else the first section would go unseen; as none is kept, a
    // rewrite never begins with one.
    qsizetype start = 0;
    while (QByteArrayView(data).sliced(start).startsWith("\xEF\xBB\xBF"))
        start += 3;
    while (start < data.size()) {
        const qsizetype lf = data.indexOf('\n', start);
        if (lf < 0) {
            // A CR at the very end is a line end whose LF went missing, not part of a value.
            const bool cr = data.endsWith('\r');
            lines.append(
                {data.mid(start, data.size() - start - (cr ? 1 : 0)), cr ? QByteArray("\r") : QByteArray()});
            break;
        }
        const bool crlf = lf > start && data[lf - 1] == '\r';
        const qsizetype textEnd = crlf ? lf - 1 : lf;
        lines.append({data.mid(start, textEnd - start), crlf ? QByteArray("\r\n") : QByteArray("\n")});
        start = lf + 1;
    }
    return lines;
}

QByteArray JoinLines(const QList<TIniLine>& lines)
{
    QByteArray data;
    for (const TIniLine& line : lines)
        data += line.FText + line.FEnd;
    return data;
}

TParsedLine ParseLine(const QByteArray& text)
{
    const QByteArray trimmed = TrimBlanks(text);
    TParsedLine parsed;
    if (trimmed.startsWith('[')) {
        qsizetype close = trimmed.lastIndexOf(']');
        if (close < 0)
            close = trimmed.size();
        parsed.FKind = TLineKind::Section;
        parsed.FName = FromLocal8Bit(TrimBlanks(trimmed.mid(1, close - 1)));
        return parsed;
    }
    // Only ";" starts a comment: "#k=v" is the key "#k".
    if (trimmed.startsWith(';'))
        return parsed;
    const qsizetype equals = trimmed.indexOf('=');
    if (equals < 0)
        return parsed;
    parsed.FKind = TLineKind::Key;
    parsed.FKeySpelling = TrimBlanks(trimmed.left(equals));
    parsed.FName = FromLocal8Bit(parsed.FKeySpelling);
    parsed.FValue = trimmed.mid(equals + 1);
    return parsed;
}

bool SameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where a key stands: the first section of that name and the first key of that name in it.
struct TKeyLocation
{
    qsizetype FSection = -1;    // index of the section's header line
    qsizetype FSectionEnd = -1; // index of the next header, or the line count
    qsizetype FKey = -1;
    TParsedLine FKeyLine;
};

TKeyLocation FindKey(const QList<TIniLine>& lines, const QString& section, const QString& key)
{
    TKeyLocation found;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        TParsedLine parsed = ParseLine(lines[i].FText);
        if (parsed.FKind == TLineKind::Section) {
            if (found.FSection >= 0) {
                found.FSectionEnd = i;
                return found;
            }
            if (SameName(parsed.FName, section))
                found.FSection = i;
        } else if (found.FSection >= 0 && found.FKey < 0 && parsed.FKind == TLineKind::Key &&
                   SameName(parsed.FName, key)) {
            found.FKey = i;
            found.FKeyLine = std::move(parsed);
        }
    }
    if (found.FSection >= 0)
        found.FSectionEnd = lines.size();
    return found;
}

QByteArray UnquotedValue(const QByteArray& raw)
{
    QByteArray value = TrimBlanks(raw);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

// Cuts to what the read buffer holds, backing off to a character boundary so that no UTF-8
// sequence is split (Qt 6 takes the 8-bit encoding on Unix to be UTF-8).
QByteArray FitReadBuffer(QByteArray value)
{
    const qsizetype limit = ReadBufferSize - 1;
    if (value.size() <= limit)
        return value;
    qsizetype cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80)
        --cut;
    value.truncate(cut);
    return value;
}

// A CR or LF inside a name or value would split its line and plant further keys or sections in
// the file, so each becomes a space. Windows writes them through unchanged; this is deliberate.
QByteArray SingleLine(const QString& text)
{
    QString line = text;
    line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line.toLocal8Bit();
}

const QFileDevice::Permissions GroupAndOthers = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                QFileDevice::WriteOther | QFileDevice::ExeOther;

// Takes every permission from group and others. False when the file still grants them, as on a
// file system without Unix modes.
bool MakeOwnerOnly(const QString& file)
{
    const QFileDevice::Permissions mode = QFileInfo(file).permissions();
    if (!(mode & GroupAndOthers))
        return true;
    return QFile::setPermissions(file, mode & ~GroupAndOthers) &&
           !(QFileInfo(file).permissions() & GroupAndOthers);
}

} // namespace

TIniWriteError::TIniWriteError(const QString& fileName)
    : std::runtime_error(QStringLiteral("Unable to write to %1").arg(fileName).toStdString()),
      FFileName(fileName)
{
}

QString GetPrivateProfileString(const QString& section, const QString& key, const QString& file)
{
    return FindPrivateProfileString(section, key, file).value_or(QString());
}

std::optional<QString> FindPrivateProfileString(const QString& section, const QString& key,
                                                const QString& file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QList<TIniLine> lines = SplitLines(in.readAll());
    const TKeyLocation found = FindKey(lines, section, key);
    if (found.FKey < 0)
        return std::nullopt;
    return FromLocal8Bit(FitReadBuffer(UnquotedValue(found.FKeyLine.FValue)));
}

void WritePrivateProfileString(const QString& section, const QString& key, const QString& value,
                               const QString& file, TIniReaders readers)
{
    const QFileInfo info(file);
    const bool existed = info.exists();
    QByteArray data;
    if (existed) {
        // An existing file we cannot read must not be replaced by one holding only this key.
        QFile in(file);
        if (info.isDir() || !in.open(QIODevice::ReadOnly))
            throw TIniWriteError(file);
        data = in.readAll();
    }

    QList<TIniLine> lines = SplitLines(data);
    // Lines we add follow the file's own line ends; a new or empty file gets the Windows ones.
    const QByteArray eol =
        lines.isEmpty() || lines.front().FEnd == "\r\n" ? QByteArray("\r\n") : QByteArray("\n");
    const QByteArray valueText = SingleLine(value);
    const TKeyLocation found = FindKey(lines, section, key);

    if (found.FKey >= 0) {
        lines[found.FKey].FText = found.FKeyLine.FKeySpelling + '=' + valueText;
    } else {
        const TIniLine keyLine{SingleLine(key) + '=' + valueText, eol};
        qsizetype at = lines.size();
        if (found.FSection >= 0) {
            at = found.FSectionEnd;
            while (at - 1 > found.FSection && TrimBlanks(lines[at - 1].FText).isEmpty())
                --at;
        }
        // The line we add after must end first; only the file's last line can lack its end. A
        // lone CR there gets its LF back: an LF alone would make a CR that ends its text part of
        // a CR LF and so change the line.
        if (at > 0 && !lines[at - 1].FEnd.endsWith('\n'))
            lines[at - 1].FEnd = lines[at - 1].FEnd.isEmpty() ? eol : QByteArray("\r\n");
        if (found.FSection >= 0) {
            lines.insert(at, keyLine);
        } else {
            lines.append({'[' + SingleLine(section) + ']', eol});
            lines.append(keyLine);
        }
    }

    const bool ownerOnly = readers == TIniReaders::OwnerOnly;
    // Before anything is opened for writing: the copy that replaces the file then starts out with
    // the file's new mode, and a file rewritten in place is not yet emptied should this fail.
    if (existed && ownerOnly && !MakeOwnerOnly(file))
        throw TIniWriteError(file);

    QDir().mkpath(info.absolutePath()); // a failure here shows up as a failed open below
    QSaveFile out(file);
    // Lets a writable file in a folder we may not create files in be rewritten in place.
    out.setDirectWriteFallback(true);
    if (!out.open(QIODevice::WriteOnly))
        throw TIniWriteError(file);
    // The file may come to hold the proxy password in plain text. A file system without Unix
    // modes (a portable copy on a FAT stick) refuses this, which stops only a write that asks for
    // an owner-only file; nothing has been written yet.
    if (!existed && !out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) && ownerOnly)
        throw TIniWriteError(file);
    const QByteArray text = JoinLines(lines);
    if (out.write(text) != text.size() || !out.commit())
        throw TIniWriteError(file);
}
