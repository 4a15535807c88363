#include "EntryPoints.h"
#include "ErrorBox.h"
#include "ModuleHost.h"
#include "ServerProcess.h"
#include "TRzToolbar.h"
#include "IniFile.h"
#include "TDM.h"
#include "TFramLeftNav.h"
#include "TRzSplitter.h"
#include "TmainForm.h"
#include "ui_TmainForm.h"

#include "TIBDatabase.h"
#include "TIBSQL.h"
#include "TIBTransaction.h"

#include <QBuffer>
#include <QProcess>
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
    void closeWaitsForABusyModule();
    void dragByTopBar();
    void welcomeText();
    void barShownOnlyWithButtons_data();
    void barShownOnlyWithButtons();
    void appearance_data();
    void appearance();

private:
    TmainForm *makeForm(int navWidth = 230, int navFongSize = 25, const QString &rights = QString());

    // A fresh CLINFO.DB with its row, changed by (column, value) pairs; an
    // invalid QVariant sets NULL; "delete" empties the table.
    QString makeDatabase(const QVariantList &changes);

    ServerProcess m_server;
    QTemporaryDir m_templateDir;
    QTemporaryDir *m_dir = nullptr;
    TDM *m_dm = nullptr;
    TmainForm *m_form = nullptr;
    QStringList m_errors;
};

void TestMainForm::initTestCase()
{
    QVERIFY2(m_server.start(), qPrintable(m_server.errorString()));
    QProcess create;
    create.start(QStringLiteral(TREMLIN_BIN_DIR "/clinfo-create"), {m_templateDir.filePath(QStringLiteral("CLINFO.DB"))});
    QVERIFY(create.waitForFinished(60000));
    QVERIFY2(create.exitCode() == 0, create.readAllStandardError().constData());
}

QString TestMainForm::makeDatabase(const QVariantList &changes)
{
    const QString file = m_dir->filePath(QStringLiteral("CLINFO.DB"));
    QFile::remove(file);
    if (!QFile::copy(m_templateDir.filePath(QStringLiteral("CLINFO.DB")), file))
        return QString();
    TIBDatabase db;
    TIBTransaction tr;
    db.setDefaultTransaction(&tr);
    tr.setDefaultDatabase(&db);
    db.setDatabaseName(file);
    db.params() << QStringLiteral("user_name=SYSDBA") << QStringLiteral("password=quillbark");
    TIBSQL sql(&db, &tr);
    for (int i = 0; i + 1 < changes.size(); i += 2) {
        const QString column = changes.at(i).toString();
        const QVariant value = changes.at(i + 1);
        if (column == QLatin1String("delete")) {
            sql.setSQL(QStringLiteral("delete from client_info"));
        } else {
            sql.setSQL(QStringLiteral("update client_info set %1 = :v where id = 1").arg(column));
            if (!value.isValid())
                sql.setParamNull(QStringLiteral("v"));
            else if (value.type() == QVariant::ByteArray)
                sql.setParamBlob(QStringLiteral("v"), value.toByteArray());
            else if (value.type() == QVariant::Int)
                sql.setParamInteger(QStringLiteral("v"), value.toInt());
            else
                sql.setParamString(QStringLiteral("v"), value.toString());
        }
        sql.execQuery();
    }
    if (tr.inTransaction())
        tr.commit();
    db.close();
    return file;
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
    if (!QFile::exists(m_dir->filePath(QStringLiteral("CLINFO.DB"))))
        makeDatabase({"delete", 0}); // the design look
    TIniFile ini(m_dir->filePath(QStringLiteral("Config.ini")));
    ini.writeString(QStringLiteral("Server"), QStringLiteral("url"), m_server.baseUrl());
    ini.writeInteger(QStringLiteral("Local"), QStringLiteral("NavWidth"), navWidth);
    ini.writeInteger(QStringLiteral("Local"), QStringLiteral("NavFongSize"), navFongSize);
    m_dm = new TDM(m_dir->path() + QLatin1Char('/'));
    SignInRecord user;
    user.setTexts(QString(), QString(), QStringLiteral("tail"), QStringLiteral("head"), rights);
    user.setSignedIn(true);
    m_form = new TmainForm(m_dm, user);
    m_form->show();
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
                   + "\n[Local]\nNavWidth=230\nNavFongSize=30\nfile=" + m_dir->filePath("CLINFO.DB").toUtf8() + "\n");
    }
    TmainForm *f = makeForm(230, 30);
    f->form()->RzSplitter1->setPosition(275);
    QVERIFY(f->close());
    TIniFile ini(config);
    QCOMPARE(ini.readInteger("Local", "NavWidth", -1), 275);
    QCOMPARE(ini.readString("Server", "url", QString()), m_server.baseUrl());
    QCOMPARE(ini.readString("Local", "file", QString()), m_dir->filePath("CLINFO.DB"));
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

void TestMainForm::closeWaitsForABusyModule()
{
    QVERIFY(QFile::link(QStringLiteral(TREMLIN_BIN_DIR "/Modules"), m_dir->filePath(QStringLiteral("Modules"))));
    TmainForm *f = makeForm(230, 25, QStringLiteral("md1,md10"));
    QTreeWidget *tree = f->tvLeftNav();
    QVERIFY(tree);
    const QList<QTreeWidgetItem *> mailbox = tree->findItems(QStringLiteral("邮箱"), Qt::MatchExactly | Qt::MatchRecursive);
    QCOMPARE(mailbox.size(), 1);
    tree->setCurrentItem(mailbox.first());
    QPointer<QWidget> module = f->host()->hostedForm();
    QVERIFY(module);

    // The module's own call runs (its loop lets the close request through).
    module->setProperty(EntryPoints::BusyProperty, true);
    QVERIFY(!f->close());
    QTest::qWait(120);
    QVERIFY(f->isVisible());
    QVERIFY(module);
    module->setProperty(EntryPoints::BusyProperty, false);
    QTRY_VERIFY(!f->isVisible());
    QVERIFY(!f->host() || !f->host()->holdsLibrary());
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

static QByteArray imageFile(const char *format, QColor colour = Qt::darkCyan)
{
    QImage img(30, 20, QImage::Format_RGB32);
    img.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, format);
    return bytes;
}

void TestMainForm::appearance_data()
{
    QTest::addColumn<QVariantList>("changes");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("maximised");
    QTest::addColumn<int>("topHeight"); // -1: top bar hidden
    QTest::addColumn<bool>("frameless");
    QTest::addColumn<bool>("logo");
    QTest::addColumn<QString>("error"); // part of the one error shown, empty: none
    const QString design = QStringLiteral("Brastel");
    const QVariant null;
    const QByteArray bmp = imageFile("BMP"), jpeg = imageFile("JPG"), png = imageFile("PNG");
    // The created row is all NULL: top bar hidden ("top_open" NULL is 0).
    QTest::newRow("row of NULLs") << QVariantList{} << design << false << -1 << false << false << QString();
    QTest::newRow("empty table: design look")
        << QVariantList{"delete", 0} << design << false << 41 << false << false << QString();
    QTest::newRow("Form_State 1 maximises") << QVariantList{"form_state", 1} << design << true << -1 << false
                                            << false << QString();
    QTest::newRow("Form_State 2 stays normal") << QVariantList{"form_state", 2} << design << false << -1 << false
                                               << false << QString();
    QTest::newRow("top_open 2 keeps 41") << QVariantList{"top_open", 2, "top_height", 90} << design << false << 41
                                         << false << false << QString();
    QTest::newRow("top_open 1 takes TOP_HEIGHT") << QVariantList{"top_open", 1, "top_height", 90} << design << false
                                                 << 90 << false << false << QString();
    QTest::newRow("top_open 1, TOP_HEIGHT NULL: 0") << QVariantList{"top_open", 1, "top_height", null} << design
                                                    << false << 0 << false << false << QString();
    QTest::newRow("caption of blanks") << QVariantList{"sys_caption", "   "} << design << false << -1 << false
                                       << false << QString();
    QTest::newRow("caption keeps its trailing blank") << QVariantList{"sys_caption", "演示系统 "}
                                                      << QStringLiteral("演示系统 ") << false << -1 << false
                                                      << false << QString();
    QTest::newRow("JPEG logo through the fallback") << QVariantList{"logo", jpeg} << design << false << -1 << false
                                                    << true << QString();
    QTest::newRow("BMP logo") << QVariantList{"logo", bmp} << design << false << -1 << false << true << QString();
    // Columns before the PNG (caption, state, top bar) apply; Form_Style after it does not.
    QTest::newRow("PNG logo stops the step")
        << QVariantList{"sys_caption", "先", "top_open", 1, "top_height", 60, "logo", png, "form_style", 1,
                        "top_right", bmp}
        << QStringLiteral("先") << false << 60 << false << false << QStringLiteral("Logo");
    QTest::newRow("Form_Style 1 frameless") << QVariantList{"form_style", 1, "top_open", 1, "top_height", 50}
                                            << design << false << 50 << true << false << QString();
    QTest::newRow("Form_Style 1 maximised")
        << QVariantList{"form_style", 1, "form_state", 1, "top_open", 2} << design << true << 41 << true << false
        << QString();
}

void TestMainForm::appearance()
{
    QFETCH(QVariantList, changes);
    QFETCH(QString, caption);
    QFETCH(bool, maximised);
    QFETCH(int, topHeight);
    QFETCH(bool, frameless);
    QFETCH(bool, logo);
    QFETCH(QString, error);
    QVERIFY(!makeDatabase(changes).isEmpty());
    QCoreApplication::setApplicationName(QStringLiteral("Brastel"));
    TmainForm *f = makeForm();
    Ui::TmainForm *ui = f->form();
    QTRY_COMPARE(f->isMaximized(), maximised);

    QCOMPARE(f->windowTitle(), caption);
    QCOMPARE(ui->pTop->isVisible(), topHeight >= 0);
    if (topHeight >= 0)
        QCOMPARE(ui->pTop->height(), topHeight);
    QCOMPARE(bool(f->windowFlags() & Qt::FramelessWindowHint), frameless);
    QCOMPARE(ui->btnClose->isVisible(), frameless);
    if (frameless) {
        QCOMPARE(ui->btnClose->geometry(), QRect(ui->pTop->width() - 49, 0, 49, 21));
        QCOMPARE(ui->btnClose->mapTo(f, QPoint(49, 0)).x(), f->width());
    }
    QCOMPARE(!ui->imgLogo->picture().isNull(), logo);
    if (logo)
        QCOMPARE(ui->imgLogo->picture().size(), QSize(30, 20));
    // The window is open and usable whatever failed.
    QVERIFY(f->isVisible());
    QCOMPARE(f->statusText(0), QStringLiteral("欢迎 [head:tail] 登录!"));
    if (error.isEmpty()) {
        QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join(QLatin1Char('\n'))));
    } else {
        QCOMPARE(m_errors.size(), 1);
        QVERIFY2(m_errors.first().contains(error), qPrintable(m_errors.first()));
        QVERIFY(ui->ImgRight->picture().isNull());
    }
    if (frameless) {
        // The window's own close button closes it, storing the pane's width.
        QTest::mouseClick(ui->btnClose, Qt::LeftButton);
        QVERIFY(!f->isVisible());
        QCOMPARE(TIniFile(m_dir->filePath(QStringLiteral("Config.ini"))).readInteger("Local", "NavWidth", -1), 230);
    }
}

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
