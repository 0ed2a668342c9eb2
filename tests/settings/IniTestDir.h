#pragma once
// A fresh temporary folder per test, with byte-exact file helpers.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

class TIniTestDir : public ::testing::Test
{
protected:
    QString Path(const QString& name) const { return FDir.filePath(name); }

    static void WriteBytes(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    static QByteArray ReadBytes(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return "<missing>";
        return file.readAll();
    }

    // The permission bits of a file, 0 when it cannot be looked at.
    static unsigned Mode(const QString& path)
    {
        struct stat st
        {
        };
        EXPECT_EQ(stat(QFile::encodeName(path).constData(), &st), 0) << path.toStdString();
        return st.st_mode & 0777;
    }

    QTemporaryDir FDir;
};
