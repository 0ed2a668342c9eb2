#pragma once
// One Qt application object for a whole test binary: posted events, QProcess, widgets and
// QPointer-tracked deletion need one. A binary registers exactly one:
//   ZORVANEL_QT_TEST_APPLICATION(zorvanel::test::TQtApplicationEnvironment<QApplication>);

#include <QByteArray>

#include <gtest/gtest.h>

#include <memory>

namespace zorvanel::test {

template <class TApp> class TQtApplicationEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        // Widget tests never need a real display.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        FApp = std::make_unique<TApp>(FArgc, FArgv);
        Started(*FApp);
    }
    void TearDown() override
    {
        Stopping();
        FApp.reset();
    }

protected:
    virtual void Started(TApp&) {}
    virtual void Stopping() {}

private:
    int FArgc = 1;
    char FName[16] = "zorvanel_test";
    char* FArgv[2] = {FName, nullptr};
    std::unique_ptr<TApp> FApp;
};

} // namespace zorvanel::test

#define ZORVANEL_QT_TEST_APPLICATION(TEnvironment)                                                           \
    [[maybe_unused]] inline ::testing::Environment* const ZorvanelQtTestApplication =                        \
        ::testing::AddGlobalTestEnvironment(new TEnvironment)
