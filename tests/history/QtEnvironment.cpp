// Qt SQL loads its SQLite driver through the application object.

#include "QtApplicationEnvironment.h"

#include <QCoreApplication>

ZORVANEL_QT_TEST_APPLICATION(zorvanel::test::TQtApplicationEnvironment<QCoreApplication>);
