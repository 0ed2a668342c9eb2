#pragma once
// The main window of a test: shown with the offscreen platform, its settings and its history in
// a scratch folder, the desktop's facilities scripted, the fake endpoint as its service.

#include "AppSettings.h"
#include "ClipboardText.h"
#include "FakeEndpoint.h"
#include "PaneText.h"
#include "RequestHeaders.h"
#include "ScriptedServices.h"
#include "frm_Main.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace zorvanel::test {

class TMainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FDir.isValid());
        qputenv("ZORVANEL_CA_FILE", TestCaFile().toLocal8Bit());
        AppSettings = TParams();
        WriteClipboardText(QString());
    }
    void TearDown() override
    {
        FWindow.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        qunsetenv("ZORVANEL_CA_FILE");
    }

    QString SettingsFile() const { return FDir.filePath(QStringLiteral("Zorvanel.ini")); }
    QString HistoryFile() const { return FDir.filePath(QStringLiteral("history.sqlite")); }

    void WriteSettings(const QByteArray& text)
    {
        QFile file(SettingsFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    // Creates and shows the window with the settings and the history of the scratch folder and
    // the endpoint.
    TfrmMain& Open(const TFakeEndpoint* endpoint = nullptr)
    {
        FWindow = std::make_unique<TfrmMain>();
        SettingsFilePath = SettingsFile();
        FWindow->HistoryFile = HistoryFile();
        if (endpoint) {
            ServiceBaseUrl = QString::fromLatin1(endpoint->BaseUrl());
        }
        FWindow->show();
        QCoreApplication::processEvents();
        return *FWindow;
    }

    void WaitWhileTranslating()
    {
        QElapsedTimer guard;
        guard.start();
        while (FWindow->IsTranslating() && guard.elapsed() < 20000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        ASSERT_FALSE(FWindow->IsTranslating());
        QCoreApplication::processEvents();
    }

    void Translate(const QString& input)
    {
        SetPaneText(*FWindow->E1, input);
        FWindow->btnTrans->click();
        WaitWhileTranslating();
    }

    QTemporaryDir FDir;
    TScriptedServicesScope FServices;
    std::unique_ptr<TfrmMain> FWindow;
};

} // namespace zorvanel::test
