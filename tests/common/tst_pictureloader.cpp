#include "Exception.h"
#include "PictureLoader.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QtTest>

class TestPictureLoader : public QObject
{
    Q_OBJECT
private slots:
    void loads_data();
    void loads();
    void icon();

private:
    static QByteArray encode(const char *format, const QSize &size = QSize(30, 20));
};

QByteArray TestPictureLoader::encode(const char *format, const QSize &size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter(&img).fillRect(0, 0, size.width() / 2, size.height(), Qt::red);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, format);
    return bytes;
}

void TestPictureLoader::loads_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QSize>("size");
    QTest::newRow("bmp") << encode("BMP") << true << QSize(30, 20);
    QTest::newRow("jpeg") << encode("JPG") << true << QSize(30, 20);
    QTest::newRow("empty gives null") << QByteArray() << true << QSize(0, 0);
    QTest::newRow("png") << encode("PNG") << false << QSize();
    QTest::newRow("gif or garbage") << QByteArray("GIF89a\x01\x00\x01\x00\x00\x00\x00;", 19) << false << QSize();
    QTest::newRow("truncated bmp") << encode("BMP").left(200) << false << QSize();
    QTest::newRow("bmp header only") << encode("BMP").left(14) << false << QSize();
    QTest::newRow("truncated jpeg header") << encode("JPG").left(3) << false << QSize();
}

void TestPictureLoader::loads()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, ok);
    QFETCH(QSize, size);
    try {
        const QImage img = PictureLoader::load(bytes);
        QVERIFY2(ok, "no error raised");
        QCOMPARE(img.size(), size);
        QCOMPARE(img.isNull(), size.isEmpty());
        if (!img.isNull())
            QCOMPARE(QColor(img.pixel(2, 2)).red() > 200 && QColor(img.pixel(2, 2)).green() < 60, true);
    } catch (const Exception &e) {
        QVERIFY2(!ok, qPrintable(e.message()));
        QVERIFY(e.message().contains("neither a BMP nor a JPEG"));
    }
}

void TestPictureLoader::icon()
{
    const QIcon icon = PictureLoader::loadIcon(encode("ICO", QSize(32, 32)));
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.availableSizes().value(0), QSize(32, 32));
    QVERIFY_EXCEPTION_THROWN(PictureLoader::loadIcon(encode("BMP")), Exception);
    QVERIFY_EXCEPTION_THROWN(PictureLoader::loadIcon(QByteArray()), Exception);
}

QTEST_MAIN(TestPictureLoader)
#include "tst_pictureloader.moc"
