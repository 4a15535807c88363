#include "OvidoFixture.h"
#include "OvidoProgram.h"
#include "TDM.h"
#include "TLoginForm.h"
#include "TcompInfoForm.h"
#include "TicoForm.h"
#include "TmainForm.h"
#include "TsubMainForm.h"
#include "ui_TcompInfoForm.h"
#include "ui_TicoForm.h"
#include "ui_TmainForm.h"

#include <QtTest>

// The tool's shell: settings, page switching and the two simple pages.
class TestOvidoShell : public QObject
{
    Q_OBJECT
private slots:
    void dataModuleSettings_data();
    void dataModuleSettings();
    void fileInSubDirectoryOpens();
    void startState();
    void pageSwitching();
    void companyTexts_data();
    void companyTexts();
    void companyWithoutRow();
    void iconPage();
    void missingDatabase();
};

static QTreeWidgetItem *node(TmainForm *form, int absolute)
{
    QTreeWidgetItem *root = form->ui()->TreeView1->topLevelItem(0);
    return absolute == 0 ? root : root->child(absolute - 1);
}

static void choose(TmainForm *form, int absolute)
{
    form->ui()->TreeView1->setCurrentItem(node(form, absolute));
}

static QWidget *frontPage(TmainForm *form)
{
    // The page on top is the last child in stacking order.
    QWidget *top = nullptr;
    for (QObject *o : form->ui()->panelShow->children()) {
        if (o->isWidgetType() && static_cast<QWidget *>(o)->isVisible())
            top = static_cast<QWidget *>(o);
    }
    return top;
}

void TestOvidoShell::dataModuleSettings_data()
{
    QTest::addColumn<QString>("config");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("password");
    QTest::newRow("no Config.ini") << QString() << "CLINFO.DB" << "quillbark";
    QTest::newRow("keys in other case") << "[local]\npwd=abc\nFILE=x.db\n" << "x.db" << "abc";
    QTest::newRow("sub-directory") << "[Local]\nfile=data/my.db\n" << "data/my.db" << "quillbark";
    QTest::newRow("full path still prefixed") << "[Local]\nfile=/srv/my.db\n" << "/srv/my.db" << "quillbark";
}

void TestOvidoShell::dataModuleSettings()
{
    QFETCH(QString, config);
    QFETCH(QString, file);
    QFETCH(QString, password);
    OvidoFixture f;
    if (!config.isEmpty())
        f.writeConfig(config);
    TDM dm(f.dir());
    QCOMPARE(dm.databaseName(), f.dir() + file);
    QCOMPARE(dm.params(), QStringList({"user_name=SYSDBA", "password=" + password}));
}

void TestOvidoShell::fileInSubDirectoryOpens()
{
    OvidoFixture f;
    f.createDatabase("data/look.db");
    f.writeConfig("[Local]\nfile=data/look.db\n");
    TcompInfoForm *page = f.start().compInfoForm();
    page->ui()->Edit1->setText("出版商");
    QTest::mouseClick(page->ui()->BitBtn1, Qt::LeftButton);
    QCOMPARE(f.value("CLIENT_INFO", "COPYRIGHT").toString(), QString("出版商"));
}

void TestOvidoShell::startState()
{
    OvidoFixture f;
    OvidoProgram &p = f.start();
    TmainForm *form = p.mainForm();
    QCOMPARE(form->windowTitle(), QString("Tremlin开发平台数据库配置工具"));
    QCOMPARE(form->size(), QSize(1097, 605));
    QCOMPARE(form->minimumSize(), form->maximumSize());
    QCOMPARE(form->ui()->BitBtn3->text(), QString("关闭"));
    QTreeWidgetItem *root = node(form, 0);
    QCOMPARE(root->text(0), QString("应用程序"));
    QStringList children;
    for (int i = 0; i < root->childCount(); ++i)
        children << root->child(i)->text(0);
    QCOMPARE(children, QStringList({"图标", "登录", "主界面", "发布信息"}));
    for (int i = 0; i <= 4; ++i)
        QCOMPARE(TmainForm::absoluteIndex(node(form, i)), i);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    QCOMPARE(form->ui()->RzSplitter1->position(), 202);
    QVERIFY(!form->ui()->TreeView1->currentItem());
    QVERIFY(!frontPage(form));
    QVERIFY(!p.subMainForm()->isVisible());
    QTest::mouseClick(form->ui()->BitBtn3, Qt::LeftButton);
    QVERIFY(!form->isVisible());
}

void TestOvidoShell::pageSwitching()
{
    OvidoFixture f;
    f.createDatabase();
    f.exec("UPDATE CLIENT_INFO SET FORM_STATE = 1, TOP_OPEN = 1 WHERE ID = 1");
    OvidoProgram &p = f.start();
    TmainForm *form = p.mainForm();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));

    choose(form, 1);
    QCOMPARE(frontPage(form), p.icoForm());
    QCOMPARE(p.icoForm()->windowTitle(), QString("图标"));
    QCOMPARE(p.icoForm()->geometry(), form->ui()->panelShow->rect());
    p.icoForm()->ui()->edtIco->setText("/some/typed.ico");

    // The root keeps whatever the panel shows.
    choose(form, 0);
    QCOMPARE(frontPage(form), p.icoForm());

    choose(form, 3);
    QCOMPARE(frontPage(form), p.subMainForm());
    QCOMPARE(p.subMainForm()->windowTitle(), QString("主界面"));
    QVERIFY(p.icoForm()->isVisible()); // behind, never hidden
    choose(form, 1);
    QCOMPARE(frontPage(form), p.icoForm());
    QCOMPARE(p.icoForm()->ui()->edtIco->text(), QString("/some/typed.ico"));
    // The main-window page loaded once: FORM_STATE 1 written back a single time.
    choose(form, 3);
    QCOMPARE(f.updates.size(), 1);
    QCOMPARE(f.updates.at(0).first, QString("Update CLIENT_INFO Set FORM_STATE = :iFlg where id=:sid"));

    // The front page covers the pages behind it.
    choose(form, 2);
    QCOMPARE(frontPage(form), p.loginForm());
    const QImage panel = form->ui()->panelShow->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage alone = p.loginForm()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(panel, alone);

    choose(form, 4);
    QCOMPARE(frontPage(form), p.compInfoForm());
    QCOMPARE(p.compInfoForm()->windowTitle(), QString("厂商信息"));
    QVERIFY(f.boxes.isEmpty());
}

void TestOvidoShell::companyTexts_data()
{
    QTest::addColumn<bool>("caption"); // Edit2/BitBtn2, else Edit1/BitBtn1
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QVariant>("stored");
    QTest::newRow("name trimmed") << true << "  \t我的应用 \n" << QVariant("我的应用");
    QTest::newRow("publisher trimmed") << false << "  出版商 Ltd  " << QVariant("出版商 Ltd");
    QTest::newRow("blank name") << true << " \t " << QVariant();
    QTest::newRow("empty publisher") << false << "" << QVariant();
}

void TestOvidoShell::companyTexts()
{
    QFETCH(bool, caption);
    QFETCH(QString, typed);
    QFETCH(QVariant, stored);
    OvidoFixture f;
    f.createDatabase();
    TcompInfoForm *page = f.start().compInfoForm();
    QCOMPARE(page->ui()->Edit1->text(), QString());
    (caption ? page->ui()->Edit2 : page->ui()->Edit1)->setText(typed);
    QTest::mouseClick(caption ? page->ui()->BitBtn2 : page->ui()->BitBtn1, Qt::LeftButton);
    const QVariant value = f.value("CLIENT_INFO", caption ? "SYS_CAPTION" : "COPYRIGHT");
    if (stored.isValid()) {
        QCOMPARE(value.toString(), stored.toString());
        QCOMPARE(f.boxes.size(), 1);
        QVERIFY(!f.boxes.at(0).error);
        QCOMPARE(f.boxes.at(0).caption, QString("提示"));
        QCOMPARE(f.boxes.at(0).text, QString("成功！"));
    } else {
        QVERIFY(value.isNull());
        QVERIFY(f.boxes.isEmpty());
        QVERIFY(f.updates.isEmpty());
    }
}

void TestOvidoShell::companyWithoutRow()
{
    OvidoFixture f;
    f.createDatabase();
    f.exec("DELETE FROM CLIENT_INFO");
    TcompInfoForm *page = f.start().compInfoForm();
    page->ui()->Edit1->setText("x");
    QTest::mouseClick(page->ui()->BitBtn1, Qt::LeftButton);
    QCOMPARE(f.boxes.size(), 1);
    QCOMPARE(f.boxes.at(0).text, QString("成功！"));
}

void TestOvidoShell::iconPage()
{
    OvidoFixture f;
    f.createDatabase();
    TicoForm *page = f.start().icoForm();
    const QByteArray iconBytes = OvidoFixture::iconBytes();
    const QString icon = f.writeFile("app.ico", iconBytes);
    const QString notIcon = f.writeImage("fake.ico", QSize(4, 4), Qt::blue, "BMP");

    // Cancel leaves the box; OK puts the full path in it.
    page->ui()->edtIco->setText("typed");
    QTest::mouseClick(page->ui()->BitBtn5, Qt::LeftButton);
    QCOMPARE(page->ui()->edtIco->text(), QString("typed"));
    f.chooseFile(icon);
    QTest::mouseClick(page->ui()->BitBtn5, Qt::LeftButton);
    QCOMPARE(page->ui()->edtIco->text(), icon);

    // Bad files: the error box with the cause, nothing written.
    for (const QString &bad : {f.dir() + "missing.ico", notIcon}) {
        f.boxes.clear();
        page->ui()->edtIco->setText(bad);
        QTest::mouseClick(page->ui()->BitBtn1, Qt::LeftButton);
        QCOMPARE(f.boxes.size(), 1);
        QVERIFY(f.boxes.at(0).error);
        QVERIFY2(f.boxes.at(0).text.contains(bad), qPrintable(f.boxes.at(0).text));
        QVERIFY(f.value("CLIENT_INFO", "SYS_ICO").isNull());
    }

    // A blank path does nothing; a real icon is stored as its file, silently.
    f.boxes.clear();
    page->ui()->edtIco->setText("   ");
    QTest::mouseClick(page->ui()->BitBtn1, Qt::LeftButton);
    QVERIFY(f.updates.isEmpty());
    page->ui()->edtIco->setText(" " + icon + " ");
    QTest::mouseClick(page->ui()->BitBtn1, Qt::LeftButton);
    QVERIFY(f.boxes.isEmpty());
    QCOMPARE(f.value("CLIENT_INFO", "SYS_ICO").toByteArray(), iconBytes);
}

void TestOvidoShell::missingDatabase()
{
    OvidoFixture f; // no database file
    OvidoProgram &p = f.start();
    p.compInfoForm()->ui()->Edit2->setText("name");
    QTest::mouseClick(p.compInfoForm()->ui()->BitBtn2, Qt::LeftButton);
    QCOMPARE(f.boxes.size(), 1);
    QVERIFY(f.boxes.at(0).error);
    QVERIFY2(f.boxes.at(0).text.contains("CLINFO.DB"), qPrintable(f.boxes.at(0).text));
    QVERIFY(!QFile::exists(f.dir() + "CLINFO.DB"));
    // The main-window page's loading fails silently and keeps its design state.
    p.mainForm()->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.mainForm()));
    choose(p.mainForm(), 3);
    QCOMPARE(f.boxes.size(), 1);
}

QTEST_MAIN(TestOvidoShell)
#include "tst_ovidoshell.moc"
