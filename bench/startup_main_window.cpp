// The measured side of the start-up benchmark: the program's own start, as app/main.cpp does it.

#include "TApplication.h"
#include "frm_Main.h"
#include "startup_child.h"

int main(int argc, char* argv[])
{
    TApplication app(argc, argv);
    TfrmMain window;
    TFirstPaintReporter reporter(&window);
    window.show();
    return TApplication::exec();
}
