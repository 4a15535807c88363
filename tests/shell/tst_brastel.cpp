#include "ErrorBox.h"
#include "IniFile.h"
#include "ModuleHost.h"
#include "ProgramStart.h"
#include "ServerProcess.h"
#include "TDM.h"
#include "TRzToolbar.h"
#include "TmainForm.h"
#include "ui_TmainForm.h"

#include <QPointer>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

// Brastel end to end: the reference server, the reference login plug-in
// signing the demo user in unattended, the real start-up, the tree, and the
// mailbox module opened from the tree into the host panel.
class TestBrastel : public QObject
{
    Q_OBJECT
private slots:
    void startUpToMailbox();
};

static QTreeWidgetItem *findNode(QTreeWidget *tree, const QString &text)
{
    const QList<QTreeWidgetItem *> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.value(0);
}

void TestBrastel::startUpToMailbox()
{
    QStringList errors;
    ErrorBox::setPresenter([&](ErrorBox::Kind, const QString &, const QString &text) { errors << text; });
    ServerProcess server;
    QVERIFY2(server.start(), qPrintable(server.errorString()));

    // A program directory of its own, laid out as build/bin.
    QTemporaryDir dir;
    const QString bin = QStringLiteral(TREMLIN_BIN_DIR);
    QVERIFY(QFile::link(bin + QStringLiteral("/Login.so"), dir.filePath(QStringLiteral("Login.so"))));
    QVERIFY(QFile::link(bin + QStringLiteral("/Modules"), dir.filePath(QStringLiteral("Modules"))));
    QVERIFY(QFile::copy(bin + QStringLiteral("/CLINFO.DB"), dir.filePath(QStringLiteral("CLINFO.DB"))));
    TIniFile ini(dir.filePath(QStringLiteral("Config.ini")));
    ini.writeString(QStringLiteral("Server"), QStringLiteral("url"), server.baseUrl());
    qputenv("TREMLIN_LOGIN_USER", "demo");
    qputenv("TREMLIN_LOGIN_PASSWORD", "demo");

    TDM dm(dir.path() + QLatin1Char('/'));
    ProgramStart start(&dm);
    QScopedPointer<TmainForm> form(start.signIn());
    QVERIFY2(form, qPrintable(errors.join(QLatin1Char('\n'))));
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.data()));
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));

    QCOMPARE(form->statusText(0), QStringLiteral("欢迎 [演示用户:欢迎使用 Tremlin 开发平台] 登录!"));
    // The sample look of CLINFO.DB.
    Ui::TmainForm *ui = form->form();
    QVERIFY(!ui->imgLogo->picture().isNull());
    QVERIFY(!ui->ImgBackground->picture().isNull());

    // The demo user's tree and bar.
    QTreeWidget *tree = form->tvLeftNav();
    QStringList top;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        top << tree->topLevelItem(i)->text(0);
    QCOMPARE(top, QStringList({QStringLiteral("办公"), QStringLiteral("系统管理")}));
    QTreeWidgetItem *mailbox = findNode(tree, QStringLiteral("邮箱"));
    QVERIFY(mailbox);
    QCOMPARE(mailbox->parent()->text(0), QStringLiteral("办公"));
    QVERIFY(ui->mnToolBar->isVisible());
    QCOMPARE(ui->mnToolBar->controlCount(), 2);

    // Focus alone selects nothing and opens nothing.
    form->activateWindow();
    tree->setFocus(Qt::TabFocusReason);
    QVERIFY(tree->hasFocus());
    QVERIFY(!tree->currentItem());
    QVERIFY(form->statusText(1).isEmpty());

    // A click on the node opens Zaskar inside the host panel.
    tree->expandItem(mailbox->parent());
    const QRect r = tree->visualItemRect(mailbox);
    QVERIFY(r.isValid());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    QCOMPARE(tree->currentItem(), mailbox);
    ModuleHost *host = form->host();
    QVERIFY(host->hostedForm());
    QCOMPARE(host->hostedForm()->parentWidget(), ui->pShowForm);
    QVERIFY(host->hostedForm()->isVisible());
    QVERIFY(host->libraryFile().endsWith(QStringLiteral("Zaskar.so")));
    QCOMPARE(form->statusText(1), QStringLiteral("办公->邮箱"));
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));

    // Collapsing the pane fits the module to the wider panel.
    QTest::keyClick(form->windowHandle(), Qt::Key_F2);
    QTRY_COMPARE(host->hostedForm()->width(), ui->pShowForm->width());

    // Its quick-launch button opens it again, with a new form.
    QPointer<QWidget> first = host->hostedForm();
    QAbstractButton *button = ui->mnToolBar->buttons().first();
    QCOMPARE(button->text(), QStringLiteral("邮箱"));
    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_VERIFY(!first);
    QVERIFY(host->hostedForm());
    QCOMPARE(host->hostedForm()->parentWidget(), ui->pShowForm);

    // Closing releases the module and stores the collapsed pane.
    QVERIFY(form->close());
    QVERIFY(!host->holdsLibrary());
    QCOMPARE(TIniFile(dir.filePath(QStringLiteral("Config.ini"))).readInteger("Local", "NavWidth", -1), 0);
    ErrorBox::setPresenter({});
}

QTEST_MAIN(TestBrastel)
#include "tst_brastel.moc"
