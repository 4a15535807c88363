#include "ErrorGuard.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

class TestErrorBox : public QObject
{
    Q_OBJECT
private slots:
    void fullStop_data();
    void fullStop();
    void guardShowsAndGoesOn();
    void realBoxHasTitleAndIcon();
};

void TestErrorBox::fullStop_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << "File not found" << "File not found.";
    QTest::newRow("already a stop") << "Done." << "Done.";
    QTest::newRow("exclamation sorts before") << "Stop!" << "Stop!";
    QTest::newRow("closing bracket") << "Bad (x)" << "Bad (x)";
    QTest::newRow("digit sorts after") << "code 42" << "code 42.";
    QTest::newRow("chinese") << "格式错误" << "格式错误.";
    QTest::newRow("empty") << "" << "";
}

void TestErrorBox::fullStop()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(ErrorBox::errorText(message), shown);
}

void TestErrorBox::guardShowsAndGoesOn()
{
    QStringList seen;
    ErrorBox::setPresenter([&](ErrorBox::Kind kind, const QString &caption, const QString &text) {
        QCOMPARE(kind, ErrorBox::Kind::Error);
        seen << caption + "|" + text;
    });
    QCoreApplication::setApplicationName("Brastel");
    QVERIFY(!ErrorGuard::run([] { throw Exception("Database is locked"); }));
    QVERIFY(!ErrorGuard::run([] { throw std::runtime_error("plain"); }));
    QVERIFY(ErrorGuard::run([] {}));
    QCOMPARE(seen, (QStringList{"Brastel|Database is locked.", "Brastel|plain."}));
    ErrorBox::setPresenter({});
}

void TestErrorBox::realBoxHasTitleAndIcon()
{
    QCoreApplication::setApplicationName("Ovido");
    bool checked = false;
    QTimer::singleShot(0, [&] {
        auto box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QString("Ovido"));
        QCOMPARE(box->icon(), QMessageBox::Critical);
        QCOMPARE(box->text(), QString("No such file."));
        checked = true;
        box->accept();
    });
    ErrorBox::showError("No such file");
    QVERIFY(checked);
}

QTEST_MAIN(TestErrorBox)
#include "tst_errorbox.moc"
