#include "DemoContent.h"
#include "Exception.h"
#include "LibraryPath.h"
#include "ServerDatabase.h"
#include "TerminationSignals.h"
#include "TremlinSoapServer.h"
#include "UploadStore.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QHostAddress>

#include <cstdio>
#include <unistd.h>

namespace {

int fail(const QString &message)
{
    fprintf(stderr, "tremlinsvr: %s\n", message.toLocal8Bit().constData());
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    // Reading is all the server does between requests: ending at once is safe.
    TerminationSignals::install([] { _exit(0); });
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tremlinsvr"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Reference application server of the Tremlin desktop programs."));
    parser.addHelpOption();
    const QCommandLineOption listenOpt(QStringLiteral("listen"), QStringLiteral("Address to listen on (127.0.0.1)."),
                                       QStringLiteral("host"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption portOpt(QStringLiteral("port"), QStringLiteral("Port (8181); 0 takes a free one."),
                                     QStringLiteral("port"), QStringLiteral("8181"));
    const QCommandLineOption dataOpt(QStringLiteral("data"),
                                     QStringLiteral("Directory of the server's database (<program dir>/tremlinsvr-data)."),
                                     QStringLiteral("dir"));
    const QCommandLineOption uploadsOpt(QStringLiteral("uploads"),
                                        QStringLiteral("Directory of UpFile's files (<data>/uploads)."), QStringLiteral("dir"));
    const QCommandLineOption demoOpt(QStringLiteral("create-demo"),
                                     QStringLiteral("Create the database with the demo content, then exit."));
    const QCommandLineOption generateOpt(QStringLiteral("generate-catalogue"),
                                         QStringLiteral("Create the database with a generated catalogue of n rows, then serve."),
                                         QStringLiteral("n"));
    const QCommandLineOption fsvrOpt(QStringLiteral("fsvr"), QStringLiteral("Path of the data-access service."),
                                     QStringLiteral("path"), TremlinSoapServer::Paths().dataAccess);
    const QCommandLineOption wsdlOpt(QStringLiteral("wsdl"), QStringLiteral("Path of the WSDL of ITremlinSvr."),
                                     QStringLiteral("path"), TremlinSoapServer::Paths().wsdl);
    parser.addOptions({listenOpt, portOpt, dataOpt, uploadsOpt, demoOpt, generateOpt, fsvrOpt, wsdlOpt});
    parser.process(app);

    bool portOk = false;
    const int port = parser.value(portOpt).toInt(&portOk);
    if (!portOk || port < 0 || port > 65535)
        return fail(QStringLiteral("--port wants a number from 0 to 65535, not \"%1\"").arg(parser.value(portOpt)));
    int generated = -1;
    if (parser.isSet(generateOpt)) {
        bool ok = false;
        generated = parser.value(generateOpt).toInt(&ok);
        if (!ok || generated < 0)
            return fail(QStringLiteral("--generate-catalogue wants a row count, not \"%1\"").arg(parser.value(generateOpt)));
    }
    const QString dataDir = parser.isSet(dataOpt) ? parser.value(dataOpt)
                                                  : LibraryPath::programDir() + QStringLiteral("tremlinsvr-data");
    const QString uploadsDir = parser.isSet(uploadsOpt) ? parser.value(uploadsOpt) : dataDir + QStringLiteral("/uploads");
    const QString dbFile = QDir(dataDir).absoluteFilePath(QString::fromLatin1(ServerDatabase::FileName));

    try {
        if (!QDir().mkpath(dataDir) || !QDir().mkpath(uploadsDir))
            throw Exception(QStringLiteral("Cannot create the directories %1 and %2").arg(dataDir, uploadsDir));
        if (parser.isSet(demoOpt) || generated >= 0 || !QFileInfo::exists(dbFile)) {
            ServerDatabase::createFile(dbFile);
            ServerDatabase db(dbFile);
            if (generated >= 0)
                DemoContent::generate(db, generated);
            else
                DemoContent::fill(db);
            fprintf(stderr, "tremlinsvr: created %s with %d catalogue rows\n", dbFile.toLocal8Bit().constData(),
                    db.catalogueRowCount());
        }
        if (parser.isSet(demoOpt))
            return 0;

        ServerDatabase db(dbFile);
        UploadStore uploads(uploadsDir);
        TremlinSoapServer::Paths paths;
        paths.dataAccess = parser.value(fsvrOpt);
        paths.wsdl = parser.value(wsdlOpt);
        TremlinSoapServer server(&db, &uploads, paths);
        const QHostAddress address(parser.value(listenOpt));
        if (address.isNull())
            throw Exception(QStringLiteral("\"%1\" is not an IP address").arg(parser.value(listenOpt)));
        if (!server.listen(address, quint16(port)))
            throw Exception(QStringLiteral("Cannot listen on %1:%2: %3")
                                .arg(address.toString()).arg(port).arg(server.errorString()));
        if (address != QHostAddress::Any && address != QHostAddress::AnyIPv4)
            server.setPublicHost(address.toString());
        printf("listening %s:%d\n", address.toString().toLatin1().constData(), int(server.serverPort()));
        fflush(stdout);
        return app.exec();
    } catch (const std::exception &e) {
        return fail(Exception::messageOf(e));
    }
}
