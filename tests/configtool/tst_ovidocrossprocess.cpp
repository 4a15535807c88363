#include "OvidoFixture.h"
#include "OvidoProgram.h"
#include "TLoginForm.h"
#include "TcompInfoForm.h"
#include "TsubMainForm.h"
#include "TmainForm.h"
#include "ui_TLoginForm.h"
#include "ui_TcompInfoForm.h"
#include "ui_TmainForm.h"
#include "ui_TsubMainForm.h"

#include <QProcess>
#include <QtTest>

// What Ovido commits is what another process reads at its next start, while
// Ovido keeps the file open with a reading transaction.
class TestOvidoCrossProcess : public QObject
{
    Q_OBJECT
private slots:
    void committedWritesReachOtherProcess();
    void brastelShowsChangesAtNextStart();
};

static QString readInOtherProcess(const QString &file, const QString &table, const QString &column)
{
    QProcess reader;
    reader.start(QStringLiteral(TREMLIN_TEST_BIN_DIR "/ovido_dbreader"), {file, table, column});
    if (!reader.waitForFinished(60000) || reader.exitCode() != 0)
        return QStringLiteral("failed (%1, %2): ").arg(reader.exitCode()).arg(reader.errorString())
               + QString::fromLocal8Bit(reader.readAllStandardError());
    return QString::fromUtf8(reader.readAllStandardOutput()).trimmed();
}

void TestOvidoCrossProcess::committedWritesReachOtherProcess()
{
    OvidoFixture f;
    f.createDatabase();
    const QString db = f.dir() + "CLINFO.DB";
    OvidoProgram &p = f.start();
    p.mainForm()->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.mainForm()));
    QTreeWidget *tree = p.mainForm()->ui()->TreeView1;
    // Loading the login page leaves Ovido's reading transaction open.
    tree->setCurrentItem(tree->topLevelItem(0)->child(1));

    p.compInfoForm()->ui()->Edit2->setText(" 新的标题 ");
    QTest::mouseClick(p.compInfoForm()->ui()->BitBtn2, Qt::LeftButton);
    QCOMPARE(readInOtherProcess(db, "CLIENT_INFO", "SYS_CAPTION"), QString("新的标题"));

    // The login background is pending until "应用".
    const QString bg = f.writeImage("bg.jpg", QSize(50, 40), Qt::darkRed, "JPEG");
    f.chooseFile(bg);
    QTest::mouseClick(p.loginForm()->ui()->BitBtn4, Qt::LeftButton);
    QCOMPARE(readInOtherProcess(db, "LOGIN_INFO", "BACKGROUND"), QString("NULL"));
    QTest::mouseClick(p.loginForm()->ui()->BitBtn5, Qt::LeftButton);
    QCOMPARE(readInOtherProcess(db, "LOGIN_INFO", "BACKGROUND"),
             QString("blob:%1").arg(QFileInfo(bg).size()));
}

void TestOvidoCrossProcess::brastelShowsChangesAtNextStart()
{
    OvidoFixture f;
    f.createDatabase();
    // Brastel's directory of its own: its "file" key names the database by full path.
    f.writeFile("brastel/Config.ini",
                QString("[Server]\nurl=http://127.0.0.1:9\n[Local]\nfile=%1CLINFO.DB\n").arg(f.dir()).toUtf8());
    auto brastel = [&f] {
        QProcess p;
        p.start(QStringLiteral(TREMLIN_TEST_BIN_DIR "/brastel_look"), {f.dir() + "brastel/"});
        p.waitForFinished(60000);
        return QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    };
    const QStringList before = brastel();
    QVERIFY2(before.size() == 3, qPrintable(before.join('|')));
    QVERIFY(!before.contains("caption=我的平台"));

    OvidoProgram &p = f.start();
    p.mainForm()->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.mainForm()));
    p.compInfoForm()->ui()->Edit2->setText("  我的平台 ");
    QTest::mouseClick(p.compInfoForm()->ui()->BitBtn2, Qt::LeftButton);
    p.compInfoForm()->ui()->Edit1->setText("出版商");
    QTest::mouseClick(p.compInfoForm()->ui()->BitBtn1, Qt::LeftButton);
    QTreeWidget *tree = p.mainForm()->ui()->TreeView1;
    tree->setCurrentItem(tree->topLevelItem(0)->child(2));
    QTest::mouseClick(p.subMainForm()->ui()->RadioButton2, Qt::LeftButton);
    QCOMPARE(f.boxes.size(), 2);

    // Ovido is still running with the file open.
    QCOMPARE(brastel(), QStringList({"caption=我的平台", "copyright= 出版商", "maximized=1"}));
}

QTEST_MAIN(TestOvidoCrossProcess)
#include "tst_ovidocrossprocess.moc"
