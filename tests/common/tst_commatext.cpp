#include "CommaText.h"
#include "Exception.h"
#include "FileDialogFilter.h"
#include "PositionString.h"

#include <QtTest>

class TestCommaText : public QObject
{
    Q_OBJECT
private slots:
    void split_data();
    void split();
    void joinRoundTrip();
    void nameValue();
    void position_data();
    void position();
    void positionFormat();
    void dialogFilters_data();
    void dialogFilters();
};

void TestCommaText::split_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("empty") << "" << QStringList();
    QTest::newRow("commas") << "a,b,c" << QStringList{"a", "b", "c"};
    QTest::newRow("blanks after commas") << "10, 20, 30, 40" << QStringList{"10", "20", "30", "40"};
    QTest::newRow("blank separates") << "xx12 xx13" << QStringList{"xx12", "xx13"};
    QTest::newRow("leading and trailing blanks") << "  a , b  " << QStringList{"a", "b"};
    QTest::newRow("empty middle item") << "a,,b" << QStringList{"a", "", "b"};
    QTest::newRow("trailing comma adds empty") << "a," << QStringList{"a", ""};
    QTest::newRow("quoted comma and blank") << "\"a, b\",c" << QStringList{"a, b", "c"};
    QTest::newRow("doubled quote") << "\"say \"\"hi\"\"\"" << QStringList{"say \"hi\""};
    QTest::newRow("unbalanced quote") << "\"abc,def" << QStringList{"abc,def"};
    QTest::newRow("text after quote") << "\"a\"b" << QStringList{"a", "b"};
    QTest::newRow("tab separates") << "a\tb" << QStringList{"a", "b"};
    QTest::newRow("nul ends the text") << QString("a,b") + QChar(0) + ",c" << QStringList{"a", "b"};
    QTest::newRow("rights entry") << "1:12,1:-3,\"2:7\"" << QStringList{"1:12", "1:-3", "2:7"};
}

void TestCommaText::split()
{
    QFETCH(QString, text);
    QFETCH(QStringList, items);
    QCOMPARE(CommaText::split(text), items);
}

void TestCommaText::joinRoundTrip()
{
    const QStringList items{"plain", "with blank", "with,comma", "q\"uote", ""};
    QCOMPARE(CommaText::join(items), QString("plain,\"with blank\",\"with,comma\",\"q\"\"uote\","));
    QCOMPARE(CommaText::split(CommaText::join(items)), items);
    QCOMPARE(CommaText::join({""}), QString("\"\""));
}

void TestCommaText::nameValue()
{
    QCOMPARE(CommaText::nameOf("12=7,12,BtnNew,New"), QString("12"));
    QCOMPARE(CommaText::valueOf("12=7,12,BtnNew,a=b"), QString("7,12,BtnNew,a=b"));
    QCOMPARE(CommaText::valueOf("no equals"), QString());
    QCOMPARE(CommaText::valueByName({"md_id=5", "baseUrl=http://x"}, "BASEURL"), QString("http://x"));
}

void TestCommaText::position_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("used");
    QTest::addColumn<bool>("raises");
    QTest::addColumn<QRect>("bounds");
    QTest::newRow("plain") << "56,184,75,25" << true << false << QRect(56, 184, 75, 25);
    QTest::newRow("blanks after commas") << "10, 20, 30, 40" << true << false << QRect(10, 20, 30, 40);
    QTest::newRow("negative") << "-5,-7,30,40" << true << false << QRect(-5, -7, 30, 40);
    QTest::newRow("three items") << "1,2,3" << false << false << QRect();
    QTest::newRow("five items") << "1,2,3,4,5" << false << false << QRect();
    QTest::newRow("empty") << "" << false << false << QRect();
    QTest::newRow("12px") << "12px,2,3,4" << false << true << QRect();
}

void TestCommaText::position()
{
    QFETCH(QString, text);
    QFETCH(bool, used);
    QFETCH(bool, raises);
    QFETCH(QRect, bounds);
    QRect out(1, 1, 1, 1);
    if (raises) {
        try {
            PositionString::parse(text, &out);
            QFAIL("no error");
        } catch (const Exception &e) {
            QVERIFY(e.message().contains("12px"));
        }
        return;
    }
    QCOMPARE(PositionString::parse(text, &out), used);
    QCOMPARE(out, used ? bounds : QRect(1, 1, 1, 1));
}

void TestCommaText::positionFormat()
{
    QCOMPARE(PositionString::format(56, 184, 75, 25), QString("56,184,75,25"));
    QCOMPARE(PositionString::format(QRect(-3, 0, 10, 20)), QString("-3,0,10,20"));
}

void TestCommaText::dialogFilters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("nameFilters");
    QTest::newRow("attachment with extension") << "所有文件|*.*|*.txt|*.txt" << QStringList{"所有文件 (*)", "*.txt (*.txt)"};
    QTest::newRow("attachment without extension") << "所有文件|*.*|*|*" << QStringList{"所有文件 (*)", "* (*)"};
    QTest::newRow("pattern already shown") << "位图 (*.bmp)|*.bmp|JPG (*.jpg)|*.jpg" << QStringList{"位图 (*.bmp)", "JPG (*.jpg)"};
    QTest::newRow("several patterns") << "图片|*.bmp;*.jpg" << QStringList{"图片 (*.bmp *.jpg)"};
    QTest::newRow("odd item ignored") << "图标 (*.ico)|*.ico|rest" << QStringList{"图标 (*.ico)"};
}

void TestCommaText::dialogFilters()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, nameFilters);
    QCOMPARE(FileDialogFilter::nameFilters(filter), nameFilters);
}

QTEST_APPLESS_MAIN(TestCommaText)
#include "tst_commatext.moc"
