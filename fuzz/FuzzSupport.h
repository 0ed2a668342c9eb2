#pragma once
// What the fuzz targets share: a broken promise stops the run so that libFuzzer keeps the input,
// and files to read live in one scratch folder for the whole run.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace zorvanel::fuzz {

[[noreturn]] inline void Broken(const char* promise)
{
    std::fprintf(stderr, "==zorvanel-fuzz== broken promise: %s\n", promise);
    std::fflush(stderr);
    std::abort();
}

inline void Require(bool kept, const char* promise)
{
    if (!kept) {
        Broken(promise);
    }
}

// A file path in a folder of this run; in memory when the machine offers /dev/shm, since every
// run writes the file anew.
inline QString ScratchPath(const QString& name)
{
    static const QString base = [] {
        const QFileInfo shm(QStringLiteral("/dev/shm"));
        return shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
    }();
    static QTemporaryDir dir(base + QStringLiteral("/zorvanel-fuzz-XXXXXX"));
    Require(dir.isValid(), "the scratch folder can be made");
    return dir.filePath(name);
}

inline void WriteScratchFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size(),
            "the scratch file can be written");
}

inline QByteArray ReadScratchFile(const QString& path)
{
    QFile file(path);
    Require(file.open(QIODevice::ReadOnly), "the scratch file can be read");
    return file.readAll();
}

} // namespace zorvanel::fuzz
