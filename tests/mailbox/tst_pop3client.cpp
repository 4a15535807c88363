#include "Exception.h"
#include "FakePop3Server.h"
#include "Pop3Client.h"

#include <QTcpServer>
#include <QtTest>

namespace {

const QByteArray Login =
    "S: +OK ready\n"
    "C: USER joe\n"
    "S: +OK\n"
    "C: PASS secret\n"
    "S: +OK logged in\n";

void setUp(Pop3Client &client, quint16 port)
{
    client.setHost(QStringLiteral("127.0.0.1"));
    client.setPort(port);
    client.setUserName(QStringLiteral("joe"));
    client.setPassword(QStringLiteral("secret"));
}

// The message of the exception the call raises, or a marker when none.
template<typename F>
QString errorOf(F &&call)
{
    try {
        call();
    } catch (const Exception &e) {
        return e.message();
    }
    return QStringLiteral("<no error>");
}

} // namespace

class TestPop3Client : public QObject
{
    Q_OBJECT
private slots:
    void checkExchange();
    void retrieveUnstuffsAndDeletes();
    void refusals_data();
    void refusals();
    void unreadableSizes();
    void faultsDropTheConnection_data();
    void faultsDropTheConnection();
    void connectErrors();
};

void TestPop3Client::checkExchange()
{
    FakePop3Server server(Login +
        "C: STAT\n"
        "S: +OK 2 320\n"
        "C: LIST\n"
        "S: +OK 2 messages\n"
        "S: 1 120\n"
        "S: 2 200\n"
        "S: .\n"
        "C: TOP 2 0\n"
        "S: +OK\n"
        "S: Subject: two\n"
        "S: ..hidden dot\n"
        "S: \n"
        "S: .\n"
        "C: LIST 2\n"
        "S: +OK 2 200\n"
        "C: QUIT\n"
        "S: +OK bye\n");
    Pop3Client client;
    setUp(client, server.start());
    client.connectToServer();
    QVERIFY(client.connected());
    QCOMPARE(client.messageCount(), 2);
    QCOMPARE(client.mailboxSize(), qint64(320));
    QCOMPARE(client.headers(2), QByteArray("Subject: two\r\n.hidden dot\r\n\r\n"));
    QCOMPARE(client.messageSize(2), qint64(200));
    client.disconnectFromServer();
    QVERIFY(!client.connected());
    QVERIFY(server.finish());
    QVERIFY2(server.problems().isEmpty(), qPrintable(server.problems()));
}

void TestPop3Client::retrieveUnstuffsAndDeletes()
{
    // A big body in one burst, with stuffed dots and a lone dot inside.
    QByteArray body;
    for (int i = 0; i < 20000; ++i)
        body += "line " + QByteArray::number(i) + "\r\n";
    FakePop3Server server(Login + "C: RETR 1\nS: +OK\n");
    server.replyRaw("From: a@b\r\n\r\n" + body + "..\r\n...x\r\n.\r\n");
    server.addTranscript("C: DELE 1\nS: +OK deleted\nC: QUIT\nS: +OK\n");
    Pop3Client client;
    setUp(client, server.start());
    client.connectToServer();
    QCOMPARE(client.retrieve(1), "From: a@b\r\n\r\n" + body + ".\r\n..x\r\n");
    client.deleteMessage(1);
    client.disconnectFromServer();
    QVERIFY(server.finish());
    QVERIFY2(server.problems().isEmpty(), qPrintable(server.problems()));
}

void TestPop3Client::refusals_data()
{
    QTest::addColumn<QByteArray>("transcript");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("stillConnected");
    QTest::newRow("greeting") << QByteArray("S: -ERR too busy\n") << "too busy" << false;
    QTest::newRow("user") << QByteArray("S: +OK\nC: USER joe\nS: -ERR no such user\n") << "no such user" << false;
    QTest::newRow("password") << QByteArray("S: +OK\nC: USER joe\nS: +OK\nC: PASS secret\nS: -ERR [AUTH] Authentication failed.\n")
                              << "[AUTH] Authentication failed." << false;
    QTest::newRow("bare -ERR") << QByteArray("S: +OK\nC: USER joe\nS: -ERR\n")
                               << "The POP3 server refused the command (-ERR)." << false;
    QTest::newRow("retrieve") << Login + "C: RETR 9\nS: -ERR no such message\n" << "no such message" << true;
    QTest::newRow("delete") << Login + "C: DELE 9\nS: -ERR no such message\n" << "no such message" << true;
    QTest::newRow("quit") << Login + "C: QUIT\nS: -ERR could not remove\n" << "could not remove" << false;
}

void TestPop3Client::refusals()
{
    QFETCH(QByteArray, transcript);
    QFETCH(QString, message);
    QFETCH(bool, stillConnected);
    FakePop3Server server(transcript);
    Pop3Client client;
    setUp(client, server.start());
    const QString tag = QString::fromLatin1(QTest::currentDataTag());
    const QString error = errorOf([&] {
        client.connectToServer();
        if (tag == QLatin1String("retrieve"))
            client.retrieve(9);
        else if (tag == QLatin1String("delete"))
            client.deleteMessage(9);
        else if (tag == QLatin1String("quit"))
            client.disconnectFromServer();
    });
    QCOMPARE(error, message);
    QCOMPARE(client.connected(), stillConnected);
    client.setHost(QString()); // the destructor must not talk to the server
    if (stillConnected)
        QCOMPARE(errorOf([&] { client.connectToServer(); }), QStringLiteral("No POP3 server is configured."));
    QVERIFY(server.finish());
    QVERIFY2(server.problems().isEmpty(), qPrintable(server.problems()));
}

void TestPop3Client::unreadableSizes()
{
    FakePop3Server server(Login +
        "C: LIST\nS: -ERR not now\n"
        "C: LIST\nS: +OK\nS: 1 abc\nS: 2 10\nS: .\n"
        "C: LIST 1\nS: -ERR no such message\n"
        "C: LIST 2\nS: +OK 2\n"
        "C: LIST 2\nS: +OK 2 77\n"
        "C: STAT\nS: +OK 0 0\n"
        "C: LIST\nS: +OK\nS: .\n"
        "C: QUIT\nS: +OK\n");
    Pop3Client client;
    setUp(client, server.start());
    client.connectToServer();
    QCOMPARE(client.mailboxSize(), qint64(-1));
    QCOMPARE(client.mailboxSize(), qint64(-1));
    QCOMPARE(client.messageSize(1), qint64(-1));
    QCOMPARE(client.messageSize(2), qint64(-1));
    QCOMPARE(client.messageSize(2), qint64(77));
    QCOMPARE(client.messageCount(), 0);
    QCOMPARE(client.mailboxSize(), qint64(0));
    client.disconnectFromServer();
    QVERIFY(server.finish());
    QVERIFY2(server.problems().isEmpty(), qPrintable(server.problems()));
}

void TestPop3Client::faultsDropTheConnection_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("message");
    QTest::newRow("garbage status") << QByteArray("HELLO THERE\r\n") << "Unexpected reply of the POP3 server";
    QTest::newRow("over-long status") << QByteArray(Pop3Client::MaxLineLength + 1, 'x') + "\r\n"
                                      << "line longer than 65536 bytes";
    QTest::newRow("over-long unterminated") << QByteArray(Pop3Client::MaxLineLength + 100, 'x')
                                            << "line longer than 65536 bytes";
    QTest::newRow("over-long header line") << "+OK\r\nSubject: " + QByteArray(70000, 'y') + "\r\n.\r\n"
                                           << "line longer than 65536 bytes";
    QTest::newRow("dropped mid-reply") << QByteArray("+OK\r\nSubject: x\r\n") << "lost";
    QTest::newRow("garbage count") << QByteArray("+OK many\r\n") << "to STAT";
}

void TestPop3Client::faultsDropTheConnection()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, message);
    const bool stat = reply.startsWith("+OK many");
    FakePop3Server server(Login + (stat ? "C: STAT\n" : "C: TOP 1 0\n"));
    server.replyRaw(reply);
    server.addClose();
    Pop3Client client;
    setUp(client, server.start());
    client.connectToServer();
    const QString error = errorOf([&] { stat ? void(client.messageCount()) : void(client.headers(1)); });
    QVERIFY2(error.contains(message), qPrintable(error));
    if (!stat)
        QVERIFY(!client.connected());
    QVERIFY(server.finish());
    QVERIFY2(server.failures().isEmpty(), qPrintable(server.problems()));
}

void TestPop3Client::connectErrors()
{
    // A port nobody listens on: take a free one and close it again.
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();
    Pop3Client client;
    setUp(client, port);
    const QString refused = errorOf([&] { client.connectToServer(); });
    QVERIFY2(refused.startsWith(QStringLiteral("Cannot connect to the POP3 server 127.0.0.1:%1: ").arg(port)),
             qPrintable(refused));
    QVERIFY(refused.contains(QLatin1String("refused"), Qt::CaseInsensitive));
    QVERIFY(!client.connected());

    client.setHost(QStringLiteral("  "));
    QCOMPARE(errorOf([&] { client.connectToServer(); }), QStringLiteral("No POP3 server is configured."));
    QCOMPARE(errorOf([&] { client.messageCount(); }), QStringLiteral("Not connected to the POP3 server."));
    client.disconnectFromServer(); // no connection: nothing happens
}

QTEST_GUILESS_MAIN(TestPop3Client)
#include "tst_pop3client.moc"
