// Start-up of Brastel: from process start to the main window shown, with the
// sample look and a 1,000-row catalogue from the reference server on
// loopback, against a bare Qt program that shows an empty window. Both run
// as child processes of this one (the same binary in a child mode), so both
// pay the same process start; the time is taken here, from starting the
// child to its "shown" line.
#include "IniFile.h"
#include "ProgramStart.h"
#include "ServerProcess.h"
#include "TDM.h"
#include "TmainForm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

// Prints "shown" once the window is exposed and has painted, then quits.
class ShownProbe : public QObject
{
public:
    explicit ShownProbe(QWidget *window)
        : m_window(window)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_done && event->type() == QEvent::Expose && watched == m_window->windowHandle()
            && m_window->windowHandle()->isExposed()) {
            m_done = true;
            QTimer::singleShot(0, [] {
                std::printf("shown\n");
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    QWidget *m_window;
    bool m_done = false;
};

int runBare(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(1276, 695);
    ShownProbe probe(&window);
    window.show();
    return app.exec();
}

// What main() does, with the program directory given.
int runBrastel(int argc, char **argv, const QString &programDir)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brastel"));
    TDM dm(programDir);
    ProgramStart start(&dm);
    std::unique_ptr<TmainForm> form(start.signIn());
    if (!form)
        return 1;
    ShownProbe probe(form.get());
    form->show();
    return app.exec();
}

double timeChild(const QStringList &arguments)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    child.start(QCoreApplication::applicationFilePath(), arguments);
    while (!child.canReadLine()) {
        if (!child.waitForReadyRead(30000)) {
            std::fprintf(stderr, "child %s gave no \"shown\"\n", qPrintable(arguments.join(QLatin1Char(' '))));
            return -1;
        }
    }
    const double ms = timer.nsecsElapsed() / 1e6;
    child.waitForFinished(30000);
    return ms;
}

double median(QVector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc >= 2 && qstrcmp(argv[1], "--bare") == 0)
        return runBare(argc, argv);
    if (argc >= 3 && qstrcmp(argv[1], "--brastel") == 0)
        return runBrastel(argc, argv, QString::fromLocal8Bit(argv[2]));

    QCoreApplication app(argc, argv);
    const int rows = 1000, runs = argc >= 2 ? qMax(1, atoi(argv[1])) : 7;
    ServerProcess server(rows);
    if (!server.start()) {
        std::fprintf(stderr, "%s\n", qPrintable(server.errorString()));
        return 1;
    }
    QTemporaryDir dir;
    const QString bin = QStringLiteral(TREMLIN_BIN_DIR);
    if (!QFile::link(bin + QStringLiteral("/Login.so"), dir.filePath(QStringLiteral("Login.so")))
        || !QFile::copy(bin + QStringLiteral("/CLINFO.DB"), dir.filePath(QStringLiteral("CLINFO.DB")))) {
        std::fprintf(stderr, "cannot lay out the program directory from %s\n", qPrintable(bin));
        return 1;
    }
    TIniFile(dir.filePath(QStringLiteral("Config.ini")))
        .writeString(QStringLiteral("Server"), QStringLiteral("url"), server.baseUrl());
    qputenv("TREMLIN_LOGIN_USER", "demo");
    qputenv("TREMLIN_LOGIN_PASSWORD", "demo");

    // One warm-up of each (file caches, the engine's lock files), then alternate.
    timeChild({QStringLiteral("--bare")});
    timeChild({QStringLiteral("--brastel"), dir.path() + QLatin1Char('/')});
    QVector<double> bare, brastel;
    for (int i = 0; i < runs; ++i) {
        bare << timeChild({QStringLiteral("--bare")});
        brastel << timeChild({QStringLiteral("--brastel"), dir.path() + QLatin1Char('/')});
        if (bare.last() < 0 || brastel.last() < 0)
            return 1;
    }
    const double b = median(bare), s = median(brastel);
    std::printf("start-up to main window shown, median of %d runs (offscreen, %d-row catalogue on loopback)\n",
                runs, rows);
    std::printf("  bare Qt window:   %8.1f ms\n", b);
    std::printf("  Brastel:          %8.1f ms  (sample look, sign-in, catalogue, tree and bar)\n", s);
    std::printf("  ratio:            %8.2f\n", b > 0 ? s / b : 0.0);
    return 0;
}
