// Reading and then writing one key of any settings file. The input is "section NUL key NUL
// value NUL file"; an input with fewer than three NULs is the file alone, written to as the
// window writes its direction. A read never changes the file, a write changes no line but the
// key's own (or adds the key, and its section when missing), and a plain value reads back as
// written.

#include "FuzzSupport.h"
#include "PrivateProfile.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>

using namespace zorvanel::fuzz;

namespace {

struct TIniInput
{
    QString Section = QStringLiteral("General");
    QString Key = QStringLiteral("Direction");
    QString Value = QStringLiteral("1");
    QByteArray File;
};

TIniInput SplitInput(const QByteArray& data)
{
    TIniInput input;
    const QList<QByteArray> parts = data.split('\0');
    if (parts.size() < 4) {
        input.File = data;
        return input;
    }
    input.Section = QString::fromUtf8(parts[0]);
    input.Key = QString::fromUtf8(parts[1]);
    input.Value = QString::fromUtf8(parts[2]);
    const qsizetype fileStart = parts[0].size() + parts[1].size() + parts[2].size() + 3;
    input.File = data.mid(fileStart);
    return input;
}

// The file's lines as a reader sees them: byte-order marks at the start skipped, split at LF,
// each without a CR before its LF, and a CR that ends the file counted as a line end.
QList<QByteArray> LinesOf(QByteArray file)
{
    while (file.startsWith("\xEF\xBB\xBF")) {
        file.remove(0, 3);
    }
    QList<QByteArray> lines = file.split('\n');
    if (file.isEmpty() || file.endsWith('\n')) {
        lines.removeLast();
    }
    for (QByteArray& line : lines) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
    }
    return lines;
}

bool HasLineBreak(const QString& text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

bool HasOuterBlanks(const QString& text)
{
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    return !text.isEmpty() && (blank(text.front()) || blank(text.back()));
}

// A section, key and value that the file can hold as they are, so that reading them back must
// give the value unchanged. Outer blanks and quotes are dropped on reading by design, a key may
// not look like a section, a comment (";") or a key with a value, and a long value is cut.
bool ReadsBackAsWritten(const TIniInput& input)
{
    const QString key = input.Key;
    const QChar first = key.isEmpty() ? QChar() : key.front();
    const bool quoted = input.Value.size() >= 2 &&
                        (input.Value.front() == u'"' || input.Value.front() == u'\'') &&
                        input.Value.back() == input.Value.front();
    return !HasLineBreak(input.Section) && !HasLineBreak(key) && !HasLineBreak(input.Value) &&
           !HasOuterBlanks(input.Section) && !HasOuterBlanks(key) && !HasOuterBlanks(input.Value) &&
           !key.contains(u'=') && first != u'[' && first != u';' && !quoted &&
           input.Value.toUtf8().size() < 2048;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const TIniInput input = SplitInput(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    static const QString path = ScratchPath(QStringLiteral("settings.ini"));
    WriteScratchFile(path, input.File);

    const QString before = GetPrivateProfileString(input.Section, input.Key, path);
    Require(!before.contains(QLatin1Char('\n')), "a value read is one line");
    Require(ReadScratchFile(path) == input.File, "reading leaves the file as it was");

    try {
        WritePrivateProfileString(input.Section, input.Key, input.Value, path);
    } catch (...) {
        Broken("writing to a writable file succeeds");
    }
    const QByteArray after = ReadScratchFile(path);

    // Whatever did not take part in the write is still there, in order: a common head and tail
    // of lines around at most one line taken out and at most two put in.
    const QList<QByteArray> old = LinesOf(input.File);
    const QList<QByteArray> now = LinesOf(after);
    const qsizetype shorter = std::min(old.size(), now.size());
    qsizetype head = 0;
    while (head < shorter && old[head] == now[head]) {
        ++head;
    }
    qsizetype tail = 0;
    while (tail < shorter - head && old[old.size() - 1 - tail] == now[now.size() - 1 - tail]) {
        ++tail;
    }
    Require(old.size() - head - tail <= 1, "a write replaces at most the key's own line");
    Require(now.size() - head - tail <= 2, "a write adds at most a section and a key line");

    if (ReadsBackAsWritten(input)) {
        Require(GetPrivateProfileString(input.Section, input.Key, path) == input.Value,
                "a plain value reads back as written");
    }
    return 0;
}
