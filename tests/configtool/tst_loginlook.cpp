#include "LoginLook.h"
#include "OvidoFixture.h"
#include "OvidoProgram.h"
#include "TImage.h"
#include "TLoginDialog.h"
#include "TLoginSetForm.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

// The login plug-in's window is what Ovido's designer previews: the same
// row of LOGIN_INFO gives the same places, sizes, pictures and style.
class TestLoginLook : public QObject
{
    Q_OBJECT
private slots:
    void designerMatchesLoginWindow_data();
    void designerMatchesLoginWindow();
    void unreadableDatabaseKeepsOwnDesign();
};

void TestLoginLook::designerMatchesLoginWindow_data()
{
    QTest::addColumn<QString>("set"); // SET clause for LOGIN_INFO row 1, bound to the two pictures
    QTest::addColumn<int>("bgflg");
    QTest::newRow("nothing stored") << "" << 0;
    QTest::newRow("shaped with pictures")
        << "BACKGROUND = ?, BTN_SET_IMG = ?, TXT_NAME_LTWH = '10, 20, 150, 22', BTN_SET_LTWH = '300,260,75,25',"
           " BTN_CLOSE_LTWH = '380,10,50,20'"
        << 1;
    QTest::newRow("standard, close picture hidden")
        << "BACKGROUND = ?, BTN_LOGIN_IMG = ?, BTN_LOGIN_LTWH = '40,250,80,30'" << 0;
}

void TestLoginLook::designerMatchesLoginWindow()
{
    QFETCH(QString, set);
    QFETCH(int, bgflg);
    OvidoFixture f;
    f.createDatabase();
    QImage bg(420, 300, QImage::Format_RGB32);
    bg.fill(Qt::magenta); // the lower-left colour: left out when transparent
    bg.fill(QColor(0x20, 0x60, 0xa0));
    for (int x = 0; x < 420; ++x)
        bg.setPixel(x, 299, qRgb(255, 0, 255));
    QByteArray bgBytes;
    QBuffer buffer(&bgBytes);
    buffer.open(QIODevice::WriteOnly);
    bg.save(&buffer, "BMP");
    if (!set.isEmpty())
        f.exec("UPDATE LOGIN_INFO SET BGFLG = " + QString::number(bgflg) + ", " + set + " WHERE ID = 1",
               {bgBytes, OvidoFixture::imageBytes(QSize(60, 18), Qt::yellow, "JPEG")});

    TLoginSetForm *designer = f.start().loginSetForm();
    designer->prepare(bgflg);
    designer->show();
    QVERIFY(QTest::qWaitForWindowExposed(designer));
    QVERIFY(f.boxes.isEmpty());

    LoginLook look;
    QVERIFY2(look.read(f.dir()), qPrintable(look.error()));
    TLoginDialog dialog(nullptr);
    dialog.applyLook(look);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    QCOMPARE(dialog.size(), designer->size());
    QCOMPARE(bool(dialog.windowFlags() & Qt::FramelessWindowHint), bool(designer->windowFlags() & Qt::FramelessWindowHint));
    const QImage drawnBg = designer->findChild<TImage *>("Image1")->drawnPicture().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(dialog.findChild<QLabel *>("imgBackground")->pixmap(Qt::ReturnByValue).toImage().convertToFormat(QImage::Format_ARGB32),
             drawnBg);
    const QList<QPair<const char *, const char *>> pairs{
        {"rzedit1", "txtName"}, {"rzEdit2", "txtPwd"}, {"btnSet", "btnSet"}, {"btnLogin", "btnLogin"}, {"btnClose", "btnClose"}};
    for (const auto &p : pairs) {
        QWidget *preview = designer->findChild<QWidget *>(p.first);
        QWidget *real = dialog.findChild<QWidget *>(p.second);
        QVERIFY(preview && real);
        QCOMPARE(real->geometry(), preview->geometry());
        QCOMPARE(real->isVisible(), preview->isVisible());
        if (auto *image = qobject_cast<TImage *>(preview)) {
            const QImage shown = static_cast<QPushButton *>(real)->icon().pixmap(real->size()).toImage();
            const QImage previewed = image->drawnPicture().isNull()
                                         ? QImage()
                                         : image->drawnPicture().scaled(preview->size()).convertToFormat(shown.format());
            QCOMPARE(shown.isNull(), previewed.isNull());
            if (!shown.isNull())
                QCOMPARE(shown, previewed);
        }
    }
    // The shaped window leaves out the background's lower-left colour.
    if (bgflg == 1 && !set.isEmpty()) {
        QVERIFY(!dialog.mask().contains(QPoint(200, 299)));
        QVERIFY(dialog.mask().contains(QPoint(200, 100)));
    } else {
        QVERIFY(dialog.mask().isEmpty());
    }
}

void TestLoginLook::unreadableDatabaseKeepsOwnDesign()
{
    OvidoFixture f; // no database file
    LoginLook look;
    QVERIFY(!look.read(f.dir()));
    QVERIFY2(look.error().contains("CLINFO.DB"), qPrintable(look.error()));
    // The test program's own directory has no database either.
    TLoginDialog dialog(nullptr);
    QVERIFY(!dialog.findChild<QLabel *>("imgBackground"));
    QVERIFY(dialog.findChild<QLabel *>("lblTitle")->isVisibleTo(&dialog));
}

QTEST_MAIN(TestLoginLook)
#include "tst_loginlook.moc"
