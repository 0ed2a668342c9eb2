// Widgets need one QApplication for the whole run.

#include "QtApplicationEnvironment.h"

#include <QApplication>

ZORVANEL_QT_TEST_APPLICATION(zorvanel::test::TQtApplicationEnvironment<QApplication>);
