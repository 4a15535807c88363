#include "ProgramStart.h"
#include "TDM.h"
#include "TmainForm.h"

#include <QApplication>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brastel"));

    TDM dm;
    ProgramStart start(&dm);
    std::unique_ptr<TmainForm> mainForm(start.signIn());
    if (!mainForm)
        return start.failed() ? 1 : 0; // declined: a quiet end, no window
    mainForm->show();
    return app.exec();
}
