#pragma once
// What the language component tests share: a QApplication, small windows of each owner kind,
// translators that count their passes, and language files below the executable's folder (the
// only place a language file can lie).

#include "QtApplicationEnvironment.h"
#include "SMLFormLangRes.h"
#include "SMLMsgLangRes.h"
#include "SMLOwners.h"

#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

ZORVANEL_QT_TEST_APPLICATION(zorvanel::test::TQtApplicationEnvironment<QApplication>);

class TfrmTest : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmTest(QWidget* parent = nullptr) : QDialog(parent)
    {
        setObjectName(QStringLiteral("frmTest"));
    }
};

class TfrmOptions : public QDialog
{
    Q_OBJECT

public:
    TfrmOptions() { setObjectName(QStringLiteral("frmOptions")); }
};

class TdmTest : public TDataModule
{
    Q_OBJECT

public:
    TdmTest() { setObjectName(QStringLiteral("dmTest")); }
};

class TfraTest : public TFrame
{
    Q_OBJECT

public:
    explicit TfraTest(QWidget* parent) : TFrame(parent) { setObjectName(QStringLiteral("fraTest")); }
};

// A translator that counts how often its pass runs.
template <typename TBase> class TCounting : public TBase
{
public:
    using TBase::TBase;
    int FPasses = 0;

protected:
    void ApplyLanguage() override
    {
        ++FPasses;
        TBase::ApplyLanguage();
    }
};

using TCountingFormLangRes = TCounting<TsmlFormLangRes>;
using TCountingMsgLangRes = TCounting<TsmlMsgLangRes>;

// A widget of kind T with a name and, where it has one, a text.
template <typename T, typename TParent> T* Make(TParent* parent, const char* name)
{
    auto* object = new T(parent);
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

// Lines as the INI layer writes them into a new file.
inline QString IniText(std::initializer_list<const char*> lines)
{
    QString text;
    for (const char* line : lines)
        text += QString::fromUtf8(line) + QStringLiteral("\r\n");
    return text;
}

class TLangFileTest : public ::testing::Test
{
protected:
    // The name to give LangFileName for a file of this temporary folder.
    QString LangName(const QString& name) const
    {
        return QDir(QCoreApplication::applicationDirPath()).relativeFilePath(FDir.filePath(name));
    }

    QString FullPath(const QString& name) const { return FDir.filePath(name); }

    void WriteFile(const QString& name, const QString& text) const
    {
        QFile file(FDir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
        file.write(text.toUtf8());
    }

    QString ReadFile(const QString& name) const
    {
        QFile file(FDir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll())
                                              : QStringLiteral("<missing>");
    }

    QTemporaryDir FDir{QCoreApplication::applicationDirPath() + QStringLiteral("/langres-XXXXXX")};
};
