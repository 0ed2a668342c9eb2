// Zorvanel Translator: the program entry creates the main window and runs the event loop until
// that window closes.

#include "TApplication.h"
#include "frm_Main.h"

int main(int argc, char* argv[])
{
    TApplication app(argc, argv);
    // Lets the desktop match the window with its entry and icon (Wayland in particular).
    QGuiApplication::setDesktopFileName(QStringLiteral(ZORVANEL_APP_ID));
    TfrmMain window;
    window.show();
    return TApplication::exec();
}
