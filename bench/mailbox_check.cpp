// Figures of the mailbox on a local POP3 server: a check of a 5,000-message
// mailbox against a bare poplib loop sending the same commands, and the
// retrieval and display of a 25 MB message with attachments. Prints figures;
// never fails on time.
#include "MailMessage.h"
#include "MailSettings.h"
#include "Pop3Client.h"
#include "TDllForm1.h"
#include "TEmailContentForm.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <cstdio>

using namespace zaskar;

namespace {

const QString Script = QStringLiteral(TREMLIN_SOURCE_DIR "/scripts/mailbox-server.sh");

QByteArray run(const QString &program, const QStringList &args, int timeoutMs = 600000)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(program, args);
    if (!p.waitForFinished(timeoutMs) || p.exitCode() != 0) {
        std::fprintf(stderr, "failed: %s %s\n", qPrintable(program), qPrintable(args.join(' ')));
        std::exit(1);
    }
    return p.readAllStandardOutput().trimmed();
}

long peakRssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

void resetPeakRss()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

void writeMailIni(const QString &dir, const QByteArray &port)
{
    QFile ini(dir + QStringLiteral("/Mail.ini"));
    if (!ini.open(QIODevice::WriteOnly))
        std::exit(1);
    ini.write("[Pop3]\nServerName=127.0.0.1\nServerPort=" + port + "\nServerUser=demo\nServerPassword=demo\n");
}

// The same exchange as a check: STAT, LIST, then TOP n 0 and LIST n from the newest.
const char *PoplibLoop = R"(
import poplib, sys, time
start = time.perf_counter()
p = poplib.POP3('127.0.0.1', int(sys.argv[1]))
p.user('demo'); p.pass_('demo')
count = p.stat()[0]
p.list()
for n in range(count, 0, -1):
    p.top(n, 0)
    p.list(n)
p.quit()
print(count, time.perf_counter() - start)
)";

QByteArray bigMessage()
{
    // Text, a 12 MB and a 6 MB attachment: about 25 MB once in Base64.
    auto randomBytes = [](int size) {
        QByteArray b(size, Qt::Uninitialized);
        QRandomGenerator gen(42);
        for (int i = 0; i < size; ++i)
            b[i] = char(gen.generate() & 0xFF);
        return b;
    };
    auto base64Lines = [](const QByteArray &data) {
        const QByteArray b = data.toBase64();
        QByteArray out;
        out.reserve(b.size() + b.size() / 76 * 2 + 2);
        for (int i = 0; i < b.size(); i += 76)
            out += b.mid(i, 76) + "\n";
        return out;
    };
    QByteArray m = "From: =?gb2312?B?1cXI/Q==?= <zhangsan@example.cn>\nTo: demo@example.cn\n"
                   "Subject: =?gb2312?B?1tDOxA==?= 25 MB\nDate: Tue, 01 Dec 2026 09:15:00 +0800\n"
                   "MIME-Version: 1.0\nContent-Type: multipart/mixed; boundary=\"BIG\"\n\n"
                   "--BIG\nContent-Type: text/plain; charset=us-ascii\n\nTwo large attachments.\n";
    const QList<QPair<QByteArray, int>> files{{"big.bin", 12 * 1024 * 1024}, {"second.bin", 6 * 1024 * 1024}};
    for (const auto &f : files)
        m += "--BIG\nContent-Type: application/octet-stream\nContent-Disposition: attachment; filename=\"" +
             f.first + "\"\nContent-Transfer-Encoding: base64\n\n" + base64Lines(randomBytes(f.second));
    m += "--BIG--\n";
    return m;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int messages = argc > 1 ? atoi(argv[1]) : 5000;

    QTemporaryDir dir;
    QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFile::ReadOther | QFile::ExeOther);
    const QString server = dir.filePath(QStringLiteral("server"));
    std::printf("mailbox check of %d messages on the local POP3 server\n", messages);
    const QByteArray port = run(QStringLiteral("bash"), {Script, "start", server, "--generate", QString::number(messages)});
    writeMailIni(dir.path(), port);
    MailSettings::setDirectory(dir.path());
    const QString loopFile = dir.filePath(QStringLiteral("loop.py"));
    QFile loop(loopFile);
    loop.open(QIODevice::WriteOnly);
    loop.write(PoplibLoop);
    loop.close();

    // The server indexes the maildir on first use: not part of either figure.
    run(QStringLiteral("/usr/bin/python3"), {loopFile, QString::fromLatin1(port)});

    long before = peakRssKb();
    double oursSeconds = 0;
    int rows = 0;
    {
        TDllForm1 form;
        form.resize(1000, 600);
        form.show();
        resetPeakRss();
        before = peakRssKb();
        QElapsedTimer timer;
        timer.start();
        form.findChild<QAction *>(QStringLiteral("CheckMail"))->trigger();
        oursSeconds = timer.nsecsElapsed() / 1e9;
        rows = form.findChild<QTreeWidget *>(QStringLiteral("lvHeaders"))->topLevelItemCount();
        std::printf("  status: %s\n", qPrintable(form.statusText(1)));
    }
    const long peak = peakRssKb();

    // The same exchange through the client alone, without the form's rows
    // and the status text painted for every message.
    double clientSeconds = 0;
    {
        Pop3Client client;
        client.setHost(QStringLiteral("127.0.0.1"));
        client.setPort(port.toInt());
        client.setUserName(QStringLiteral("demo"));
        client.setPassword(QStringLiteral("demo"));
        QElapsedTimer timer;
        timer.start();
        client.connectToServer();
        const int count = client.messageCount();
        client.mailboxSize();
        MailMessage msg;
        for (int n = count; n >= 1; --n) {
            msg.parse(client.headers(n));
            client.messageSize(n);
        }
        client.disconnectFromServer();
        clientSeconds = timer.nsecsElapsed() / 1e9;
    }
    const QList<QByteArray> py = run(QStringLiteral("/usr/bin/python3"), {loopFile, QString::fromLatin1(port)}).split(' ');
    const double pySeconds = py.value(1).toDouble();
    run(QStringLiteral("bash"), {Script, "stop", server});

    std::printf("  mailbox check : %d rows in %.2f s, %.0f messages/s\n", rows, oursSeconds, rows / oursSeconds);
    std::printf("  poplib loop   : %d messages in %.2f s, %.0f messages/s\n", py.value(0).toInt(), pySeconds,
                py.value(0).toInt() / pySeconds);
    std::printf("  client alone  : %d messages in %.2f s, %.0f messages/s\n", rows, clientSeconds, rows / clientSeconds);
    std::printf("  ratio (check time / poplib time): %.2f (aim: under 1.5)\n", oursSeconds / pySeconds);
    std::printf("  ratio (client alone / poplib time): %.2f\n", clientSeconds / pySeconds);
    std::printf("  peak memory of the process: %ld KB (%ld KB before the check)\n", peak, before);

    // Retrieval and display of one 25 MB message.
    const QString bigDir = dir.filePath(QStringLiteral("big"));
    QDir().mkpath(bigDir);
    QFile eml(bigDir + QStringLiteral("/big.eml"));
    eml.open(QIODevice::WriteOnly);
    const QByteArray big = bigMessage();
    eml.write(big);
    eml.close();
    const QString server2 = dir.filePath(QStringLiteral("server2"));
    const QByteArray port2 = run(QStringLiteral("bash"), {Script, "start", server2, "--mail", bigDir});
    writeMailIni(dir.path(), port2);
    {
        TDllForm1 form;
        form.show();
        form.findChild<QAction *>(QStringLiteral("CheckMail"))->trigger();
        auto *list = form.findChild<QTreeWidget *>(QStringLiteral("lvHeaders"));
        list->setCurrentItem(list->topLevelItem(0));
        double shownAfter = 0;
        int attachments = 0;
        QElapsedTimer timer;
        TDllForm1::setReaderHook([&](TEmailContentForm &reader) {
            reader.show();
            QApplication::processEvents();
            shownAfter = timer.nsecsElapsed() / 1e9;
            attachments = reader.findChild<QTreeWidget *>(QStringLiteral("lvMessageParts"))->topLevelItemCount();
        });
        resetPeakRss();
        timer.start();
        form.RetrieveExecute();
        std::printf("retrieval and display of a %.1f MB message: %.2f s, %d attachments listed (aim: under 2 s)\n",
                    big.size() / 1048576.0, shownAfter, attachments);
        std::printf("  peak memory during it: %ld KB\n", peakRssKb());
        TDllForm1::setReaderHook({});
    }
    run(QStringLiteral("bash"), {Script, "stop", server2});
    return 0;
}
