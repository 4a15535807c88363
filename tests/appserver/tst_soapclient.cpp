#include "ClientDataSet.h"
#include "DataPacketWriter.h"
#include "Exception.h"
#include "FakeHttpServer.h"
#include "HTTPRIO.h"
#include "PictureLoader.h"
#include "ServerProcess.h"
#include "SoapConnection.h"

#include <QFile>
#include <QSet>
#include <QTimer>
#include <QtTest>

// A connection and a dataset on one of its providers, as the shell wires them.
struct RemoteDataSet {
    TSoapConnection conn;
    TClientDataSet cds;
    RemoteDataSet(const QString &url, const QString &provider)
    {
        conn.setURL(url);
        cds.setRemoteServer(&conn);
        cds.setProviderName(provider);
    }
};

// SoapConn, cdsMdChientSel and mainHTTPRIO against the reference server over
// loopback HTTP, and against canned replies for faults it won't produce.
class TestSoapClient : public QObject
{
    Q_OBJECT

    ServerProcess m_server;

    QString dataAccessUrl(const QString &base) const { return base + "/tremlinSvr.dll/soap/ISoapDM"; }

    static QString failureOf(const std::function<void()> &call)
    {
        try {
            call();
        } catch (const Exception &e) {
            return e.message();
        }
        return QString();
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_server.start(), qPrintable(m_server.errorString()));
    }

    void catalogueComesWholeInServerOrder()
    {
        RemoteDataSet remote(dataAccessUrl(m_server.baseUrl()), "prvMdChientSel");
        TClientDataSet &cds = remote.cds;
        cds.open();
        QVERIFY(remote.conn.connected());
        QVERIFY(cds.recordCount() >= 10);
        for (const char *f : {"id", "cap", "OBJname", "fid", "type", "fmmodal", "onbar", "ico"})
            QVERIFY2(cds.fieldExists(QString::fromLatin1(f).toUpper()), f);

        QSet<int> seen;
        bool mailbox = false, nullIcon = false, bigIcon = false;
        int controls = 0;
        for (cds.first(); !cds.eof(); cds.next()) {
            const int id = cds.asInteger("id"), fid = cds.asInteger("fid");
            QVERIFY2(fid == 0 || seen.contains(fid) || cds.asInteger("type") == 2, qPrintable(QString::number(id)));
            seen.insert(id);
            if (cds.asString("objname") == "Zaskar.dll") {
                mailbox = true;
                QCOMPARE(cds.asInteger("type"), 1);
                QCOMPARE(cds.asInteger("onbar"), 1);
                QCOMPARE(cds.asString("cap"), QString::fromUtf8("邮箱"));
            }
            if (cds.asInteger("type") == 2 && cds.asInteger("fid") == 10)
                ++controls;
            if (cds.isNull("ico")) {
                nullIcon = true;
                continue;
            }
            const QImage icon = PictureLoader::load(cds.asBytes("ico"));
            QVERIFY(cds.asBytes("ico").startsWith("BM"));
            bigIcon = bigIcon || icon.size() == QSize(48, 48);
            QVERIFY(icon.size() == QSize(24, 24) || icon.size() == QSize(48, 48));
        }
        QVERIFY(mailbox);
        QVERIFY(nullIcon);
        QVERIFY(bigIcon);
        QCOMPARE(controls, 6);
    }

    void generatedCatalogueHasTheDocumentedShape()
    {
        ServerProcess server(60);
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        RemoteDataSet remote(dataAccessUrl(server.baseUrl()), "prvMdChientSel");
        TClientDataSet &cds = remote.cds;
        cds.open();
        QCOMPARE(cds.recordCount(), 60);
        QList<int> types;
        int row = 0;
        for (cds.first(); !cds.eof(); cds.next(), ++row) {
            QCOMPARE(cds.asInteger("id"), row + 1);
            types << cds.asInteger("type");
            if (row % 50 == 13)
                QVERIFY(cds.isNull("ico"));
            else
                QCOMPARE(PictureLoader::load(cds.asBytes("ico")).width(), row % 50 == 7 ? 48 : 24);
            if (row % 10 == 1)
                QCOMPARE(cds.asString("OBJname"), QString("Zaskar.dll"));
            if (row % 10 >= 4)
                QCOMPARE(cds.asInteger("fid"), row / 10 * 10 + 2);
        }
        QCOMPARE(types.mid(0, 10), QList<int>({0, 1, 1, 1, 2, 2, 2, 2, 2, 2}));
    }

    void providerErrorCarriesTheServersMessage()
    {
        RemoteDataSet remote(dataAccessUrl(m_server.baseUrl()), "prvNoSuch");
        TClientDataSet &cds = remote.cds;
        const QString message = failureOf([&] { cds.open(); });
        QCOMPARE(message, QString("Provider \"prvNoSuch\" not found"));
        QVERIFY(!cds.isActive());
        // The server goes on serving.
        cds.setProviderName("prvMdChientSel");
        cds.open();
        QVERIFY(cds.recordCount() > 0);
    }

    void signInProvider_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("demo") << "demo" << "demo" << true;
        QTest::newRow("name in other case") << "DEMO" << "demo" << true;
        QTest::newRow("wrong password") << "demo" << "Demo" << false;
        QTest::newRow("unknown user") << "nobody" << "demo" << false;
    }

    void signInProvider()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(bool, accepted);
        TSoapConnection conn;
        conn.setURL(dataAccessUrl(m_server.baseUrl()));
        QByteArray packet;
        const QString message = failureOf([&] {
            packet = conn.getRecords("prvSignIn", {{"UserName", user}, {"Password", password}});
        });
        if (!accepted) {
            QCOMPARE(message, QString::fromUtf8("用户名或密码不正确"));
            return;
        }
        QVERIFY2(message.isEmpty(), qPrintable(message));
        TClientDataSet cds;
        cds.loadFromDataPacket(packet);
        QCOMPARE(cds.recordCount(), 1);
        QCOMPARE(cds.asString("WelcomeHead"), QString::fromUtf8("演示用户"));
        QVERIFY(cds.asString("Rights").contains("md10"));
    }

    void faultsNameTheirCause_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("cause");
        const QByteArray envelope = "<?xml version=\"1.0\"?><soap:Envelope "
                                    "xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>%1"
                                    "</soap:Body></soap:Envelope>";
        auto soap = [&](const QByteArray &body) { return QByteArray(envelope).replace("%1", body); };
        auto packetReply = [&](const QByteArray &packet) {
            return FakeHttpServer::reply(200, "text/xml", soap("<AS_GetRecordsResponse><return>" + packet.toBase64()
                                                               + "</return></AS_GetRecordsResponse>"));
        };
        QTest::newRow("http 404") << FakeHttpServer::reply(404, "text/html", "<html>gone</html>") << "is not a SOAP message";
        QTest::newRow("http 404, no body") << FakeHttpServer::reply(404, "text/html", "") << "answered with an error: Not Found";
        QTest::newRow("http 503, no body")
            << FakeHttpServer::reply(503, "text/html", "") << "answered with an error: Service Unavailable";
        QTest::newRow("http 500 fault")
            << FakeHttpServer::reply(500, "text/xml",
                                     soap("<soap:Fault><faultcode>soap:Server</faultcode><faultstring>Database is "
                                          "down</faultstring></soap:Fault>"))
            << "Database is down";
        QTest::newRow("not soap") << FakeHttpServer::reply(200, "text/plain", "hello, world") << "is not a SOAP message";
        QTest::newRow("no data packet")
            << FakeHttpServer::reply(200, "text/xml", soap("<AS_GetRecordsResponse/>")) << "carries no data packet";
        QTest::newRow("not base64")
            << FakeHttpServer::reply(200, "text/xml",
                                     soap("<AS_GetRecordsResponse><return>***</return></AS_GetRecordsResponse>"))
            << "not valid Base64";
        TDataPacketWriter w;
        w.addField("id", TFieldType::Integer);
        w.addRow({1});
        const QByteArray good = w.packet();
        QTest::newRow("truncated packet") << packetReply(good.left(good.size() - 20)) << "truncated";
        QTest::newRow("unknown field type")
            << packetReply("<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"id\" fieldtype=\"bcd\"/></FIELDS></METADATA>"
                           "<ROWDATA/></DATAPACKET>")
            << "\"bcd\"";
        QTest::newRow("row against metadata")
            << packetReply("<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"id\" fieldtype=\"i4\"/></FIELDS></METADATA>"
                           "<ROWDATA><ROW id=\"1\" ico=\"AA==\"/></ROWDATA></DATAPACKET>")
            << "\"ico\"";
    }

    void faultsNameTheirCause()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, cause);
        FakeHttpServer fake(reply);
        QVERIFY(fake.startListening() > 0);
        RemoteDataSet remote(fake.baseUrl() + "/soap", "prvMdChientSel");
        remote.conn.setTimeout(10000);
        TClientDataSet &cds = remote.cds;
        const QString message = failureOf([&] { cds.open(); });
        QVERIFY2(!message.isEmpty(), "no error");
        QVERIFY2(message.contains(cause), qPrintable(message));
        QVERIFY(!cds.isActive());
        // What went over the wire: the provider, whole, in an RPC envelope.
        const QByteArray request = fake.lastRequest();
        QVERIFY(request.toLower().contains("soapaction: \"urn:midas-iappserversoap#as_getrecords\""));
        QVERIFY(request.contains(">prvMdChientSel</ProviderName>"));
        QVERIFY(request.contains(">-1</Count>"));
    }

    void killedServerIsReportedUnreachable()
    {
        ServerProcess server;
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        RemoteDataSet remote(dataAccessUrl(server.baseUrl()), "prvMdChientSel");
        TClientDataSet &cds = remote.cds;
        cds.open();
        cds.close();
        server.kill();
        const QString message = failureOf([&] { cds.open(); });
        QVERIFY2(message.contains("cannot be reached") && message.contains(remote.conn.url()), qPrintable(message));
        QVERIFY2(message.contains("refused", Qt::CaseInsensitive), qPrintable(message));
    }

    void serverEndsOnTerminate_data()
    {
        QTest::addColumn<bool>("afterRequest");
        QTest::newRow("idle") << false;
        QTest::newRow("after a request") << true;
    }

    void serverEndsOnTerminate()
    {
        QFETCH(bool, afterRequest);
        ServerProcess server;
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        TSoapConnection conn;
        conn.setURL(dataAccessUrl(server.baseUrl()));
        if (afterRequest)
            QVERIFY(!conn.getRecords("prvMdChientSel").isEmpty());
        QVERIFY(server.terminate());
    }

    void upFileAndDeleteFileRoundTrip()
    {
        THTTPRIO rio;
        rio.setWSDLLocation(m_server.baseUrl() + "/tremlinsvr.dll/wsdl/ITremlinSvr");
        bool eventsRan = false;
        QTimer::singleShot(0, [&] { eventsRan = true; });
        int posted = 0;
        connect(&rio, &THTTPRIO::postingData, [&] { ++posted; });

        const QByteArray content("第一行\r\nline two\0end", 23);
        QString name = "note.txt";
        QVERIFY(rio.UpFile(QString::fromLatin1(content.toBase64()), "docs", name));
        QVERIFY(eventsRan);
        QVERIFY(posted >= 1);
        QCOMPARE(rio.url(), m_server.baseUrl() + "/tremlinsvr.dll/soap/ITremlinSvr");
        QCOMPARE(name, QString("note.txt"));
        QFile stored(m_server.uploadsDir() + "/docs/note.txt");
        QVERIFY(stored.open(QIODevice::ReadOnly));
        QCOMPARE(stored.readAll(), content);

        QString second = "note.txt";
        QVERIFY(rio.UpFile(QString::fromLatin1(QByteArray("x").toBase64()), "docs", second));
        QCOMPARE(second, QString("note(1).txt"));

        QVERIFY(rio.DeleteFile("docs/note.txt"));
        QVERIFY(!QFile::exists(stored.fileName()));
        QVERIFY(!rio.DeleteFile("docs/note.txt"));
        QVERIFY(rio.DeleteFile("docs\\note(1).txt"));
    }

    void namesThatLeaveTheDirectoryAreRefused_data()
    {
        QTest::addColumn<QString>("saveDir");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("dot-dot name") << "docs" << "../../escaped.txt";
        QTest::newRow("dot-dot dir") << "../.." << "escaped.txt";
        QTest::newRow("backslash dir") << "..\\.." << "escaped.txt";
        QTest::newRow("absolute dir") << m_server.dataDir() << "escaped.txt";
        QTest::newRow("empty name") << "docs" << "";
    }

    void namesThatLeaveTheDirectoryAreRefused()
    {
        QFETCH(QString, saveDir);
        QFETCH(QString, fileName);
        THTTPRIO rio;
        rio.setWSDLLocation(m_server.baseUrl() + "/tremlinsvr.dll/wsdl/ITremlinSvr");
        QString name = fileName;
        const QString message = failureOf([&] { rio.UpFile("eA==", saveDir, name); });
        QVERIFY2(!message.isEmpty(), "accepted");
        QCOMPARE(name, fileName);
        QVERIFY(!QFile::exists(m_server.dataDir() + "/escaped.txt"));
        QVERIFY(!QFile::exists(QFileInfo(m_server.dataDir()).path() + "/escaped.txt"));
    }

    void deleteOutsideTheDirectoryIsRefused()
    {
        THTTPRIO rio;
        rio.setWSDLLocation(m_server.baseUrl() + "/tremlinsvr.dll/wsdl/ITremlinSvr");
        const QString message = failureOf([&] { rio.DeleteFile("../tremlinsvr.fdb"); });
        QVERIFY2(message.contains("leaves the upload directory"), qPrintable(message));
        QVERIFY(QFile::exists(m_server.dataDir() + "/tremlinsvr.fdb"));
    }

    void unreadableWsdlIsReported()
    {
        THTTPRIO rio;
        rio.setWSDLLocation(m_server.baseUrl() + "/no/such/wsdl");
        QString name = "a.txt";
        const QString message = failureOf([&] { rio.UpFile("eA==", "", name); });
        QVERIFY2(message.startsWith("Cannot read the WSDL at " + rio.wsdlLocation()), qPrintable(message));
    }

    void malformedRequestGetsAFaultAndTheServerGoesOn()
    {
        QNetworkAccessManager nam;
        QNetworkRequest request(QUrl(dataAccessUrl(m_server.baseUrl())));
        request.setHeader(QNetworkRequest::ContentTypeHeader, "text/xml");
        request.setRawHeader("SOAPAction", "\"urn:Midas-IAppServerSOAP#AS_GetRecords\"");
        QNetworkReply *reply = nam.post(request, QByteArray("<soap:Envelope><unclosed"));
        QSignalSpy done(reply, &QNetworkReply::finished);
        QVERIFY(done.wait(10000));
        QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 500);
        QVERIFY(reply->readAll().contains("Fault>"));
        reply->deleteLater();

        TSoapConnection conn;
        conn.setURL(dataAccessUrl(m_server.baseUrl()));
        QVERIFY(!conn.getRecords("prvMdChientSel").isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSoapClient)
#include "tst_soapclient.moc"
