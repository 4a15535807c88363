#include "LibraryPath.h"
#include "OvidoProgram.h"
#include "TmainForm.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ovido"));
    OvidoProgram program(LibraryPath::programDir());
    program.mainForm()->show();
    return app.exec();
}
