#pragma once
// A QCoreApplication for the whole test binary: posted events, QProcess and QPointer-tracked
// deletion need one. Include in exactly one source file of a test binary.

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

namespace zorvanel::test {

class TQtApplicationEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "zorvanel_test";
        static char* argv[] = {name, nullptr};
        FApp = std::make_unique<QCoreApplication>(argc, argv);
    }
    void TearDown() override { FApp.reset(); }

private:
    std::unique_ptr<QCoreApplication> FApp;
};

inline const auto* const QtApplicationEnvironment =
    ::testing::AddGlobalTestEnvironment(new TQtApplicationEnvironment);

} // namespace zorvanel::test
