#include "LoginPictures.h"
#include "OvidoFixture.h"
#include "OvidoProgram.h"
#include "TDM.h"
#include "TImage.h"
#include "TLoginForm.h"
#include "TLoginSetForm.h"
#include "TmainForm.h"
#include "ui_TLoginForm.h"
#include "ui_TLoginSetForm.h"
#include "ui_TmainForm.h"

#include <QMenu>
#include <QtTest>

// The login page and the layout designer against a real LOGIN_INFO row.
class TestOvidoLogin : public QObject
{
    Q_OBJECT
private slots:
    void pagePositions_data();
    void pagePositions();
    void pageStyleAtLoading_data();
    void pageStyleAtLoading();
    void backgroundWaitsForApply();
    void buttonPictureCommits();
    void applyWithoutTransaction();
    void designOpensPrepared();
    void designWithoutDatabaseStaysClosed();

    void designerPositions_data();
    void designerPositions();
    void designerBadPosition();
    void designerPictures();
    void designerKeepsBuiltInPictures();
    void dragEachControl_data();
    void dragEachControl();
    void pressAndReleaseWithoutMoving_data();
    void pressAndReleaseWithoutMoving();
    void dragWindowByBackground();
    void shapedStyle();
};

static TLoginForm *showLoginPage(OvidoFixture &f)
{
    OvidoProgram &p = f.start();
    p.mainForm()->show();
    if (!QTest::qWaitForWindowExposed(p.mainForm()))
        return nullptr;
    p.mainForm()->ui()->TreeView1->setCurrentItem(p.mainForm()->ui()->TreeView1->topLevelItem(0)->child(1));
    return p.loginForm();
}

static TLoginSetForm *showDesigner(OvidoFixture &f, int bgflg = 0)
{
    TLoginSetForm *d = f.start().loginSetForm();
    d->prepare(bgflg);
    d->show();
    return QTest::qWaitForWindowExposed(d) ? d : nullptr;
}

static QStringList texts(const QList<QLineEdit *> &boxes)
{
    QStringList out;
    for (QLineEdit *b : boxes)
        out << b->text();
    return out;
}

void TestOvidoLogin::pagePositions_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("row"); // 0 name, 1 password, 2 set, 3 login, 4 close
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("NULL keeps the initial texts") << "BTN_CLOSE_LTWH" << QVariant() << 4
                                                  << QStringList{"200", "0", "75", "25"};
    QTest::newRow("blanks after commas") << "BTN_SET_LTWH" << QVariant("10, 20, 30, 40") << 2
                                         << QStringList{"10", "20", "30", "40"};
    QTest::newRow("three items") << "BTN_LOGIN_LTWH" << QVariant("1,2,3") << 3
                                 << QStringList{"100", "0", "75", "25"};
    QTest::newRow("not a number shown as is") << "TXT_NAME_LTWH" << QVariant("12px,7,8,9") << 0
                                              << QStringList{"12px", "7"};
    QTest::newRow("password box") << "TXT_PWD_LTWH" << QVariant("-5,6,7,8") << 1 << QStringList{"-5", "6"};
}

void TestOvidoLogin::pagePositions()
{
    QFETCH(QString, column);
    QFETCH(QVariant, stored);
    QFETCH(int, row);
    QFETCH(QStringList, shown);
    OvidoFixture f;
    f.createDatabase();
    f.exec(QString("UPDATE LOGIN_INFO SET %1 = ? WHERE ID = 1").arg(column), {stored});
    TLoginForm *page = showLoginPage(f);
    QVERIFY(page);
    Ui::TLoginForm *ui = page->ui();
    const QList<QList<QLineEdit *>> rows{{ui->Edit1, ui->Edit2},
                                         {ui->Edit3, ui->Edit4},
                                         {ui->Edit5, ui->Edit6, ui->Edit11, ui->Edit12},
                                         {ui->Edit7, ui->Edit8, ui->Edit13, ui->Edit14},
                                         {ui->Edit9, ui->Edit10, ui->Edit15, ui->Edit16}};
    QCOMPARE(texts(rows.at(row)), shown);
    QVERIFY(f.boxes.isEmpty());
}

void TestOvidoLogin::pageStyleAtLoading_data()
{
    QTest::addColumn<QVariant>("bgflg");
    QTest::addColumn<bool>("shaped");
    QTest::addColumn<int>("writes");
    QTest::newRow("1 rewritten") << QVariant(1) << true << 1;
    QTest::newRow("NULL") << QVariant() << false << 0;
    QTest::newRow("2 is standard") << QVariant(2) << false << 0;
}

void TestOvidoLogin::pageStyleAtLoading()
{
    QFETCH(QVariant, bgflg);
    QFETCH(bool, shaped);
    QFETCH(int, writes);
    OvidoFixture f;
    f.createDatabase();
    f.exec("UPDATE LOGIN_INFO SET BGFLG = ? WHERE ID = 1", {bgflg});
    TLoginForm *page = showLoginPage(f);
    QVERIFY(page);
    QCOMPARE(page->ui()->rdbtnSha->isChecked(), shaped);
    QCOMPARE(page->ui()->rdBtnStd->isChecked(), !shaped);
    QCOMPARE(f.updates.size(), writes);
    if (writes)
        QCOMPARE(f.updates.at(0).first, QString("Update LOGIN_INFO Set BGFLG = :iFlg where id=:sid"));
    QVERIFY(!f.program().dm()->inTransaction() || !writes);
    // The user's choice writes at once.
    QTest::mouseClick(shaped ? page->ui()->rdBtnStd : page->ui()->rdbtnSha, Qt::LeftButton);
    QCOMPARE(f.value("LOGIN_INFO", "BGFLG").toInt(), shaped ? 0 : 1);
}

void TestOvidoLogin::backgroundWaitsForApply()
{
    OvidoFixture f;
    f.createDatabase();
    TLoginForm *page = showLoginPage(f);
    QVERIFY(page);
    const QString bad = f.writeFile("broken.bmp", "BM not really");
    f.chooseFile(bad);
    QTest::mouseClick(page->ui()->BitBtn4, Qt::LeftButton);
    QCOMPARE(f.boxes.size(), 1);
    QVERIFY(f.boxes.at(0).error);
    QVERIFY(page->ui()->edtLogo->text().isEmpty());
    f.boxes.clear();

    const QString path = f.writeImage("bg.bmp", QSize(300, 200), Qt::darkCyan, "BMP");
    f.chooseFile(path);
    QTest::mouseClick(page->ui()->BitBtn4, Qt::LeftButton);
    QCOMPARE(page->ui()->edtLogo->text(), path);
    QVERIFY(f.boxes.isEmpty());
    QVERIFY(f.value("LOGIN_INFO", "BACKGROUND").isNull()); // not committed yet
    QTest::mouseClick(page->ui()->BitBtn5, Qt::LeftButton);
    QCOMPARE(f.boxes.size(), 1);
    QCOMPARE(f.boxes.at(0).text, QString("成功！"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(f.value("LOGIN_INFO", "BACKGROUND").toByteArray(), file.readAll());
}

void TestOvidoLogin::buttonPictureCommits()
{
    OvidoFixture f;
    f.createDatabase();
    TLoginForm *page = showLoginPage(f);
    QVERIFY(page);
    const QByteArray jpeg = OvidoFixture::imageBytes(QSize(60, 20), Qt::yellow, "JPEG");
    const struct {
        QPushButton *button;
        const char *column;
    } rows[] = {{page->ui()->BitBtn1, "BTN_SET_IMG"},
                {page->ui()->BitBtn2, "BTN_LOGIN_IMG"},
                {page->ui()->BitBtn3, "BTN_CLOSE_IMG"}};
    for (const auto &r : rows) {
        f.boxes.clear();
        f.chooseFile(f.writeFile(QString(r.column) + ".Jpg", jpeg));
        QTest::mouseClick(r.button, Qt::LeftButton);
        QCOMPARE(f.value("LOGIN_INFO", r.column).toByteArray(), jpeg);
        QCOMPARE(f.boxes.size(), 1);
        QCOMPARE(f.boxes.at(0).text, QString("成功！"));
    }
    // A wrong extension writes nothing.
    f.boxes.clear();
    f.chooseFile(f.writeFile("x.gif", jpeg));
    QTest::mouseClick(page->ui()->BitBtn1, Qt::LeftButton);
    QCOMPARE(f.boxes.size(), 1);
    QCOMPARE(f.boxes.at(0).text, QString("格式错误！"));
    QCOMPARE(f.updates.size(), 3);
}

void TestOvidoLogin::applyWithoutTransaction()
{
    OvidoFixture f;
    f.createDatabase();
    TLoginForm *page = f.start().loginForm(); // never shown: nothing read, no transaction
    QTest::mouseClick(page->ui()->BitBtn5, Qt::LeftButton);
    QCOMPARE(f.boxes.size(), 1);
    QVERIFY(f.boxes.at(0).error);
}

void TestOvidoLogin::designOpensPrepared()
{
    OvidoFixture f;
    f.createDatabase();
    f.exec("UPDATE LOGIN_INFO SET BGFLG = 1, TXT_NAME_LTWH = '30,40,100,20' WHERE ID = 1");
    TLoginForm *page = showLoginPage(f);
    QVERIFY(page);
    TLoginSetForm *designer = f.program().loginSetForm();
    bool seen = false;
    QTimer::singleShot(0, designer, [&] {
        seen = designer->isVisible() && designer->isModal();
        QVERIFY(designer->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(designer->ui()->btnClose->isVisible());
        QVERIFY(designer->ui()->Image1->transparent());
        QCOMPARE(designer->windowTitle(), QString("登录设计"));
        QCOMPARE(designer->ui()->rzedit1->geometry(), QRect(30, 40, 100, 20));
        designer->ui()->N1->trigger();
    });
    QTest::mouseClick(page->ui()->BitBtn6, Qt::LeftButton);
    QVERIFY(seen);
    QVERIFY(!designer->isVisible());
    // The page's boxes are not refreshed by the designer.
    QCOMPARE(page->ui()->Edit1->text(), QString("30"));
}

void TestOvidoLogin::designWithoutDatabaseStaysClosed()
{
    OvidoFixture f; // no database file
    TLoginForm *page = showLoginPage(f);
    QVERIFY(page);
    TLoginSetForm *designer = f.program().loginSetForm();
    bool opened = false;
    QTimer::singleShot(0, designer, [&] {
        opened = designer->isVisible();
        designer->close();
    });
    QTest::mouseClick(page->ui()->BitBtn6, Qt::LeftButton);
    QVERIFY(!opened);
    QVERIFY(f.boxes.isEmpty());
    QTest::qWait(10); // the timer has run
    QVERIFY(!opened);
}

void TestOvidoLogin::designerPositions_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QRect>("bounds");
    const QRect initial(224, 112, 121, 24);
    QTest::newRow("plain") << QVariant("10,20,30,40") << QRect(10, 20, 30, 40);
    QTest::newRow("blanks after commas") << QVariant("10, 20, 30, 40") << QRect(10, 20, 30, 40);
    QTest::newRow("quoted items") << QVariant("\"10\",\"20\",30,40") << QRect(10, 20, 30, 40);
    QTest::newRow("three items") << QVariant("10,20,30") << initial;
    QTest::newRow("five items") << QVariant("1,2,3,4,5") << initial;
    QTest::newRow("NULL") << QVariant() << initial;
}

void TestOvidoLogin::designerPositions()
{
    QFETCH(QVariant, stored);
    QFETCH(QRect, bounds);
    OvidoFixture f;
    f.createDatabase();
    f.exec("UPDATE LOGIN_INFO SET TXT_NAME_LTWH = ? WHERE ID = 1", {stored});
    TLoginSetForm *d = showDesigner(f);
    QVERIFY(d);
    QCOMPARE(d->ui()->rzedit1->geometry(), bounds);
    QVERIFY(f.boxes.isEmpty());
}

void TestOvidoLogin::designerBadPosition()
{
    OvidoFixture f;
    f.createDatabase();
    f.exec("UPDATE LOGIN_INFO SET BACKGROUND = ?, TXT_NAME_LTWH = '1,2,3,4', TXT_PWD_LTWH = '5,6,7,8',"
           " BTN_SET_LTWH = '12px,1,2,3', BTN_LOGIN_LTWH = '9,9,9,9' WHERE ID = 1",
           {OvidoFixture::imageBytes(QSize(200, 100), Qt::gray, "BMP")});
    TLoginSetForm *d = showDesigner(f);
    QVERIFY(d);
    QCOMPARE(f.boxes.size(), 1);
    QVERIFY(f.boxes.at(0).error);
    QVERIFY2(f.boxes.at(0).text.contains("12px"), qPrintable(f.boxes.at(0).text));
    QCOMPARE(d->ui()->rzedit1->geometry(), QRect(1, 2, 3, 4));
    QCOMPARE(d->ui()->rzEdit2->geometry(), QRect(5, 6, 7, 8));
    QCOMPARE(d->ui()->btnLogin->geometry(), QRect(176, 184, 75, 25));
    QCOMPARE(d->ui()->Image1->size(), QSize(375, 255)); // pictures not loaded
    QVERIFY(d->isVisible());
}

void TestOvidoLogin::designerPictures()
{
    OvidoFixture f;
    f.createDatabase();
    f.exec("UPDATE LOGIN_INFO SET BACKGROUND = ?, BTN_SET_IMG = ?, BTN_SET_LTWH = '5,6,75,25',"
           " BTN_LOGIN_LTWH = '100,6,75,25' WHERE ID = 1",
           {OvidoFixture::imageBytes(QSize(400, 300), Qt::gray, "BMP"),
            OvidoFixture::imageBytes(QSize(40, 20), Qt::yellow, "JPEG")});
    TLoginSetForm *d = showDesigner(f);
    QVERIFY(d);
    QVERIFY(f.boxes.isEmpty());
    QCOMPARE(d->ui()->Image1->geometry(), QRect(0, 0, 400, 300));
    // The stored picture's size wins over the stored width and height.
    QCOMPARE(d->ui()->btnSet->geometry(), QRect(5, 6, 40, 20));
    // A NULL picture clears the button but keeps its size.
    QVERIFY(d->ui()->btnLogin->picture().isNull());
    QCOMPARE(d->ui()->btnLogin->geometry(), QRect(100, 6, 75, 25));
    QCOMPARE(d->size(), QSize(400, 300));
    // The next drop stores the picture's size.
    QWindow *w = d->windowHandle();
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(f.value("LOGIN_INFO", "BTN_SET_LTWH").toString(), QString("5,6,40,20"));
}

void TestOvidoLogin::designerKeepsBuiltInPictures()
{
    OvidoFixture f;
    f.createDatabase();
    f.exec("UPDATE LOGIN_INFO SET BTN_SET_IMG = ? WHERE ID = 1",
           {OvidoFixture::imageBytes(QSize(40, 20), Qt::yellow, "JPEG")});
    TLoginSetForm *d = showDesigner(f);
    QVERIFY(d);
    QCOMPARE(d->ui()->btnSet->picture(), LoginPictures::button(LoginPictures::Button::Set));
    QCOMPARE(d->ui()->btnSet->size(), QSize(75, 25));
    QCOMPARE(d->ui()->Image1->picture(), LoginPictures::background());
    QCOMPARE(d->size(), QSize(375, 255));
}

void TestOvidoLogin::dragEachControl_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("column");
    QTest::newRow("btnSet") << "btnSet" << "BTN_SET_LTWH";
    QTest::newRow("btnLogin") << "btnLogin" << "BTN_LOGIN_LTWH";
    QTest::newRow("btnClose") << "btnClose" << "BTN_CLOSE_LTWH";
    QTest::newRow("rzedit1") << "rzedit1" << "TXT_NAME_LTWH";
    QTest::newRow("rzEdit2") << "rzEdit2" << "TXT_PWD_LTWH";
}

void TestOvidoLogin::dragEachControl()
{
    QFETCH(QString, control);
    QFETCH(QString, column);
    OvidoFixture f;
    f.createDatabase();
    TLoginSetForm *d = showDesigner(f, 1);
    QVERIFY(d);
    QWidget *c = d->findChild<QWidget *>(control);
    QVERIFY(c && c->isVisible());
    const QRect before = c->geometry();
    const QPoint press = before.topLeft() + QPoint(3, 4);
    const QPoint target(40, 30);
    QWindow *w = d->windowHandle();
    QTest::mousePress(w, Qt::LeftButton, {}, press);
    QCOMPARE(TLoginSetForm::dragState().bDragCtrl, true);
    QCOMPARE(TLoginSetForm::dragState().iDownX, 3);
    QCOMPARE(TLoginSetForm::dragState().iDownY, 4);
    // The move handler reads the cursor from the system, not from the event.
    QCursor::setPos(d->mapToGlobal(target));
    QTest::mouseMove(w, target);
    QCOMPARE(c->pos(), target - QPoint(3, 4));
    QTest::mouseRelease(w, Qt::LeftButton, {}, target);
    QVERIFY(!TLoginSetForm::dragState().bDragCtrl);
    QCOMPARE(f.value("LOGIN_INFO", column).toString(),
             QString("%1,%2,%3,%4").arg(37).arg(26).arg(before.width()).arg(before.height()));
    QCOMPARE(f.updates.size(), 1);
    QVERIFY(!f.program().dm()->inTransaction());
    QVERIFY(f.boxes.isEmpty());
}

void TestOvidoLogin::pressAndReleaseWithoutMoving_data()
{
    QTest::addColumn<int>("buttonCode");
    QTest::newRow("left") << int(Qt::LeftButton);
    QTest::newRow("right") << int(Qt::RightButton);
    QTest::newRow("middle") << int(Qt::MiddleButton);
}

void TestOvidoLogin::pressAndReleaseWithoutMoving()
{
    QFETCH(int, buttonCode);
    const auto button = Qt::MouseButton(buttonCode);
    OvidoFixture f;
    f.createDatabase();
    TLoginSetForm *d = showDesigner(f);
    QVERIFY(d);
    QWindow *w = d->windowHandle();
    const QPoint inside = d->ui()->btnLogin->geometry().center();
    QTest::mousePress(w, button, {}, inside);
    QCOMPARE(TLoginSetForm::dragState().iDragCtrl, 2);
    QTest::mouseRelease(w, button, {}, inside);
    QCOMPARE(f.value("LOGIN_INFO", "BTN_LOGIN_LTWH").toString(), QString("176,184,75,25"));
    // The context menu comes with the right button's release; its "关闭" closes the designer.
    QCOMPARE(d->PopupMenu1()->isVisible(), button == Qt::RightButton);
    if (button == Qt::RightButton) {
        d->PopupMenu1()->actions().at(0)->trigger();
        QVERIFY(!d->isVisible());
        QCOMPARE(f.updates.size(), 1);
    }
}

void TestOvidoLogin::dragWindowByBackground()
{
    OvidoFixture f;
    f.createDatabase();
    TLoginSetForm *d = showDesigner(f);
    QVERIFY(d);
    const QPoint start = d->pos();
    QWindow *w = d->windowHandle();
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY(TLoginSetForm::dragState().bDragForm);
    QTest::mouseMove(w, QPoint(70, 50));
    QCOMPARE(d->pos(), start + QPoint(50, 30));
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY(!TLoginSetForm::dragState().bDragForm);
    QVERIFY(f.updates.isEmpty());
    // The next opening is centred again.
    d->close();
    d->prepare(0);
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d));
    QTRY_COMPARE(d->pos(), start);
    // Not while maximised.
    d->setWindowState(Qt::WindowMaximized);
    QTRY_VERIFY(d->isMaximized());
    QTest::qWait(50);
    const QPoint maxPos = d->pos();
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseMove(w, QPoint(70, 50));
    QCOMPARE(d->pos(), maxPos);
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(70, 50));
}

void TestOvidoLogin::shapedStyle()
{
    OvidoFixture f;
    f.createDatabase();
    QImage bg(100, 80, QImage::Format_RGB32);
    bg.fill(Qt::magenta);
    bg.setPixel(50, 40, qRgb(0, 0, 255));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bg.save(&buffer, "BMP");
    f.exec("UPDATE LOGIN_INFO SET BACKGROUND = ? WHERE ID = 1", {bytes});
    TLoginSetForm *d = f.start().loginSetForm();

    d->prepare(0);
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d));
    QVERIFY(!d->ui()->btnClose->isVisible());
    QVERIFY(!(d->windowFlags() & Qt::FramelessWindowHint));
    QCOMPARE(qAlpha(d->ui()->Image1->drawnPicture().pixel(0, 0)), 255);
    d->close();

    d->prepare(1);
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d));
    QVERIFY(d->ui()->btnClose->isVisible());
    QVERIFY(d->windowFlags() & Qt::FramelessWindowHint);
    // The lower-left colour is left out; the window's face shows through.
    const QImage drawn = d->ui()->Image1->drawnPicture();
    QCOMPARE(qAlpha(drawn.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(drawn.pixel(50, 40)), 255);
    const QImage shot = d->grab().toImage();
    QCOMPARE(shot.pixelColor(2, 2), d->palette().color(QPalette::Window));
}

QTEST_MAIN(TestOvidoLogin)
#include "tst_ovidologin.moc"
