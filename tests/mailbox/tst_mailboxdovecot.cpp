#include "ErrorBox.h"
#include "MailSettings.h"
#include "ModuleState.h"
#include "TDllForm1.h"
#include "TEmailContentForm.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

using namespace zaskar;

// The mailbox against a real POP3 server on loopback, filled with the
// script's sample messages (oldest first: GB2312 subject, UTF-8 subject,
// two attachments, plain).
class TestMailboxDovecot : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void checkRetrieveDeleteCheckAgain();

private:
    bool script(const QStringList &args, QByteArray *out = nullptr);
    QTreeWidget *list(TDllForm1 &form) const { return form.findChild<QTreeWidget *>("lvHeaders"); }
    QStringList subjects(TDllForm1 &form) const;

    QTemporaryDir m_dir;
    QString m_serverDir;
    bool m_started = false;
};

bool TestMailboxDovecot::script(const QStringList &args, QByteArray *out)
{
    QProcess p;
    p.start(QStringLiteral("bash"), QStringList{TREMLIN_SOURCE_DIR "/scripts/mailbox-server.sh"} + args);
    if (!p.waitForFinished(30000))
        return false;
    if (out)
        *out = p.readAllStandardOutput().trimmed();
    if (p.exitCode() != 0)
        qWarning("%s", p.readAllStandardError().constData());
    return p.exitCode() == 0;
}

void TestMailboxDovecot::initTestCase()
{
    if (QStandardPaths::findExecutable("dovecot", {"/usr/sbin", "/usr/bin", "/sbin"}).isEmpty())
        QSKIP("dovecot is not installed");
    // The server's own users must reach its folder.
    QVERIFY(QFile::setPermissions(m_dir.path(), QFile::permissions(m_dir.path()) | QFile::ReadOther | QFile::ExeOther));
    m_serverDir = m_dir.filePath("server");
    QByteArray port;
    QVERIFY(script({"start", m_serverDir, "--user", "zaskar", "--password", "pa ss"}, &port));
    m_started = true;
    QFile ini(m_dir.filePath("Mail.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Pop3]\nServerName=127.0.0.1\nServerPort=" + port + "\nServerUser=zaskar\nServerPassword=pa ss\n");
    ini.close();
    MailSettings::setDirectory(m_dir.path());
}

void TestMailboxDovecot::cleanupTestCase()
{
    MailSettings::setDirectory(QString());
    if (m_started)
        QVERIFY(script({"stop", m_serverDir}));
}

QStringList TestMailboxDovecot::subjects(TDllForm1 &form) const
{
    QStringList out;
    for (int i = 0; i < list(form)->topLevelItemCount(); ++i)
        out << list(form)->topLevelItem(i)->text(0);
    return out;
}

void TestMailboxDovecot::checkRetrieveDeleteCheckAgain()
{
    QStringList errors;
    ErrorBox::setPresenter([&](ErrorBox::Kind, const QString &, const QString &text) { errors << text; });
    QStringList rights{"1=BtnNew,", "2=BtnDelete,"};
    ModuleState::instance().store(nullptr, nullptr, TUserInfo{}, &rights, nullptr);

    TDllForm1 form;
    form.resize(1000, 500);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.findChild<QAction *>("CheckMail")->trigger();
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join("; ")));
    QCOMPARE(subjects(form), (QStringList{"Plain message", QString::fromUtf8("附件测试"),
                                          QString::fromUtf8("你好，世界"), QString::fromUtf8("中文主题测试")}));
    QCOMPARE(form.statusText(0), QStringLiteral("4"));
    QCOMPARE(list(form)->topLevelItem(3)->text(1), QString::fromUtf8("张三<zhangsan@example.cn>"));

    // Open the message with two attachments and save one of them.
    QStringList names;
    QString body;
    QString saved = m_dir.filePath(QString::fromUtf8("报告.txt"));
    TEmailContentForm::setSaveDialogHook([&](QWidget *, const TEmailContentForm::SaveRequest &r) {
        return r.fileName == QString::fromUtf8("报告.txt") ? saved : QString();
    });
    TDllForm1::setReaderHook([&](TEmailContentForm &reader) {
        auto *parts = reader.findChild<QTreeWidget *>("lvMessageParts");
        for (int i = 0; i < parts->topLevelItemCount(); ++i)
            names << parts->topLevelItem(i)->text(0);
        body = reader.findChild<QPlainTextEdit *>("Memo1")->toPlainText();
        parts->selectAll();
        reader.Button1Click();
    });
    list(form)->setCurrentItem(list(form)->topLevelItem(1));
    emit list(form)->itemDoubleClicked(list(form)->topLevelItem(1), 0);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join("; ")));
    QCOMPARE(names, (QStringList{QString::fromUtf8("报告.txt"), "data.bin"}));
    QCOMPARE(body, QString::fromUtf8("请查收两个附件。"));
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(QByteArray::fromBase64("sai45sTayN2jutK7x9DV/bOjoaMNCg==")),
             QString::fromUtf8(file.readAll())); // saved as sent: GB2312 bytes
    TDllForm1::setReaderHook({});
    TEmailContentForm::setSaveDialogHook({});

    // Delete the oldest message through the toolbar button, then check again.
    list(form)->setCurrentItem(list(form)->topLevelItem(3));
    QTest::mouseClick(form.findChild<QWidget *>("BtnDelete"), Qt::LeftButton);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join("; ")));
    QCOMPARE(form.messageNumber(3), -1);
    QTest::mouseClick(form.findChild<QWidget *>("BtnNew"), Qt::LeftButton);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join("; ")));
    QCOMPARE(subjects(form), (QStringList{"Plain message", QString::fromUtf8("附件测试"),
                                          QString::fromUtf8("你好，世界")}));
    QCOMPARE(form.statusText(0), QStringLiteral("3"));
    ErrorBox::setPresenter({});
}

QTEST_MAIN(TestMailboxDovecot)
#include "tst_mailboxdovecot.moc"
