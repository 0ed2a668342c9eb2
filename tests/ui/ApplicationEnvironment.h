#pragma once
// The program's own application object for a whole test binary, so that an exception leaving an
// event handler reaches the standard error box as it does in the program. Include in exactly one
// source file of a test binary.

#include "AppServices.h"
#include "TApplication.h"

#include <gtest/gtest.h>

#include <memory>

namespace zorvanel::test {

class TApplicationEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "zorvanel_ui_test";
        static char* argv[] = {name, nullptr};
        FApp = std::make_unique<TApplication>(argc, argv);
        QApplication::setApplicationDisplayName(QStringLiteral("FREE Zorvanel Translator"));
    }
    void TearDown() override
    {
        SetAppServices(nullptr);
        FApp.reset();
    }

private:
    std::unique_ptr<TApplication> FApp;
};

inline const auto* const ApplicationEnvironment =
    ::testing::AddGlobalTestEnvironment(new TApplicationEnvironment);

} // namespace zorvanel::test
