#include "ErrorGuard.h"
#include "FirebirdEnvironment.h"
#include "LibraryPath.h"
#include "OvidoProgram.h"
#include "TerminationSignals.h"
#include "TmainForm.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    TerminationSignals::closeWindowsOnSignal();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ovido"));
    // The shared-file mode of the engine must be set before the first connection.
    ErrorGuard::run([] { FirebirdEnvironment::prepare(); });
    OvidoProgram program(LibraryPath::programDir());
    program.mainForm()->show();
    return app.exec();
}
