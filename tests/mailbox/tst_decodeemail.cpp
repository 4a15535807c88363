#include "DecodeEmail.h"

#include <QtTest>

using namespace zaskar;

class TestDecodeEmail : public QObject
{
    Q_OBJECT
private slots:
    void decodeText_data();
    void decodeText();
    void longTail();
    void split_data();
    void split();
    void display();
    void garbageTerminates();
};

void TestDecodeEmail::decodeText_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray zhongwen("\xD6\xD0\xCE\xC4");

    QTest::newRow("no encoded word keeps spaces") << QByteArray("Re:  Hello") << QByteArray("Re:  Hello");
    QTest::newRow("B word") << QByteArray("=?gb2312?B?1tDOxA==?=") << zhongwen;
    QTest::newRow("space before word dropped") << QByteArray("Re: =?gb2312?B?1tDOxA==?=") << "Re:" + zhongwen;
    QTest::newRow("two words") << QByteArray("=?gb2312?B?1tA=?= =?gb2312?B?zsQ=?=") << zhongwen;
    QTest::newRow("Q with underscore") << QByteArray("=?gb2312?Q?=D6=D0_a?=") << QByteArray("\xD6\xD0 a");
    QTest::newRow("Q escaped equals") << QByteArray("=?gb2312?Q?a=3Db?=") << QByteArray("a=b");
    QTest::newRow("lower-case b") << QByteArray("=?gb2312?b?1tDOxA==?=") << QByteArray();
    QTest::newRow("lower-case q") << QByteArray("=?gb2312?q?abc?=") << QByteArray();
    QTest::newRow("no charset") << QByteArray("=?B?YWJj?=") << QByteArray();
    QTest::newRow("brackets around word") << QByteArray("(=?gb2312?B?YWJj?=)") << QByteArray("(abc)");
    QTest::newRow("incomplete last group") << QByteArray("=?gb2312?B?YWJjZA?=") << QByteArray("abc");
    QTest::newRow("NUL bytes cut") << QByteArray("=?gb2312?B?AAAA?=") << QByteArray();
    QTest::newRow("NUL cuts the tail") << QByteArray("x=?gb2312?B?YQBi?=rest") << QByteArray("xa");
    QTest::newRow("missing close") << QByteArray("=?gb2312?B?YWJj") << QByteArray("=?gb2312?B?YWJj");
    QTest::newRow("missing close with spaces") << QByteArray("a  =?gb2312?B?YWJj") << QByteArray("a  =?gb2312?B?YWJj");
    QTest::newRow("all spaces dropped") << QByteArray("Hello  =?gb2312?B?YWJj?=  World ") << QByteArray("HelloabcWorld");
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("only delimiters") << QByteArray("=?\?=") << QByteArray("=?\?=");
    QTest::newRow("overlapping delimiters") << QByteArray("=?=") << QByteArray("=?=");
    // 'a' counts as 42, not 10; a lower-case first digit comes out right by the mod 256.
    QTest::newRow("lower-case Q hex digits") << QByteArray("=?x?Q?=6a=d6?=") << QByteArray("\x8A\xD6");
    QTest::newRow("Q trailing equals") << QByteArray("=?gb2312?Q?ab=?=") << QByteArray("ab");
    QTest::newRow("Q equals and one digit") << QByteArray("=?gb2312?Q?ab=4?=") << QByteArray("ab");
    QTest::newRow("words glued are one payload") << QByteArray("=?x?Q?a?==?x?Q?b?=") << QByteArray("a?hx?Q?b");
    QTest::newRow("tab does not separate") << QByteArray("a\t=?x?B?YWJj?=") << QByteArray("a\tabc");
    QTest::newRow("invalid byte keeps previous slot") << QByteArray("=?x?B?YWJj*WJj?=") << QByteArray("abcabc");
    QTest::newRow("pad in first slot gives nothing") << QByteArray("=?x?B?=AAAYWJj?=") << QByteArray("abc");
    QTest::newRow("spam tag with dash") << QByteArray("***SPAM***-=?gb2312?B?YWJj?=") << QByteArray("abc");
    QTest::newRow("spam tag own segment") << QByteArray("***SPAM*** =?gb2312?B?YWJj?=") << QByteArray("***SPAM***abc");
    QTest::newRow("spam tag case matters") << QByteArray("***spam***-=?gb2312?B?YWJj?=") << QByteArray("***spam***-abc");
    QTest::newRow("spam tag without dash") << QByteArray("***SPAM***=?gb2312?B?YWJj?=") << QByteArray("***SPAM***abc");
}

void TestDecodeEmail::decodeText()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, expected);
    QCOMPARE(DecodeHeaderText(input), expected);
}

void TestDecodeEmail::longTail()
{
    // A short encoded word and 1,083 bytes after it: only 999 of the tail stay.
    const QByteArray word("=?gb2312?B?YWJj?=");
    const QByteArray text = word + QByteArray(1100 - word.size(), 'x');
    QCOMPARE(text.size(), 1100);
    const QByteArray result = DecodeHeaderText(text);
    QCOMPARE(result, QByteArray("abc") + QByteArray(999, 'x'));

    // The prefix before the word is not limited.
    const QByteArray prefix(2000, 'p');
    QCOMPARE(DecodeHeaderWord(prefix + word), prefix + "abc");
}

void TestDecodeEmail::split_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QList<QByteArray>>("parts");
    QTest::newRow("plain") << QByteArray("a b") << QList<QByteArray>{"a", "b"};
    QTest::newRow("two spaces") << QByteArray("a  b") << QList<QByteArray>{"a", "", "b"};
    QTest::newRow("leading space") << QByteArray(" a") << QList<QByteArray>{"", "a"};
    QTest::newRow("trailing space") << QByteArray("a ") << QList<QByteArray>{"a"};
    QTest::newRow("empty") << QByteArray() << QList<QByteArray>{};
    QTest::newRow("only space") << QByteArray(" ") << QList<QByteArray>{""};
}

void TestDecodeEmail::split()
{
    QFETCH(QByteArray, text);
    QFETCH(QList<QByteArray>, parts);
    QList<QByteArray> list{"stale"};
    SplitText(" ", text, list);
    QCOMPARE(list, parts);

    SplitText("--", "a--b----c", list);
    QCOMPARE(list, (QList<QByteArray>{"a", "b", "", "c"}));
    SplitText("", "abc", list);
    QCOMPARE(list, QList<QByteArray>{"abc"});
}

void TestDecodeEmail::display()
{
    // GB2312 bytes and UTF-8 bytes both come out as the same characters.
    QCOMPARE(DecodeHeaderDisplay("=?gb2312?B?1tDOxA==?="), QString::fromUtf8("中文"));
    QCOMPARE(DecodeHeaderDisplay("=?utf-8?B?5Lit5paH?="), QString::fromUtf8("中文"));
    QCOMPARE(DecodeHeaderDisplay("Plain  text"), QStringLiteral("Plain  text"));
}

void TestDecodeEmail::garbageTerminates()
{
    // Large and hostile inputs end quickly and keep the length bounded.
    QByteArray spaces(200000, ' ');
    spaces.prepend("=?x?B?YWJj?=");
    QCOMPARE(DecodeHeaderText(spaces), QByteArray("abc"));

    QByteArray noise;
    // No spaces: one segment, so the NUL cut applies to all of it.
    for (int i = 0; i < 100000; ++i)
        noise.append(char(i * 37 % 256 == ' ' ? '!' : i * 37 % 256));
    noise.prepend("=?a?Q?");
    noise.append("?=");
    const QByteArray out = DecodeHeaderText(noise);
    QVERIFY(out.size() <= noise.size());
    QVERIFY(!out.contains('\0'));
}

QTEST_APPLESS_MAIN(TestDecodeEmail)
#include "tst_decodeemail.moc"
