// Zorvanel Translator: the program entry creates the main window and runs the event loop until
// that window closes.

#include "TApplication.h"
#include "frm_Main.h"

int main(int argc, char* argv[])
{
    TApplication app(argc, argv);
    TfrmMain window;
    window.show();
    return TApplication::exec();
}
