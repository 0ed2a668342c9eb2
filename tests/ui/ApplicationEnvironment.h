#pragma once
// The program's own application object for a whole test binary, so that an exception leaving an
// event handler reaches the standard error box as it does in the program.
// Register it once per binary: ZORVANEL_QT_TEST_APPLICATION(zorvanel::test::TApplicationEnvironment);

#include "AppServices.h"
#include "ApplicationTitle.h"
#include "QtApplicationEnvironment.h"
#include "TApplication.h"

#include <QTemporaryDir>

namespace zorvanel::test {

class TApplicationEnvironment : public TQtApplicationEnvironment<TApplication>
{
protected:
    void Started(TApplication&) override
    {
        SetApplicationTitle(QStringLiteral("FREE Zorvanel Translator"));
        // A window whose test names no history file of its own keeps it here, never in the
        // user's profile.
        qputenv("XDG_DATA_HOME", FDataHome.path().toLocal8Bit());
    }
    void Stopping() override { SetAppServices(nullptr); }

private:
    QTemporaryDir FDataHome;
};

} // namespace zorvanel::test
