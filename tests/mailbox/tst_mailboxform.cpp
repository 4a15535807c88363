#include "ErrorBox.h"
#include "FakePop3Server.h"
#include "MailSettings.h"
#include "ModuleState.h"
#include "TDllForm1.h"
#include "TEmailContentForm.h"

#include <QAction>
#include <QLabel>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

using namespace zaskar;

namespace {

const QByteArray Login = "S: +OK ready\nC: USER joe\nS: +OK\nC: PASS secret\nS: +OK\n";

QByteArray headerReply(int n, const QByteArray &subject)
{
    return "C: TOP " + QByteArray::number(n) + " 0\nS: +OK\nS: From: Sender " + QByteArray::number(n) +
           " <s" + QByteArray::number(n) + "@example.com>\nS: Subject: " + subject +
           "\nS: Date: Tue, 01 Dec 2026 08:30:15 +0000\nS: \nS: .\n";
}

// Check of the three-message mailbox: 1000, 1500 and 2500 octets.
QByteArray threeMessageCheck()
{
    return Login + "C: STAT\nS: +OK 3 5000\nC: LIST\nS: +OK\nS: 1 1000\nS: 2 1500\nS: 3 2500\nS: .\n" +
           headerReply(3, "=?gb2312?B?1tDOxA==?= new  est") + "C: LIST 3\nS: +OK 3 2500\n" +
           headerReply(2, "Second  one") + "C: LIST 2\nS: +OK 2 1500\n" +
           headerReply(1, "first") + "C: LIST 1\nS: +OK 1 1000\n" + "C: QUIT\nS: +OK\n";
}

// Records every text the status panel is painted with.
class PaintRecorder : public QObject
{
public:
    QStringList texts;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            const QString t = static_cast<QLabel *>(watched)->text();
            if (texts.isEmpty() || texts.last() != t)
                texts << t;
        }
        return false;
    }
};

} // namespace

class TestMailboxForm : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void settings_data();
    void settings();
    void toolbarAndActions();
    void checkThreeMessages();
    void emptyMailbox();
    void loginRefused();
    void faultsDuringHeaderLoop_data();
    void faultsDuringHeaderLoop();
    void garbageAfterConnect();
    void retrieveAndDelete();
    void droppedIdleConnectionIsNoError();
    void noSelectionDoesNotConnect();

private:
    void writeSettings(const QByteArray &text);
    void createForm(quint16 port);
    void check(FakePop3Server &server);
    QTreeWidget *list() const { return m_form->findChild<QTreeWidget *>("lvHeaders"); }
    QAction *action(const char *name) const { return m_form->findChild<QAction *>(name); }
    void select(int row) { list()->setCurrentItem(list()->topLevelItem(row)); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TDllForm1> m_form;
    QStringList m_rights;
    QStringList m_errors;
    QStringList m_readerSubjects;
};

void TestMailboxForm::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    MailSettings::setDirectory(m_dir->path());
    m_errors.clear();
    m_readerSubjects.clear();
    m_rights.clear();
    ErrorBox::setPresenter([this](ErrorBox::Kind, const QString &, const QString &text) { m_errors << text; });
    TDllForm1::setReaderHook([this](TEmailContentForm &reader) {
        m_readerSubjects << reader.findChild<QLabel *>("Subject")->text();
    });
    ModuleState::instance().store(nullptr, nullptr, TUserInfo{}, &m_rights, nullptr);
}

void TestMailboxForm::cleanup()
{
    m_form.reset();
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    TDllForm1::setReaderHook({});
    ErrorBox::setPresenter({});
    MailSettings::setDirectory(QString());
}

void TestMailboxForm::writeSettings(const QByteArray &text)
{
    QFile f(m_dir->filePath("Mail.ini"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

void TestMailboxForm::createForm(quint16 port)
{
    writeSettings("[POP3]\nservername=127.0.0.1\nServerPort=" + QByteArray::number(port) +
                  "\nServerUser=joe\nServerPassword=secret\n");
    m_form = std::make_unique<TDllForm1>();
    m_form->resize(1000, 500);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void TestMailboxForm::check(FakePop3Server &server)
{
    action("CheckMail")->trigger();
    QVERIFY(server.finish());
    QVERIFY2(server.problems().isEmpty(), qPrintable(server.problems()));
}

void TestMailboxForm::settings_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("server");
    QTest::addColumn<int>("pop3Port");
    QTest::addColumn<int>("smtpPort");
    QTest::newRow("missing file") << QByteArray() << "" << 110 << 25;
    QTest::newRow("keys in any case") << QByteArray("[pop3]\nSERVERNAME=mail.example.cn\nserverport=995\n[SMTP]\nServerPort=587\n")
                                      << "mail.example.cn" << 995 << 587;
    QTest::newRow("port not a number") << QByteArray("[Pop3]\nServerName=m\nServerPort=abc\n[Smtp]\nServerPort=2 5\n")
                                       << "m" << 110 << 25;
}

void TestMailboxForm::settings()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, server);
    QFETCH(int, pop3Port);
    QFETCH(int, smtpPort);
    if (!ini.isEmpty())
        writeSettings(ini);
    TDllForm1 form;
    form.show(); // the settings are read when the form is shown
    QCOMPARE(form.mailSettings().pop3Server, server);
    QCOMPARE(form.mailSettings().pop3Port, pop3Port);
    QCOMPARE(form.mailSettings().smtpPort, smtpPort);
}

void TestMailboxForm::toolbarAndActions()
{
    m_rights = QStringList{"1=BtnNew,", "2=btndelete,", "3=BtnEdit,Edit, again", "4=BtnSave,x", "5=BtnInsertUser,",
                           "6=BtnDeleteUser,"};
    createForm(1);
    const char *order[] = {"BtnEdit", "BtnNew", "BtnSave", "BtnDelete", "BtnInsertUser", "BtnDeleteUser"};
    int x = -1;
    for (const char *name : order) {
        auto *b = m_form->findChild<QToolButton *>(name);
        QVERIFY2(b && b->isVisible(), name);
        QVERIFY2(b->x() > x, name);
        x = b->x();
    }
    auto *btnNew = m_form->findChild<QToolButton *>("BtnNew");
    QCOMPARE(btnNew->text(), QStringLiteral("Check mail"));
    QVERIFY(btnNew->width() >= btnNew->sizeHint().width()); // the caption is not cut
    QCOMPARE(m_form->findChild<QToolButton *>("BtnDelete")->text(), QStringLiteral("Delete"));
    QCOMPARE(m_form->findChild<QToolButton *>("BtnEdit")->text(), QStringLiteral("Edit, again"));
    QCOMPARE(m_form->findChild<QToolButton *>("BtnInsertUser")->width(), 76);

    const QList<QStringList> actions{{"CheckMail", "Check mail", "Connect to server and get headers"},
                                     {"Retrieve", "Retrieve", "Retrieve current message"},
                                     {"Delete", "Delete", "Mark current message for deletion"},
                                     {"Purge", "Purge ", "Purge marked messages"},
                                     {"Disconnect", "Disconnect", "Disconnect from server without purging"},
                                     {"Setup", "Setup", "Setup POP/SMTP"},
                                     {"Send", "Send", "Send a new message"}};
    for (const QStringList &a : actions) {
        QAction *act = action(qPrintable(a[0]));
        QVERIFY2(act, qPrintable(a[0]));
        QCOMPARE(act->text(), a[1]);
        QCOMPARE(act->toolTip(), a[2]);
        QVERIFY(!act->icon().isNull());
    }
    const QStringList columns{QString::fromUtf8("标题"), QString::fromUtf8("寄件人"), QString::fromUtf8("日期"),
                              QString::fromUtf8("大小Byte(s)"), "UIDL"};
    const int widths[] = {300, 400, 120, 60, 150};
    for (int i = 0; i < columns.size(); ++i) {
        QCOMPARE(list()->headerItem()->text(i), columns[i]);
        QCOMPARE(list()->columnWidth(i), widths[i]);
    }

    // BtnNew runs the check: port 1 refuses, and the box says so.
    QTest::mouseClick(btnNew, Qt::LeftButton);
    QCOMPARE(m_errors.size(), 1);
    QVERIFY2(m_errors[0].startsWith("Cannot connect to the POP3 server 127.0.0.1:1: "), qPrintable(m_errors[0]));
    QCOMPARE(m_form->statusText(1), QStringLiteral("Connecting...."));
}

void TestMailboxForm::checkThreeMessages()
{
    FakePop3Server server(threeMessageCheck());
    createForm(server.start());
    PaintRecorder recorder;
    m_form->findChild<QLabel *>("StatusPanel1")->installEventFilter(&recorder);
    check(server);

    QCOMPARE(m_form->statusText(0), QStringLiteral("3"));
    QCOMPARE(m_form->statusText(1), QStringLiteral("Mail takes up 4K on the server"));
    const QStringList loop{"Messsage 3 of 3", "Messsage 2 of 3", "Messsage 1 of 3"};
    int at = -1;
    for (const QString &t : loop) {
        const int i = recorder.texts.indexOf(t);
        QVERIFY2(i > at, qPrintable(recorder.texts.join(" | ")));
        at = i;
    }
    QCOMPARE(recorder.texts.last(), QStringLiteral("Mail takes up 4K on the server"));

    QCOMPARE(list()->topLevelItemCount(), 3);
    QCOMPARE(list()->topLevelItem(0)->text(0), QString::fromUtf8("中文newest"));
    QCOMPARE(list()->topLevelItem(1)->text(0), QStringLiteral("Second  one"));
    QCOMPARE(list()->topLevelItem(2)->text(0), QStringLiteral("first"));
    QCOMPARE(list()->topLevelItem(0)->text(1), QStringLiteral("Sender 3 <s3@example.com>"));
    QCOMPARE(list()->topLevelItem(1)->text(1), QStringLiteral("Sender 2 <s2@example.com>"));
    const QDate date = QDateTime(QDate(2026, 12, 1), QTime(8, 30, 15), Qt::UTC).toLocalTime().date();
    QCOMPARE(list()->topLevelItem(0)->text(2), QLocale().toString(date, QLocale::ShortFormat));
    QCOMPARE(list()->topLevelItem(0)->text(3), QStringLiteral("2500"));
    QCOMPARE(list()->topLevelItem(2)->text(3), QStringLiteral("1000"));
    for (int r = 0; r < 3; ++r) {
        QCOMPARE(list()->topLevelItem(r)->text(4), QStringLiteral("n/a"));
        QCOMPARE(m_form->messageNumber(r), 3 - r);
    }
    // The check disconnected; a new one is offered.
    QVERIFY(action("CheckMail")->isEnabled());
    QVERIFY(action("Retrieve")->isEnabled());
    QVERIFY(!action("Disconnect")->isEnabled());
    QVERIFY(m_errors.isEmpty());
}

void TestMailboxForm::emptyMailbox()
{
    FakePop3Server server(Login + "C: STAT\nS: +OK 0 0\nC: LIST\nS: +OK\nS: .\nC: QUIT\nS: +OK\n");
    createForm(server.start());
    check(server);
    QCOMPARE(m_form->statusText(0), QStringLiteral("0"));
    QCOMPARE(m_form->statusText(1), QStringLiteral("No messages on server"));
    QCOMPARE(list()->topLevelItemCount(), 0);
    QVERIFY(m_errors.isEmpty());
}

void TestMailboxForm::loginRefused()
{
    FakePop3Server server("S: +OK\nC: USER joe\nS: +OK\nC: PASS secret\nS: -ERR [AUTH] Authentication failed.\n");
    createForm(server.start());
    check(server);
    QCOMPARE(m_errors, QStringList{"[AUTH] Authentication failed."});
    QCOMPARE(m_form->statusText(1), QStringLiteral("Connecting...."));
    QVERIFY(action("CheckMail")->isEnabled());
}

void TestMailboxForm::faultsDuringHeaderLoop_data()
{
    QTest::addColumn<QByteArray>("fault");
    QTest::addColumn<QString>("status");
    QTest::newRow("connection dropped") << QByteArray("C: TOP 1 0\nCLOSE\n") << "lost";
    QTest::newRow("over-long line") << "C: TOP 1 0\nS: +OK\nS: Subject: " + QByteArray(70000, 'x') + "\n"
                                    << "line longer than 65536 bytes";
    QTest::newRow("refused") << QByteArray("C: TOP 1 0\nS: -ERR message gone\nC: QUIT\nS: +OK\n") << "message gone";
}

void TestMailboxForm::faultsDuringHeaderLoop()
{
    QFETCH(QByteArray, fault);
    QFETCH(QString, status);
    FakePop3Server server(Login + "C: STAT\nS: +OK 2 100\nC: LIST\nS: +OK\nS: 1 50\nS: 2 50\nS: .\n" +
                          headerReply(2, "kept") + "C: LIST 2\nS: +OK 2 50\n" + fault);
    createForm(server.start());
    check(server);
    QVERIFY2(m_form->statusText(1).contains(status), qPrintable(m_form->statusText(1)));
    QCOMPARE(list()->topLevelItemCount(), 1);
    QCOMPARE(list()->topLevelItem(0)->text(0), QStringLiteral("kept"));
    QVERIFY(m_errors.isEmpty());
    QVERIFY(action("CheckMail")->isEnabled());
}

void TestMailboxForm::garbageAfterConnect()
{
    FakePop3Server server(Login + "C: STAT\nS: * OK IMAP4 ready\n");
    createForm(server.start());
    check(server);
    QCOMPARE(m_errors.size(), 1);
    QVERIFY2(m_errors[0].contains("Unexpected reply of the POP3 server"), qPrintable(m_errors[0]));
    QVERIFY(action("CheckMail")->isEnabled());
}

void TestMailboxForm::retrieveAndDelete()
{
    const QByteArray message =
        "S: From: a@example.com\nS: Subject: =?gb2312?B?1tDOxA==?=\nS: \nS: ..body\nS: .\n";
    FakePop3Server server(threeMessageCheck() +
                          // Double click on row 0 retrieves message 3 and leaves the connection open.
                          "ACCEPT\n" + Login + "C: RETR 3\nS: +OK\n" + message +
                          // Delete on row 2: the open connection is closed first.
                          "C: QUIT\nS: +OK\nACCEPT\n" + Login + "C: DELE 1\nS: +OK\nC: QUIT\nS: +OK\n" +
                          // Row 0 is now message 2 on the server.
                          "ACCEPT\n" + Login + "C: RETR 2\nS: +OK\n" + message);
    createForm(server.start());
    action("CheckMail")->trigger();
    const QString counts = m_form->statusText(1);

    emit list()->itemDoubleClicked(list()->topLevelItem(0), 0); // nothing selected yet
    QVERIFY(m_readerSubjects.isEmpty());
    select(0);
    emit list()->itemDoubleClicked(list()->topLevelItem(0), 0);
    QCOMPARE(m_readerSubjects, QStringList{QString::fromUtf8("中文")});
    QCOMPARE(m_form->statusText(0), QStringLiteral("n/a"));
    QCOMPARE(m_form->statusText(1), counts);

    select(2);
    action("Delete")->trigger();
    QVERIFY(m_errors.isEmpty());
    QCOMPARE(m_form->messageNumber(2), -1);
    QCOMPARE(m_form->messageNumber(1), 1);
    QCOMPARE(m_form->messageNumber(0), 2);
    QCOMPARE(list()->topLevelItemCount(), 3);

    // A deleted row is neither retrieved nor deleted again.
    action("Retrieve")->trigger();
    action("Delete")->trigger();
    QCOMPARE(m_readerSubjects.size(), 1);

    select(0);
    action("Retrieve")->trigger();
    QCOMPARE(m_readerSubjects.size(), 2);
    m_form.reset(); // closes the retrieval's connection
    QVERIFY(server.finish());
    QVERIFY2(server.problems().isEmpty(), qPrintable(server.problems()));
    QVERIFY(m_errors.isEmpty());
}

void TestMailboxForm::droppedIdleConnectionIsNoError()
{
    // The server drops the connection a retrieval left open; the next action
    // opens a new one without a complaint.
    FakePop3Server server(Login + "C: STAT\nS: +OK 1 50\nC: LIST\nS: +OK\nS: 1 50\nS: .\n" + headerReply(1, "only") +
                          "C: LIST 1\nS: +OK 1 50\nC: QUIT\nS: +OK\n" +
                          "ACCEPT\n" + Login + "C: RETR 1\nS: +OK\nS: Subject: only\nS: \nS: body\nS: .\nCLOSE\n" +
                          "ACCEPT\n" + Login + "C: DELE 1\nS: +OK\nC: QUIT\nS: +OK\n");
    createForm(server.start());
    action("CheckMail")->trigger();
    select(0);
    action("Retrieve")->trigger();
    QThread::msleep(100); // the server has closed; the client has not looked yet
    action("Delete")->trigger();
    QVERIFY(server.finish());
    QVERIFY2(server.problems().isEmpty(), qPrintable(server.problems()));
    QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join("; ")));
    QCOMPARE(m_form->messageNumber(0), -1);
}

void TestMailboxForm::noSelectionDoesNotConnect()
{
    QTcpServer listener;
    QVERIFY(listener.listen(QHostAddress::LocalHost, 0));
    createForm(listener.serverPort());
    action("Retrieve")->trigger();
    action("Delete")->trigger();
    QVERIFY(!listener.waitForNewConnection(200));
    QVERIFY(m_errors.isEmpty());
    QVERIFY(m_readerSubjects.isEmpty());
}

QTEST_MAIN(TestMailboxForm)
#include "tst_mailboxform.moc"
