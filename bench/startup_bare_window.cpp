// The baseline of the start-up benchmark: a bare Qt window holding two QTextEdits.

#include "startup_child.h"

#include <QApplication>
#include <QTextEdit>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(528, 545);
    auto* top = new QTextEdit(&window);
    top->setGeometry(8, 45, 478, 178);
    auto* bottom = new QTextEdit(&window);
    bottom->setGeometry(8, 249, 478, 178);
    TFirstPaintReporter reporter(&window);
    window.show();
    return QApplication::exec();
}
