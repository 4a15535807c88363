#include "Base64Text.h"
#include "ClientDataSet.h"
#include "DataPacketWriter.h"
#include "Exception.h"

#include <QDateTime>
#include <QtTest>

// Data packets written by the server's writer and read by the client dataset.
class TestDataPacket : public QObject
{
    Q_OBJECT

    static QByteArray catalogue()
    {
        TDataPacketWriter w;
        w.addField("id", TFieldType::Integer);
        w.addField("cap", TFieldType::String, 100);
        w.addField("ico", TFieldType::Blob);
        w.addField("big", TFieldType::LargeInt);
        w.addField("ok", TFieldType::Boolean);
        w.addField("when", TFieldType::DateTime);
        w.addField("ratio", TFieldType::Float);
        w.addRow({1, QString::fromUtf8("邮件 \"a\" <b>&\n"), QByteArray("\x00\xff BM", 5), qint64(1) << 40, true,
                  QDateTime(QDate(2026, 12, 11), QTime(13, 5, 7, 123)), 0.25});
        w.addRow({-3, QString(), QVariant(), QVariant(), false, QVariant(), QVariant()});
        w.addRow({2, QString(""), QByteArray(""), 0, QVariant(), QVariant(), -1.5});
        return w.packet();
    }

private slots:
    void roundTripKeepsOrderTypesAndNulls()
    {
        TClientDataSet ds;
        ds.loadFromDataPacket(catalogue());
        QVERIFY(ds.isActive());
        QCOMPARE(ds.recordCount(), 3);
        QCOMPARE(ds.asInteger("ID"), 1);
        QCOMPARE(ds.asString("Cap"), QString::fromUtf8("邮件 \"a\" <b>&\n"));
        QCOMPARE(ds.asBytes("ico"), QByteArray("\x00\xff BM", 5));
        QCOMPARE(ds.asLargeInt("big"), qint64(1) << 40);
        QVERIFY_EXCEPTION_THROWN(ds.asInteger("big"), Exception);
        QCOMPARE(ds.value("when").toDateTime(), QDateTime(QDate(2026, 12, 11), QTime(13, 5, 7, 123)));
        QCOMPARE(ds.value("ratio").toDouble(), 0.25);
        QVERIFY(ds.value("ok").toBool());
        QVERIFY(!ds.isNull("ico"));

        ds.next();
        QCOMPARE(ds.asInteger("id"), -3);
        QVERIFY(ds.isNull("cap"));
        QVERIFY(ds.isNull("ICO"));
        QCOMPARE(ds.asBytes("ico"), QByteArray());
        QCOMPARE(ds.asInteger("big"), 0);
        QVERIFY(!ds.value("ok").toBool());

        ds.next();
        // An empty text and an empty BLOB are values, not NULL.
        QVERIFY(!ds.isNull("cap"));
        QVERIFY(!ds.isNull("ico"));
        QVERIFY(ds.isNull("ok"));
        ds.next();
        QVERIFY(ds.eof());
        QVERIFY_EXCEPTION_THROWN(ds.asInteger("id"), Exception);
        ds.first();
        QCOMPARE(ds.asInteger("id"), 1);
    }

    void rowsMayOrderAndSpellTheirValuesFreely()
    {
        TClientDataSet ds;
        ds.loadFromDataPacket("<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"id\" fieldtype=\"i4\"/>"
                              "<FIELD attrname=\"cap\" fieldtype=\"string\"/></FIELDS></METADATA><ROWDATA>"
                              "<ROW id=\"1\" cap=\"a\"/><ROW cap=\"b\" id=\"2\"/><ROW CAP=\"c\" ID=\"3\"/>"
                              "<ROW RowState=\"4\" id=\"4\"/><ROW id=\"5\" cap=\"e\"/></ROWDATA></DATAPACKET>");
        QStringList seen;
        for (ds.first(); !ds.eof(); ds.next())
            seen << QString::number(ds.asInteger("id")) + (ds.isNull("cap") ? "-" : ds.asString("cap"));
        QCOMPARE(seen, QStringList({"1a", "2b", "3c", "4-", "5e"}));
    }

    void unknownFieldIsNamed()
    {
        TClientDataSet ds;
        ds.loadFromDataPacket(catalogue());
        QVERIFY(!ds.fieldExists("nosuch"));
        QVERIFY(ds.fieldExists("OBJNAME") == false && ds.fieldExists("CAP"));
        try {
            ds.asString("nosuch");
            QFAIL("no exception");
        } catch (const Exception &e) {
            QVERIFY2(e.message().contains("\"nosuch\""), qPrintable(e.message()));
        }
    }

    void reopenWithoutServerReadsTheLoadedPacket()
    {
        TClientDataSet ds;
        QVERIFY_EXCEPTION_THROWN(ds.open(), Exception);
        ds.loadFromDataPacket(catalogue());
        ds.next();
        ds.close();
        QVERIFY(!ds.isActive());
        QCOMPARE(ds.recordCount(), 0);
        ds.open();
        QCOMPARE(ds.recordCount(), 3);
        QCOMPARE(ds.asInteger("id"), 1);
    }

    void brokenPackets_data()
    {
        QTest::addColumn<QByteArray>("packet");
        QTest::addColumn<QString>("cause");
        const QByteArray good = catalogue();
        QTest::newRow("truncated") << good.left(good.size() - 30) << "truncated";
        QTest::newRow("empty") << QByteArray() << "truncated";
        QTest::newRow("not xml") << QByteArray("HTTP/1.1 500 oops") << "truncated";
        QTest::newRow("not a packet") << QByteArray("<html><body/></html>") << "<html>";
        QTest::newRow("no rowdata") << QByteArray("<DATAPACKET><METADATA><FIELDS/></METADATA></DATAPACKET>")
                                    << "ROWDATA";
        QTest::newRow("unknown type")
            << QByteArray("<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"id\" fieldtype=\"i4\"/>"
                          "<FIELD attrname=\"x\" fieldtype=\"guid\"/></FIELDS></METADATA><ROWDATA/></DATAPACKET>")
            << "\"guid\"";
        QTest::newRow("row value without field")
            << QByteArray("<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"id\" fieldtype=\"i4\"/></FIELDS>"
                          "</METADATA><ROWDATA><ROW id=\"1\"/><ROW id=\"2\" cap=\"x\"/></ROWDATA></DATAPACKET>")
            << "row 2 has a value for \"cap\"";
        QTest::newRow("integer not a number")
            << QByteArray("<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"id\" fieldtype=\"i4\"/></FIELDS>"
                          "</METADATA><ROWDATA><ROW id=\"1x\"/></ROWDATA></DATAPACKET>")
            << "\"id\" holds \"1x\"";
        QTest::newRow("blob not base64")
            << QByteArray("<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"ico\" fieldtype=\"bin.hex\"/></FIELDS>"
                          "</METADATA><ROWDATA><ROW ico=\"!!\"/></ROWDATA></DATAPACKET>")
            << "not Base64";
        QTest::newRow("duplicate field")
            << QByteArray("<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"id\" fieldtype=\"i4\"/>"
                          "<FIELD attrname=\"ID\" fieldtype=\"i4\"/></FIELDS></METADATA><ROWDATA/></DATAPACKET>")
            << "twice";
    }

    void brokenPackets()
    {
        QFETCH(QByteArray, packet);
        QFETCH(QString, cause);
        TClientDataSet ds;
        try {
            ds.loadFromDataPacket(packet);
            QFAIL("no exception");
        } catch (const Exception &e) {
            QVERIFY2(e.message().contains(cause), qPrintable(e.message()));
        }
        QVERIFY(!ds.isActive());
    }

    void base64FromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("empty") << "" << true;
        QTest::newRow("one pad") << "QUJDRA==" << true;
        QTest::newRow("no pad") << "QUJD" << true;
        QTest::newRow("line breaks") << "QUJD\r\nREVG\n" << true;
        QTest::newRow("binary") << QString::fromLatin1(QByteArray("\x00\xff\x10\x80", 4).toBase64()) << true;
        QTest::newRow("bad char") << "QU*D" << false;
        QTest::newRow("data after pad") << "QQ==QUJD" << false;
        QTest::newRow("non-latin") << QString::fromUtf8("QUJ邮") << false;
    }

    void base64FromText()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QByteArray out;
        QCOMPARE(Base64Text::decode(text.constData(), text.size(), &out), valid);
        if (valid) {
            QCOMPARE(out, QByteArray::fromBase64(text.toLatin1()));
            QVERIFY(!out.isNull());
        }
    }

    void writerRejectsMisuse()
    {
        TDataPacketWriter w;
        w.addField("id", TFieldType::Integer);
        QVERIFY_EXCEPTION_THROWN(w.addRow({1, 2}), Exception);
        w.addRow({1});
        QVERIFY_EXCEPTION_THROWN(w.addField("late", TFieldType::String), Exception);
        TClientDataSet ds;
        ds.loadFromDataPacket(w.packet());
        QCOMPARE(ds.recordCount(), 1);
    }
};

QTEST_GUILESS_MAIN(TestDataPacket)
#include "tst_datapacket.moc"
