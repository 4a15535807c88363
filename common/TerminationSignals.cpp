#include "TerminationSignals.h"

#include <QApplication>
#include <QMetaObject>

#include <csignal>
#include <pthread.h>
#include <thread>

namespace TerminationSignals {

void install(std::function<void()> handler)
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::thread([set, handler = std::move(handler)] {
        int received = 0;
        sigwait(&set, &received);
        handler();
    }).detach();
}

void closeWindowsOnSignal()
{
    install([] {
        // Posting to the main thread is safe from here; nothing else is.
        if (auto app = qobject_cast<QApplication *>(QCoreApplication::instance()))
            QMetaObject::invokeMethod(app, &QApplication::closeAllWindows, Qt::QueuedConnection);
    });
}

} // namespace TerminationSignals
