// Brastel's main window at its start, in a process of its own: creates the
// data module on PROGRAMDIR and the main window for a signed-in user, then
// prints what the appearance row gave the window. Error boxes go to stderr.
#include "ErrorBox.h"
#include "FirebirdEnvironment.h"
#include "SignInRecord.h"
#include "TDM.h"
#include "TmainForm.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: brastel_look PROGRAMDIR\n");
        return 2;
    }
    ErrorBox::setPresenter([](ErrorBox::Kind, const QString &, const QString &text) {
        std::fprintf(stderr, "box: %s\n", text.toUtf8().constData());
    });
    FirebirdEnvironment::prepare();
    TDM dm(QString::fromLocal8Bit(argv[1]));
    SignInRecord user;
    user.setSignedIn(true);
    TmainForm form(&dm, user);
    QCoreApplication::processEvents();
    std::printf("caption=%s\n", form.windowTitle().toUtf8().constData());
    std::printf("copyright=%s\n", form.statusText(3).toUtf8().constData());
    std::printf("maximized=%d\n", form.windowState().testFlag(Qt::WindowMaximized) ? 1 : 0);
    return 0;
}
