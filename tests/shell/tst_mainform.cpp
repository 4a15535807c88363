#include "ErrorBox.h"
#include "ServerProcess.h"
#include "TRzToolbar.h"
#include "IniFile.h"
#include "TDM.h"
#include "TFramLeftNav.h"
#include "TRzSplitter.h"
#include "TmainForm.h"
#include "ui_TmainForm.h"

#include <QScreen>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

// The main window's own behaviour: keys, the navigation pane, the top bar,
// closing. The window is built as the program builds it.
class TestMainForm : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void keys_data();
    void keys();
    void paneFromSettings_data();
    void paneFromSettings();
    void closeWritesNavWidth();
    void dragByTopBar();
    void welcomeText();
    void barShownOnlyWithButtons_data();
    void barShownOnlyWithButtons();

private:
    TmainForm *makeForm(int navWidth = 230, int navFongSize = 25, const QString &rights = QString());

    ServerProcess m_server;
    QTemporaryDir *m_dir = nullptr;
    TDM *m_dm = nullptr;
    TmainForm *m_form = nullptr;
    QStringList m_errors;
};

void TestMainForm::initTestCase()
{
    QVERIFY2(m_server.start(), qPrintable(m_server.errorString()));
}

void TestMainForm::init()
{
    m_dir = new QTemporaryDir;
    m_errors.clear();
    ErrorBox::setPresenter([this](ErrorBox::Kind, const QString &, const QString &text) { m_errors << text; });
}

void TestMainForm::cleanup()
{
    delete m_form;
    m_form = nullptr;
    delete m_dm;
    m_dm = nullptr;
    delete m_dir;
    ErrorBox::setPresenter({});
}

TmainForm *TestMainForm::makeForm(int navWidth, int navFongSize, const QString &rights)
{
    TIniFile ini(m_dir->filePath(QStringLiteral("Config.ini")));
    ini.writeString(QStringLiteral("Server"), QStringLiteral("url"), m_server.baseUrl());
    ini.writeInteger(QStringLiteral("Local"), QStringLiteral("NavWidth"), navWidth);
    ini.writeInteger(QStringLiteral("Local"), QStringLiteral("NavFongSize"), navFongSize);
    m_dm = new TDM(m_dir->path() + QLatin1Char('/'));
    SignInRecord user;
    user.setTexts(QString(), QString(), QStringLiteral("tail"), QStringLiteral("head"), rights);
    user.setSignedIn(true);
    m_form = new TmainForm(m_dm, user);
    if (!QTest::qWaitForWindowExposed(m_form))
        qWarning("main window not exposed");
    return m_form;
}

void TestMainForm::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("collapsed");
    QTest::addColumn<bool>("topVisible");
    QTest::newRow("F2 collapses the pane") << int(Qt::Key_F2) << int(Qt::NoModifier) << true << true;
    QTest::newRow("Shift+F2 the same") << int(Qt::Key_F2) << int(Qt::ShiftModifier) << true << true;
    QTest::newRow("Ctrl+F2 the same") << int(Qt::Key_F2) << int(Qt::ControlModifier) << true << true;
    QTest::newRow("F3 hides the top bar") << int(Qt::Key_F3) << int(Qt::NoModifier) << false << false;
    QTest::newRow("Alt+F3 the same") << int(Qt::Key_F3) << int(Qt::AltModifier) << false << false;
    QTest::newRow("F4 does neither") << int(Qt::Key_F4) << int(Qt::NoModifier) << false << true;
}

void TestMainForm::keys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, collapsed);
    QFETCH(bool, topVisible);
    TmainForm *f = makeForm();
    Ui::TmainForm *ui = f->form();
    // The key goes to the window as the window system delivers it, whatever control has focus.
    f->tvLeftNav()->setFocus();
    QTest::keyClick(f->windowHandle(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(ui->RzSplitter1->isCollapsed(), collapsed);
    QCOMPARE(ui->pTop->isVisible(), topVisible);
    // A second press undoes the first.
    QTest::keyClick(f->windowHandle(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY(!ui->RzSplitter1->isCollapsed());
    QVERIFY(ui->pTop->isVisible());
    QCOMPARE(ui->RzSplitter1->position(), 230);
}

void TestMainForm::paneFromSettings_data()
{
    QTest::addColumn<int>("navWidth");
    QTest::addColumn<int>("navFongSize");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("afterF2");
    QTest::addColumn<int>("itemHeight");
    QTest::newRow("NavWidth 0 starts collapsed, F2 gives 243") << 0 << 25 << 0 << 243 << 25;
    QTest::newRow("negative NavWidth the same") << -5 << 25 << 0 << 243 << 25;
    QTest::newRow("NavWidth 300") << 300 << 20 << 300 << 0 << 20;
    QTest::newRow("NavFongSize 5 gives 20") << 230 << 5 << 230 << 0 << 20;
}

void TestMainForm::paneFromSettings()
{
    QFETCH(int, navWidth);
    QFETCH(int, navFongSize);
    QFETCH(int, position);
    QFETCH(int, afterF2);
    QFETCH(int, itemHeight);
    TmainForm *f = makeForm(navWidth, navFongSize);
    Ui::TmainForm *ui = f->form();
    QCOMPARE(ui->RzSplitter1->position(), position);
    QCOMPARE(ui->RzSplitter1->isCollapsed(), position == 0);
    QCOMPARE(ui->mainLeftNav->itemHeight(), itemHeight);
    auto *item = new QTreeWidgetItem(f->tvLeftNav(), {QStringLiteral("节点")});
    QCOMPARE(f->tvLeftNav()->visualItemRect(item).height(), itemHeight);
    QTest::keyClick(f->windowHandle(), Qt::Key_F2);
    QCOMPARE(ui->RzSplitter1->position(), afterF2);
}

void TestMainForm::closeWritesNavWidth()
{
    const QString config = m_dir->filePath(QStringLiteral("Config.ini"));
    {
        QFile file(config);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("; own comment\n[Server]\nurl=" + m_server.baseUrl().toLatin1()
                   + "\n[Local]\nNavWidth=230\nNavFongSize=30\nfile=CLINFO.DB\n");
    }
    TmainForm *f = makeForm(230, 30);
    f->form()->RzSplitter1->setPosition(275);
    QVERIFY(f->close());
    TIniFile ini(config);
    QCOMPARE(ini.readInteger("Local", "NavWidth", -1), 275);
    QCOMPARE(ini.readString("Server", "url", QString()), m_server.baseUrl());
    QCOMPARE(ini.readString("Local", "file", QString()), QStringLiteral("CLINFO.DB"));
    QCOMPARE(ini.readInteger("Local", "NavFongSize", -1), 30);
    QFile file(config);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("; own comment\n"));

    // Collapsed when closed: 0, and the next start begins collapsed.
    delete m_form;
    m_form = nullptr;
    f = makeForm(275, 30);
    QTest::keyClick(f->windowHandle(), Qt::Key_F2);
    QVERIFY(f->close());
    QCOMPARE(TIniFile(config).readInteger("Local", "NavWidth", -1), 0);
    QVERIFY(m_errors.isEmpty());
}

void TestMainForm::dragByTopBar()
{
    TmainForm *f = makeForm();
    Ui::TmainForm *ui = f->form();
    QWindow *win = f->windowHandle();
    f->move(20, 20);
    QTRY_COMPARE(f->pos(), QPoint(20, 20));
    const QPoint start = f->pos();
    // Press on the middle picture, move by (30, 20), release. Window
    // coordinates: once the window has followed, the cursor is back at p.
    const QPoint p = ui->imgTopBgGround->mapTo(f, QPoint(10, 10));
    QTest::mousePress(win, Qt::LeftButton, Qt::NoModifier, p);
    QTest::mouseMove(win, p + QPoint(30, 20));
    QTRY_COMPARE(f->pos(), start + QPoint(30, 20));
    QTest::mouseRelease(win, Qt::LeftButton, Qt::NoModifier, p);
    QCOMPARE(f->pos(), start + QPoint(30, 20));
    // A move without a pressed button does nothing.
    QTest::mouseMove(win, p + QPoint(60, 60));
    QCOMPARE(f->pos(), start + QPoint(30, 20));
    // Maximised: no dragging.
    f->showMaximized();
    const QPoint maxPos = f->screen()->availableGeometry().topLeft();
    QTRY_COMPARE(f->pos(), maxPos);
    const QPoint q = ui->imgLogo->mapTo(f, QPoint(10, 10));
    QTest::mousePress(win, Qt::LeftButton, Qt::NoModifier, q);
    QTest::mouseMove(win, q + QPoint(30, 20));
    QTest::mouseRelease(win, Qt::LeftButton, Qt::NoModifier, q + QPoint(30, 20));
    QCOMPARE(f->pos(), maxPos);
    // Double click on the bar: still maximised, nothing else happens.
    QTest::mouseDClick(win, Qt::LeftButton, Qt::NoModifier, q);
    QVERIFY(f->isMaximized());
}

void TestMainForm::welcomeText()
{
    TmainForm *f = makeForm();
    QCOMPARE(f->statusText(0), QStringLiteral("欢迎 [head:tail] 登录!"));
}

void TestMainForm::barShownOnlyWithButtons_data()
{
    QTest::addColumn<QString>("rights");
    QTest::addColumn<int>("buttons");
    // Rows 10 and 11 of the demo catalogue are on the bar.
    QTest::newRow("no rights") << QString() << 0;
    QTest::newRow("only a group") << QStringLiteral("md1") << 0;
    QTest::newRow("one button") << QStringLiteral("md1,md10,md101") << 1;
    QTest::newRow("two buttons") << QStringLiteral("md1 md10 md11") << 2;
}

void TestMainForm::barShownOnlyWithButtons()
{
    QFETCH(QString, rights);
    QFETCH(int, buttons);
    TmainForm *f = makeForm(230, 25, rights);
    TRzToolbar *bar = f->form()->mnToolBar;
    QCOMPARE(bar->controlCount(), buttons);
    QCOMPARE(bar->isVisible(), buttons > 0);
    QCOMPARE(bar->buttonHeight(), 51);
    QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join(QLatin1Char('\n'))));
    if (buttons > 0) {
        // Side by side from the left edge, inside the bar.
        QAbstractButton *first = bar->buttons().first();
        QCOMPARE(first->x(), 0);
        QVERIFY(bar->rect().contains(first->geometry()));
        QCOMPARE(first->text(), QStringLiteral("邮箱"));
    }
}

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
