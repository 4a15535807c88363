#include "ProgramStart.h"
#include "TDM.h"
#include "TerminationSignals.h"
#include "TmainForm.h"

#include <QApplication>
#include <QPointer>

int main(int argc, char *argv[])
{
    // A termination request closes the windows as the user would.
    TerminationSignals::closeWindowsOnSignal();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brastel"));

    TDM dm;
    ProgramStart start(&dm);
    // Guarded: the main window may delete itself when it closes.
    QPointer<TmainForm> mainForm = start.signIn();
    if (!mainForm)
        return start.failed() ? 1 : 0; // declined: a quiet end, no window
    mainForm->show();
    const int result = app.exec();
    delete mainForm;
    return result;
}
