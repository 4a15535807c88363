#include "ErrorBox.h"
#include "TEmailContentForm.h"
#include "TRzSplitter.h"

#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

using namespace zaskar;

namespace {

struct Attachment {
    QByteArray name;
    QByteArray content;
};

// A multipart message (CRLF) with an optional text part and attachments in order.
QByteArray message(const QByteArray &extraHeaders, const QByteArray &text, const QList<Attachment> &attachments,
                   bool textFirst = true)
{
    QByteArray m = "From: =?gb2312?B?1tDOxA==?= <zhang@example.cn>\n"
                   "To: li@example.cn, =?gb2312?B?1tA=?= <wang@example.cn>\n"
                   "Subject: =?gb2312?B?1tDOxA==?= report\n" + extraHeaders +
                   "MIME-Version: 1.0\nContent-Type: multipart/mixed; boundary=\"BB\"\n\n";
    const QByteArray textPart = "--BB\nContent-Type: text/plain; charset=utf-8\n\n" + text + "\n";
    if (textFirst && !text.isEmpty())
        m += textPart;
    for (const Attachment &a : attachments)
        m += "--BB\nContent-Type: application/octet-stream\nContent-Disposition: attachment; filename=\"" + a.name +
             "\"\nContent-Transfer-Encoding: base64\n\n" + a.content.toBase64() + "\n";
    if (!textFirst && !text.isEmpty())
        m += textPart;
    m += "--BB--\n";
    return m.replace("\n", "\r\n");
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class TestEmailContentForm : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void textAndTwoAttachments();
    void noAttachment();
    void plainMessageBodyShown();
    void attachmentFirstIsSavable();
    void namesDifferingInCaseSaveTheFirst();
    void dialogRequests_data();
    void dialogRequests();
    void oneDialogPerSelectedRow();
    void saveErrorStopsTheRest();
    void nothingSelected();

private:
    void fill(const QByteArray &raw);
    QTreeWidget *list() const { return m_form->findChild<QTreeWidget *>("lvMessageParts"); }
    QString label(const char *name) const { return m_form->findChild<QLabel *>(name)->text(); }
    void selectRows(const QList<int> &rows);

    std::unique_ptr<TEmailContentForm> m_form;
    QList<TEmailContentForm::SaveRequest> m_requests;
    QStringList m_answers; // paths the fake dialog returns, in order ("" = cancel)
    QStringList m_errors;
    QTemporaryDir m_dir;
};

void TestEmailContentForm::init()
{
    m_requests.clear();
    m_answers.clear();
    m_errors.clear();
    TEmailContentForm::setSaveDialogHook([this](QWidget *, const TEmailContentForm::SaveRequest &r) {
        m_requests << r;
        return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
    });
    ErrorBox::setPresenter([this](ErrorBox::Kind, const QString &, const QString &text) { m_errors << text; });
    m_form = std::make_unique<TEmailContentForm>();
}

void TestEmailContentForm::cleanup()
{
    m_form.reset();
    TEmailContentForm::setSaveDialogHook({});
    ErrorBox::setPresenter({});
}

void TestEmailContentForm::fill(const QByteArray &raw)
{
    m_form->Prepare();
    m_form->Msg().parse(raw);
    m_form->FillHeaders();
    m_form->FillBody();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void TestEmailContentForm::selectRows(const QList<int> &rows)
{
    list()->clearSelection();
    for (int r : rows)
        list()->topLevelItem(r)->setSelected(true);
}

void TestEmailContentForm::textAndTwoAttachments()
{
    fill(message("Cc: =?gb2312?B?1tA=?= <c@example.cn>\nDate: Tue, 01 Dec 2026 08:30:15 +0000\n"
                 "X-Priority: 1\nOrganization: Example Ltd\nDisposition-Notification-To: zhang@example.cn\n",
                 "Hello\nsecond line", {{"=?gb2312?B?1tDOxA==?=.doc", "one"}, {"b.pdf", "two"}}));
    QCOMPARE(m_form->windowTitle(), QString::fromUtf8("阅读邮件"));
    QCOMPARE(m_form->findChild<QPlainTextEdit *>("Memo1")->toPlainText(), QStringLiteral("Hello\nsecond line"));
    QCOMPARE(list()->topLevelItemCount(), 2);
    QCOMPARE(list()->topLevelItem(0)->text(0), QString::fromUtf8("中文.doc"));
    QCOMPARE(list()->topLevelItem(0)->text(1), QStringLiteral("application/octet-stream"));
    QCOMPARE(list()->topLevelItem(1)->text(0), QStringLiteral("b.pdf"));
    QVERIFY(m_form->findChild<QWidget *>("pnlAttachments")->isVisible());
    QVERIFY(!m_form->findChild<TRzSplitter *>("RzSplitter1")->isCollapsed());

    QCOMPARE(label("From"), QString::fromUtf8("中文<zhang@example.cn>"));
    // Recipients are shown as they came; Cc and subject are decoded.
    QCOMPARE(label("Recipients"), QStringLiteral("li@example.cn, =?gb2312?B?1tA=?= <wang@example.cn>"));
    QCOMPARE(label("Cc"), QString::fromUtf8("中<c@example.cn>"));
    QCOMPARE(label("Subject"), QString::fromUtf8("中文report"));
    const QDateTime local = QDateTime(QDate(2026, 12, 1), QTime(8, 30, 15), Qt::UTC).toLocalTime();
    QCOMPARE(label("Date"), QLocale().toString(local, "dd MMM yyyy HH:mm:ss"));
    QCOMPARE(label("Priority"), QStringLiteral("1"));
    QCOMPARE(label("Receipt"), QStringLiteral("zhang@example.cn"));
    QCOMPARE(label("Organization"), QStringLiteral("Example Ltd"));
    QCOMPARE(m_form->FindAttachment(QString::fromUtf8("中文.DOC")), 1);
    QCOMPARE(m_form->FindAttachment("nothing"), -1);
}

void TestEmailContentForm::noAttachment()
{
    fill(message("Cc: \n", "only text", {}));
    QVERIFY(!m_form->findChild<QWidget *>("pnlAttachments")->isVisible());
    auto *splitter = m_form->findChild<TRzSplitter *>("RzSplitter1");
    QVERIFY(splitter->isCollapsed());
    QCOMPARE(m_form->findChild<QPlainTextEdit *>("Memo1")->width(), splitter->width());
    QCOMPARE(label("Priority"), QStringLiteral("3"));
    QCOMPARE(label("Cc"), QString());
    QCOMPARE(label("Date"), QString());
}

void TestEmailContentForm::plainMessageBodyShown()
{
    fill("From: a@example.com\r\nSubject: plain\r\n\r\nbody line\r\n");
    QCOMPARE(m_form->findChild<QPlainTextEdit *>("Memo1")->toPlainText(), QStringLiteral("body line"));
    // A second fill through Prepare starts from empty.
    fill(message("", "", {{"x.bin", "x"}}));
    QCOMPARE(m_form->findChild<QPlainTextEdit *>("Memo1")->toPlainText(), QString());
    QCOMPARE(list()->topLevelItemCount(), 1);
}

void TestEmailContentForm::attachmentFirstIsSavable()
{
    fill(message("", "text after", {{"first.txt", "payload"}}, false));
    QCOMPARE(list()->topLevelItem(0)->text(0), QStringLiteral("first.txt"));
    QCOMPARE(m_form->FindAttachment("first.txt"), 0);
    selectRows({0});
    m_answers << m_dir.filePath("first.txt");
    m_form->Button1Click();
    QCOMPARE(readFile(m_dir.filePath("first.txt")), QByteArray("payload"));
    QVERIFY(m_errors.isEmpty());
}

void TestEmailContentForm::namesDifferingInCaseSaveTheFirst()
{
    fill(message("", "t", {{"Report.txt", "first"}, {"REPORT.txt", "second"}}));
    selectRows({1});
    m_answers << m_dir.filePath("out.txt");
    m_form->Button1Click();
    QCOMPARE(readFile(m_dir.filePath("out.txt")), QByteArray("first"));
    QCOMPARE(m_requests.size(), 1);
    QCOMPARE(m_requests.at(0).fileName, QStringLiteral("Report.txt"));
}

void TestEmailContentForm::dialogRequests_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("ext");
    QTest::newRow("extension") << QByteArray("a.tar.gz") << "a.tar.gz" << ".gz";
    QTest::newRow("no extension") << QByteArray("README") << "README" << "";
    QTest::newRow("encoded word") << QByteArray("=?gb2312?B?1tDOxA==?=.xls") << QString::fromUtf8("中文.xls") << ".xls";
    QTest::newRow("path") << QByteArray("../../etc/evil.sh") << "evil.sh" << ".sh";
    QTest::newRow("backslash path") << QByteArray("C:\\\\temp\\\\x.bat") << "x.bat" << ".bat";
    QTest::newRow("control characters") << QByteArray("=?utf-8?Q?a=0D=0Ab=09.txt?=") << "ab.txt" << ".txt";
}

void TestEmailContentForm::dialogRequests()
{
    QFETCH(QByteArray, name);
    QFETCH(QString, fileName);
    QFETCH(QString, ext);
    fill(message("", "t", {{name, "data"}}));
    selectRows({0});
    m_form->Button1Click(); // the fake dialog cancels
    QCOMPARE(m_requests.size(), 1);
    QCOMPARE(m_requests.at(0).fileName, fileName);
    QCOMPARE(m_requests.at(0).defaultExt, ext);
    QCOMPARE(m_requests.at(0).filter, QString::fromUtf8("所有文件|*.*|*") + ext + "|*" + ext);
    QVERIFY(m_errors.isEmpty());
}

void TestEmailContentForm::oneDialogPerSelectedRow()
{
    fill(message("", "t", {{"a.txt", "A"}, {"b.txt", "B"}, {"skip.txt", "S"}, {"c.txt", "C"}}));
    selectRows({3, 0, 1});
    m_answers << m_dir.filePath("1") << QString() << m_dir.filePath("3");
    m_form->Button1Click();
    QCOMPARE(m_requests.size(), 3);
    QCOMPARE(m_requests.at(0).fileName, QStringLiteral("a.txt"));
    QCOMPARE(m_requests.at(1).fileName, QStringLiteral("b.txt"));
    QCOMPARE(m_requests.at(2).fileName, QStringLiteral("c.txt"));
    QCOMPARE(readFile(m_dir.filePath("1")), QByteArray("A"));
    QCOMPARE(readFile(m_dir.filePath("3")), QByteArray("C"));
}

void TestEmailContentForm::saveErrorStopsTheRest()
{
    fill(message("", "t", {{"a.txt", "A"}, {"b.txt", "B"}}));
    selectRows({0, 1});
    m_answers << m_dir.filePath("no/such/dir/a.txt") << m_dir.filePath("b.txt");
    m_form->Button1Click();
    QCOMPARE(m_errors.size(), 1);
    QVERIFY2(m_errors.at(0).startsWith("Error saving attachment."), qPrintable(m_errors.at(0)));
    QVERIFY(m_errors.at(0).contains("no/such/dir/a.txt"));
    QCOMPARE(m_requests.size(), 1);
    QVERIFY(!QFile::exists(m_dir.filePath("b.txt")));
}

void TestEmailContentForm::nothingSelected()
{
    fill(message("", "t", {{"a.txt", "A"}}));
    m_form->Button1Click();
    QVERIFY(m_requests.isEmpty());
    QVERIFY(m_errors.isEmpty());
}

QTEST_MAIN(TestEmailContentForm)
#include "tst_emailcontentform.moc"
