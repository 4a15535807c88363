#include "DbNames.h"
#include "HTTPRIO.h"
#include "SoapConnection.h"
#include "ClientDataSet.h"
#include "TDM.h"
#include "TIBDatabase.h"
#include "TIBQuery.h"
#include "TIBTransaction.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// DataModuleCreate: Config.ini read in the program directory with its
// defaults; the addresses are the values joined as they stand.
class TestDataModule : public QObject
{
    Q_OBJECT
private slots:
    void readsConfig_data()
    {
        QTest::addColumn<QByteArray>("config"); // null: no Config.ini at all
        QTest::addColumn<QString>("soapUrl");
        QTest::addColumn<QString>("wsdl");
        QTest::addColumn<QString>("dbFile"); // "<dir>" stands for the program directory
        QTest::addColumn<QString>("dbPassword");
        QTest::addColumn<int>("navWidth");
        QTest::addColumn<int>("navFongSize");

        QTest::newRow("no Config.ini")
            << QByteArray() << "http://127.0.0.1:8181/tremlinSvr.dll/soap/ISoapDM"
            << "http://127.0.0.1:8181/tremlinsvr.dll/wsdl/ITremlinSvr" << "<dir>CLINFO.DB" << "quillbark" << 230 << 25;
        QTest::newRow("url with trailing separator, keys in other case")
            << QByteArray("[SERVER]\nURL=http://srv:9000/\n[local]\nnavwidth=0\nNAVFONGSIZE=12\n")
            << "http://srv:9000//tremlinSvr.dll/soap/ISoapDM" << "http://srv:9000//tremlinsvr.dll/wsdl/ITremlinSvr"
            << "<dir>CLINFO.DB" << "quillbark" << 0 << 12;
        QTest::newRow("bare file name, own paths and password")
            << QByteArray("[Server]\nurl=https://a.example\nfsvr=/s\nwsdl=/w?x\n[Local]\nfile=my.db\npwd=secret\n")
            << "https://a.example/s" << "https://a.example/w?x" << "my.db" << "secret" << 230 << 25;
        QTest::newRow("integers that are not numbers")
            << QByteArray("[Local]\nNavWidth=wide\nNavFongSize=12px\n") << "http://127.0.0.1:8181/tremlinSvr.dll/soap/ISoapDM"
            << "http://127.0.0.1:8181/tremlinsvr.dll/wsdl/ITremlinSvr" << "<dir>CLINFO.DB" << "quillbark" << 230 << 25;
    }

    void readsConfig()
    {
        QFETCH(QByteArray, config);
        QFETCH(QString, soapUrl);
        QFETCH(QString, wsdl);
        QFETCH(QString, dbFile);
        QFETCH(QString, dbPassword);
        QFETCH(int, navWidth);
        QFETCH(int, navFongSize);

        QTemporaryDir dir;
        const QString programDir = dir.path() + "/";
        if (!config.isNull()) {
            QFile file(programDir + "Config.ini");
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(config);
        }
        TDM dm(programDir);
        QCOMPARE(dm.programDir(), programDir);
        QCOMPARE(dm.SoapConn->url(), soapUrl);
        QVERIFY(!dm.SoapConn->connected());
        QCOMPARE(dm.mainHTTPRIO->wsdlLocation(), wsdl);
        QVERIFY(dm.mainHTTPRIO->url().isEmpty()); // nothing fetched yet
        QCOMPARE(dm.dbFile(), QString(dbFile).replace("<dir>", programDir));
        QCOMPARE(dm.dbPassword(), dbPassword);
        QCOMPARE(dm.IBDB->databaseName(), dm.dbFile());
        // The design lines stay; the configured password comes last.
        QCOMPARE(dm.IBDB->params(),
                 QStringList({"user_name=SYSDBA", "password=quillbark", "password=" + dbPassword}));
        QVERIFY(!dm.IBDB->connected());
        QVERIFY(!dm.IBTran->inTransaction());
        QCOMPARE(dm.navWidth(), navWidth);
        QCOMPARE(dm.navFongSize(), navFongSize);
        QVERIFY(soapUrl.startsWith(dm.url()));
    }

    void componentsAreWiredAsTheShellNeedsThem()
    {
        QTemporaryDir dir;
        TDM dm(dir.path());
        QCOMPARE(dm.programDir(), dir.path() + "/");
        QCOMPARE(dm.cdsMdChientSel->remoteServer(), dm.SoapConn);
        QCOMPARE(dm.cdsMdChientSel->providerName(), QString("prvMdChientSel"));
        QVERIFY(!dm.cdsMdChientSel->isActive());
        QVERIFY(dm.ThreadConn != dm.SoapConn);
        QVERIFY(dm.ThreadConn->url().isEmpty());
        QCOMPARE(dm.SoapConn->serverGUID(), QString("{C99F4735-D6D2-495C-8CA2-E53E5A439E61}"));
        QCOMPARE(dm.findChild<TSoapConnection *>("SoapConn"), dm.SoapConn);
        QCOMPARE(dm.findChild<THTTPRIO *>("mainHTTPRIO"), dm.mainHTTPRIO);
        QCOMPARE(dm.IBQinfo->sql(), QString("Select * from  client_info"));
        QCOMPARE(dm.IBQinfo->database(), dm.IBDB);
        QCOMPARE(dm.IBQinfo->transaction(), dm.IBTran);
        QCOMPARE(dm.IBDB->defaultTransaction(), dm.IBTran);
        QVERIFY(!dm.IBDB->loginPrompt());
        QCOMPARE(dm.IBDB->sqlDialect(), 3);
        QCOMPARE(dm.IBDB->idleTimer(), 0);
    }
};

QTEST_GUILESS_MAIN(TestDataModule)
#include "tst_datamodule.moc"
