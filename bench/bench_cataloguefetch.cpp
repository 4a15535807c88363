// Fetching a 10,000-row catalogue with ~2 KB icons through SoapConn from the
// reference server on loopback. Prints figures; never fails on time.
#include "ClientDataSet.h"
#include "ServerProcess.h"
#include "SoapConnection.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>

namespace {

long statusKb(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? atoi(argv[1]) : 10000;
    const int runs = 5;

    QElapsedTimer setup;
    setup.start();
    ServerProcess server(rows);
    if (!server.start(300000)) {
        fprintf(stderr, "bench_cataloguefetch: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    printf("server with %d generated rows up in %lld ms\n", rows, setup.elapsed());

    TSoapConnection conn;
    conn.setURL(server.baseUrl() + QStringLiteral("/tremlinSvr.dll/soap/ISoapDM"));
    // The server builds its packet on the first request; warm it once.
    const qint64 packetSize = conn.getRecords(QStringLiteral("prvMdChientSel")).size();
    const long baselineKb = statusKb("VmRSS:");

    TClientDataSet cds;
    cds.setRemoteServer(&conn);
    cds.setProviderName(QStringLiteral("prvMdChientSel"));
    qint64 best = -1, total = 0;
    qint64 iconBytes = 0;
    long firstPeakKb = 0;
    for (int run = 0; run < runs; ++run) {
        cds.close();
        QElapsedTimer timer;
        timer.start();
        cds.open();
        const qint64 ns = timer.nsecsElapsed();
        total += ns;
        best = best < 0 ? ns : qMin(best, ns);
        if (run == 0) {
            firstPeakKb = statusKb("VmHWM:");
            for (cds.first(); !cds.eof(); cds.next())
                iconBytes += cds.asBytes(QStringLiteral("ico")).size();
        }
    }
    const long peakKb = statusKb("VmHWM:");
    printf("rows fetched: %d, data packet %.1f MB (icons %.1f MB, %.0f bytes a row)\n", cds.recordCount(),
           packetSize / 1e6, iconBytes / 1e6, double(iconBytes) / qMax(1, cds.recordCount()));
    printf("fetch + parse: best %.3f s, mean %.3f s over %d runs -> %.0f rows/s (best)\n", best / 1e9,
           total / 1e9 / runs, runs, cds.recordCount() / (best / 1e9));
    auto ratio = [&](long kb) { return (kb - baselineKb) * 1024.0 / double(packetSize); };
    printf("resident before the fetches %.1f MB; peak (VmHWM) after the first fetch %.1f MB (%.2f x the packet above "
           "that), after all runs %.1f MB (%.2f x)\n",
           baselineKb / 1024.0, firstPeakKb / 1024.0, ratio(firstPeakKb), peakKb / 1024.0, ratio(peakKb));
    printf("aim: under 1 s for 10,000 rows; peak under 5 x the packet (%.1f MB)\n", 5 * packetSize / 1e6 / 1.048576);
    return 0;
}
