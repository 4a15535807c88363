#include "IniFile.h"

#include <QTemporaryDir>
#include <QtTest>

class TestIniFile : public QObject
{
    Q_OBJECT
private slots:
    void readRules();
    void integers_data();
    void integers();
    void writeKeepsOtherLines();
    void writeNewKeyAndSection();
    void missingFileAndGarbage();

private:
    QString write(const QByteArray &content);
    QTemporaryDir m_dir;
    int m_count = 0;
};

QString TestIniFile::write(const QByteArray &content)
{
    const QString name = m_dir.filePath(QString("f%1.ini").arg(m_count++));
    QFile f(name);
    f.open(QIODevice::WriteOnly);
    f.write(content);
    return name;
}

void TestIniFile::readRules()
{
    TIniFile ini(write("; comment\r\n[Server]\r\nURL = http://h:1/ \r\n[local]\r\npwd=\"secret\"\r\nNavWidth=12\r\n"));
    QCOMPARE(ini.readString("server", "url", "d"), QString("http://h:1/"));
    QCOMPARE(ini.readString("LOCAL", "PWD", "d"), QString("secret"));
    QCOMPARE(ini.readString("Local", "missing", "dflt"), QString("dflt"));
    QCOMPARE(ini.readString("Nowhere", "url", "dflt"), QString("dflt"));
    QCOMPARE(ini.readInteger("Local", "navwidth", 230), 12);
}

void TestIniFile::integers_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("decimal") << QByteArray("42") << 42;
    QTest::newRow("negative") << QByteArray("-3") << -3;
    QTest::newRow("not a number") << QByteArray("wide") << 230;
    QTest::newRow("trailing text") << QByteArray("12px") << 230;
    QTest::newRow("hex") << QByteArray("0x10") << 230;
    QTest::newRow("empty") << QByteArray("") << 230;
    QTest::newRow("overflow") << QByteArray("99999999999") << 230;
}

void TestIniFile::integers()
{
    QFETCH(QByteArray, text);
    QFETCH(int, value);
    TIniFile ini(write("[Local]\nNavWidth=" + text + "\n"));
    QCOMPARE(ini.readInteger("Local", "NavWidth", 230), value);
}

void TestIniFile::writeKeepsOtherLines()
{
    const QByteArray before = "; keep me\r\n[Server]\r\nurl=http://x\r\n[Local]\r\nnavwidth=10\r\nUnknown=1\r\n";
    const QString name = write(before);
    TIniFile ini(name);
    ini.writeInteger("LOCAL", "NavWidth", 0);
    QFile f(name);
    f.open(QIODevice::ReadOnly);
    QCOMPARE(f.readAll(), QByteArray("; keep me\r\n[Server]\r\nurl=http://x\r\n[Local]\r\nnavwidth=0\r\nUnknown=1\r\n"));
    QCOMPARE(TIniFile(name).readInteger("Local", "NavWidth", 230), 0);
}

void TestIniFile::writeNewKeyAndSection()
{
    const QString name = write("[Local]\npwd=a\n\n[Other]\nx=1\n");
    TIniFile(name).writeInteger("Local", "NavWidth", 243);
    TIniFile(name).writeString("New", "k", "v");
    QFile f(name);
    f.open(QIODevice::ReadOnly);
    QCOMPARE(f.readAll(), QByteArray("[Local]\npwd=a\nNavWidth=243\n\n[Other]\nx=1\n[New]\nk=v\n"));
}

void TestIniFile::missingFileAndGarbage()
{
    const QString missing = m_dir.filePath("none/Config.ini");
    TIniFile none(missing);
    QCOMPARE(none.readString("Server", "url", "d"), QString("d"));

    QByteArray garbage;
    for (int i = 0; i < 70000; ++i)
        garbage.append(char((i * 7919) % 256));
    garbage.append(QByteArray(100000, '[')); // one over-long line
    TIniFile g(write(garbage));
    QCOMPARE(g.readInteger("Local", "NavWidth", 230), 230);

    const QString created = m_dir.filePath("Config.ini");
    TIniFile c(created);
    c.writeInteger("Local", "NavWidth", 5);
    QCOMPARE(TIniFile(created).readInteger("Local", "NavWidth", 230), 5);
}

QTEST_APPLESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
