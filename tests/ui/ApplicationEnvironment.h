#pragma once
// The program's own application object for a whole test binary, so that an exception leaving an
// event handler reaches the standard error box as it does in the program.
// Register it once per binary: ZORVANEL_QT_TEST_APPLICATION(zorvanel::test::TApplicationEnvironment);

#include "AppServices.h"
#include "ApplicationTitle.h"
#include "QtApplicationEnvironment.h"
#include "TApplication.h"

namespace zorvanel::test {

class TApplicationEnvironment : public TQtApplicationEnvironment<TApplication>
{
protected:
    void Started(TApplication&) override
    {
        SetApplicationTitle(QStringLiteral("FREE Zorvanel Translator"));
    }
    void Stopping() override { SetAppServices(nullptr); }
};

} // namespace zorvanel::test
