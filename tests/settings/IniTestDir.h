#pragma once
// A fresh temporary folder per test, with byte-exact file helpers.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

    QTemporaryDir FDir;
};
