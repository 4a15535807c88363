#include "DecodeEmail.h"
#include "Exception.h"
#include "MailMessage.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray crlf(QByteArray text)
{
    return text.replace("\n", "\r\n");
}

const QByteArray Multipart = crlf(
    "From: =?gb2312?B?1tDOxA==?= <zhang@example.cn>\n"
    "To: \"Li, Si\" <li@example.cn>, wang@example.cn\n"
    "Cc: =?gb2312?B?1tA=?= <c1@example.cn>,\n"
    "\tc2@example.cn\n"
    "Subject: =?gb2312?B?1tDOxA==?=\n"
    " =?gb2312?B?1tDOxA==?=\n"
    "Date: Tue, 01 Dec 2026 08:30:15 +0000\n"
    "Organization: Example Ltd\n"
    "X-Priority: 2 (High)\n"
    "Disposition-Notification-To: zhang@example.cn\n"
    "Return-Receipt-To: other@example.cn\n"
    "MIME-Version: 1.0\n"
    "Content-Type: multipart/mixed; boundary=\"XX\"\n"
    "\n"
    "preamble\n"
    "--XX\n"
    "Content-Type: text/plain; charset=gb2312\n"
    "Content-Transfer-Encoding: base64\n"
    "\n"
    "1tDOxA0KbGluZSAy\n"
    "--XX\n"
    "Content-Type: application/octet-stream; name=\"=?gb2312?B?1tDOxA==?=.pdf\"\n"
    "Content-Disposition: attachment; filename=\"=?gb2312?B?1tDOxA==?=.pdf\"\n"
    "Content-Transfer-Encoding: base64\n"
    "\n"
    "AAEC/w==\n"
    "--XX\n"
    "Content-Type: text/plain\n"
    "Content-Disposition: attachment; filename*=utf-8''%E4%B8%AD.txt\n"
    "\n"
    "hello\n"
    "--XX--\n");

} // namespace

class TestMailMessage : public QObject
{
    Q_OBJECT
private slots:
    void multipart();
    void plainMessageIsItsOwnPart();
    void headersOnly();
    void brokenMime_data();
    void brokenMime();
    void saveErrors();
};

void TestMailMessage::multipart()
{
    MailMessage msg;
    msg.parse(Multipart);
    // Raw texts: encoded words untouched, folding undone.
    QCOMPARE(msg.subject(), QByteArray("=?gb2312?B?1tDOxA==?= =?gb2312?B?1tDOxA==?="));
    QCOMPARE(msg.fromText(), QByteArray("=?gb2312?B?1tDOxA==?= <zhang@example.cn>"));
    QCOMPARE(msg.toText(), QByteArray("Li, Si <li@example.cn>, wang@example.cn"));
    QCOMPARE(msg.ccText(), QByteArray("=?gb2312?B?1tA=?= <c1@example.cn>, c2@example.cn"));
    QCOMPARE(msg.date(), QDateTime(QDate(2026, 12, 1), QTime(8, 30, 15), Qt::UTC).toLocalTime());
    QCOMPARE(msg.date().timeSpec(), Qt::LocalTime);
    QCOMPARE(msg.organization(), QByteArray("Example Ltd"));
    QCOMPARE(msg.priority(), 2);
    QCOMPARE(msg.receiptRecipient(), QByteArray("zhang@example.cn"));

    QCOMPARE(msg.parts().size(), 3);
    const MailPart &text = msg.parts().at(0);
    QCOMPARE(text.kind(), MailPart::Kind::Text);
    QCOMPARE(text.lines(), (QStringList{QString::fromUtf8("中文"), "line 2"}));
    const MailPart &pdf = msg.parts().at(1);
    QVERIFY(pdf.isAttachment());
    QCOMPARE(pdf.fileName(), QByteArray("=?gb2312?B?1tDOxA==?=.pdf"));
    QCOMPARE(zaskar::DecodeHeaderDisplay(pdf.fileName()), QString::fromUtf8("中文.pdf"));
    QCOMPARE(pdf.contentType(), QByteArray("application/octet-stream"));
    QCOMPARE(pdf.decodedContent(), QByteArray("\x00\x01\x02\xff", 4));
    // A text part sent as an attachment stays an attachment; RFC 2231 name.
    const MailPart &txt = msg.parts().at(2);
    QVERIFY(txt.isAttachment());
    QCOMPARE(QString::fromUtf8(txt.fileName()), QString::fromUtf8("中.txt"));

    QTemporaryDir dir;
    const QString path = dir.filePath("a.pdf");
    pdf.saveTo(path);
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), QByteArray("\x00\x01\x02\xff", 4));
}

void TestMailMessage::plainMessageIsItsOwnPart()
{
    MailMessage msg;
    msg.parse(crlf("From: joe@example.com\nSubject: Hi  there\nReturn-Receipt-To: r@example.com\n"
                   "Importance: low\n\nfirst\n..second\n"));
    QCOMPARE(msg.fromText(), QByteArray("joe@example.com"));
    QCOMPARE(msg.subject(), QByteArray("Hi  there"));
    QCOMPARE(msg.receiptRecipient(), QByteArray("r@example.com"));
    QCOMPARE(msg.priority(), 5);
    QVERIFY(!msg.date().isValid());
    QCOMPARE(msg.ccText(), QByteArray());
    QCOMPARE(msg.parts().size(), 1);
    QCOMPARE(msg.parts().at(0).kind(), MailPart::Kind::Text);
    QCOMPARE(msg.parts().at(0).lines(), (QStringList{"first", "..second"}));
}

void TestMailMessage::headersOnly()
{
    MailMessage msg;
    msg.parse(crlf("From: \"Joe \\\"J\\\" Bloggs\" <joe@example.com>\nSubject: plain\n\n"));
    QCOMPARE(msg.fromText(), QByteArray("Joe \"J\" Bloggs <joe@example.com>"));
    QCOMPARE(msg.priority(), 3);
    QVERIFY(msg.parts().isEmpty());
    msg.clear();
    QCOMPARE(msg.subject(), QByteArray());
}

void TestMailMessage::brokenMime_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::newRow("no boundary parameter") << crlf("Content-Type: multipart/mixed\n\n--a\n\nx\n");
    QTest::newRow("no closing boundary") << crlf("Content-Type: multipart/mixed; boundary=a\n\n--a\nContent-Type: text/plain\n\nx\n");
    QTest::newRow("bad base64") << crlf("Content-Type: application/x; name=a\nContent-Transfer-Encoding: base64\n\n!!!*\n");
    QTest::newRow("garbage") << QByteArray("\x00\xff\r\n\r\n\x01--", 9);
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("nested") << crlf("Content-Type: multipart/mixed; boundary=a\n\n--a\n"
                                    "Content-Type: multipart/alternative; boundary=b\n\n--b\n\nplain\n--b\n"
                                    "Content-Type: text/html\n\n<p>html</p>\n--b--\n--a\n"
                                    "Content-Type: message/rfc822\n\nSubject: inner\n\nbody\n--a--\n");
}

void TestMailMessage::brokenMime()
{
    QFETCH(QByteArray, raw);
    MailMessage msg;
    msg.parse(raw);
    for (const MailPart &part : msg.parts()) {
        part.lines();
        part.decodedContent();
    }
    if (QByteArray(QTest::currentDataTag()) == "nested") {
        QCOMPARE(msg.parts().size(), 3);
        QCOMPARE(msg.parts().at(1).lines(), QStringList{"<p>html</p>"});
        QVERIFY(msg.parts().at(2).isAttachment());
        QVERIFY(msg.parts().at(2).decodedContent().contains("Subject: inner"));
    }
}

void TestMailMessage::saveErrors()
{
    MailMessage msg;
    msg.parse(Multipart);
    QTemporaryDir dir;
    const QString path = dir.filePath("missing/dir/a.pdf");
    try {
        msg.parts().at(1).saveTo(path);
        QFAIL("no error");
    } catch (const Exception &e) {
        QVERIFY2(e.message().startsWith("Error saving attachment.\n" + path + ": "), qPrintable(e.message()));
    }
    // A failed save leaves an existing file alone.
    const QString existing = dir.filePath("keep");
    QFile f(existing);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("old");
    f.close();
    QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    bool failed = false;
    try {
        msg.parts().at(1).saveTo(existing);
    } catch (const Exception &) {
        failed = true;
    }
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(f.open(QIODevice::ReadOnly));
    // Root may write anyway; then the new content is there, else the old.
    QCOMPARE(f.readAll(), failed ? QByteArray("old") : QByteArray("\x00\x01\x02\xff", 4));
}

QTEST_GUILESS_MAIN(TestMailMessage)
#include "tst_mailmessage.moc"
