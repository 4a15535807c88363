#include "OvidoFixture.h"
#include "OvidoProgram.h"
#include "TmainForm.h"
#include "TsubMainForm.h"
#include "ui_TmainForm.h"
#include "ui_TsubMainForm.h"

#include <QtTest>

using Writes = QStringList; // "COLUMN=value" in the order written

// The main-window page against a real CLIENT_INFO row.
class TestOvidoMainPage : public QObject
{
    Q_OBJECT
private slots:
    void loading_data();
    void loading();
    void styleAndCheckBox();
    void styleFailureKeepsEarlyEnabling();
    void modeBoxes();
    void heightBox();
    void pictureFiles_data();
    void pictureFiles();
    void noRow();
};

// Column and value of each update, from "Update CLIENT_INFO Set X = :p where ...".
static Writes writes(const OvidoFixture &f)
{
    Writes out;
    for (const auto &u : f.updates) {
        const QString column = u.first.section(' ', 3, 3).toUpper();
        out << column + "=" + (u.second.type() == QVariant::ByteArray ? QString("<blob>") : u.second.toString());
    }
    return out;
}

static TsubMainForm *showPage(OvidoFixture &f)
{
    OvidoProgram &p = f.start();
    p.mainForm()->show();
    if (!QTest::qWaitForWindowExposed(p.mainForm()))
        return nullptr;
    QTreeWidgetItem *root = p.mainForm()->ui()->TreeView1->topLevelItem(0);
    p.mainForm()->ui()->TreeView1->setCurrentItem(root->child(2));
    return p.subMainForm();
}

static bool allEnabled(const QVector<QWidget *> &widgets, bool enabled)
{
    for (QWidget *w : widgets) {
        if (w->isEnabled() != enabled)
            return false;
    }
    return true;
}

void TestOvidoMainPage::loading_data()
{
    QTest::addColumn<QString>("set"); // SET clause for row 1, empty: all NULL
    QTest::addColumn<bool>("maximised");
    QTest::addColumn<bool>("shaped");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<bool>("checkEnabled");
    QTest::addColumn<QList<int>>("modeIndexes");
    QTest::addColumn<Writes>("written");

    QTest::newRow("all NULL") << "" << false << false << false << true << QList<int>{1, 1, 1, 1, 1}
                              << Writes{"TOP_OPEN=0"};
    QTest::newRow("design values write nothing")
        << "FORM_STATE=0, FORM_STYLE=0, TOP_OPEN=1, LOGO_SHOWMODULE=1, TOP_BG_SHOWMODULE=0, TOP_RIGHT_SHOWMODULE=1,"
           " SYS_GROUNDMODULE=0, SYS_SHOWMODULE=1"
        << false << false << true << true << QList<int>{0, 1, 0, 1, 0} << Writes{};
    QTest::newRow("FORM_STATE 1 written again") << "FORM_STATE=1, TOP_OPEN=1" << true << false << true << true
                                                << QList<int>{1, 1, 1, 1, 1} << Writes{"FORM_STATE=1"};
    QTest::newRow("shaped with top bar closed")
        << "FORM_STYLE=1, TOP_OPEN=0" << false << true << false << false << QList<int>{1, 1, 1, 1, 1}
        << Writes{"FORM_STYLE=1", "TOP_OPEN=0"};
    QTest::newRow("other codes leave the design state")
        << "FORM_STATE=2, FORM_STYLE=2, TOP_OPEN=2, LOGO_SHOWMODULE=5" << false << false << true << true
        << QList<int>{0, 1, 1, 1, 1} << Writes{};
}

void TestOvidoMainPage::loading()
{
    QFETCH(QString, set);
    QFETCH(bool, maximised);
    QFETCH(bool, shaped);
    QFETCH(bool, ticked);
    QFETCH(bool, checkEnabled);
    QFETCH(QList<int>, modeIndexes);
    QFETCH(Writes, written);
    OvidoFixture f;
    f.createDatabase();
    if (!set.isEmpty())
        f.exec("UPDATE CLIENT_INFO SET " + set + " WHERE ID = 1");
    TsubMainForm *page = showPage(f);
    QVERIFY(page);
    Ui::TsubMainForm *ui = page->ui();
    QCOMPARE(ui->RadioButton2->isChecked(), maximised);
    QCOMPARE(ui->RadioButton1->isChecked(), !maximised);
    QCOMPARE(ui->RdBtnSty2->isChecked(), shaped);
    QCOMPARE(ui->BitBtn2->isEnabled(), shaped);
    QCOMPARE(ui->BitBtn3->isEnabled(), shaped);
    QCOMPARE(ui->CheckBox1->isChecked(), ticked);
    QCOMPARE(ui->CheckBox1->isEnabled(), checkEnabled);
    QVERIFY(allEnabled(page->topBarControls(), ticked));
    QCOMPARE(page->topBarControls().size(), 10);
    QVERIFY(!ui->Edit1->isEnabled());
    QVERIFY(!ui->Edit2->isEnabled());
    const QList<int> indexes{ui->ComboBox1->currentIndex(), ui->ComboBox2->currentIndex(), ui->ComboBox3->currentIndex(),
                             ui->ComboBox4->currentIndex(), ui->ComboBox5->currentIndex()};
    QCOMPARE(indexes, modeIndexes);
    QCOMPARE(writes(f), written);
    QCOMPARE(ui->RzSpinEdit1->value(), 45);
    QVERIFY(f.boxes.isEmpty());
}

void TestOvidoMainPage::styleAndCheckBox()
{
    OvidoFixture f;
    f.createDatabase();
    f.exec("UPDATE CLIENT_INFO SET TOP_OPEN = 0 WHERE ID = 1");
    TsubMainForm *page = showPage(f);
    QVERIFY(page);
    Ui::TsubMainForm *ui = page->ui();
    QVERIFY(!ui->CheckBox1->isChecked());
    QCOMPARE(writes(f), Writes({"TOP_OPEN=0"})); // the loading's untick
    f.updates.clear();

    QTest::mouseClick(ui->RdBtnSty2, Qt::LeftButton);
    QCOMPARE(writes(f), Writes({"FORM_STYLE=1", "TOP_OPEN=1"}));
    QVERIFY(ui->CheckBox1->isChecked());
    QVERIFY(!ui->CheckBox1->isEnabled());
    QVERIFY(allEnabled(page->topBarControls(), true));
    QVERIFY(ui->BitBtn2->isEnabled() && ui->BitBtn3->isEnabled());
    QCOMPARE(f.value("CLIENT_INFO", "TOP_OPEN").toInt(), 1);

    // Choosing the selected button again runs nothing.
    QTest::mouseClick(ui->RdBtnSty2, Qt::LeftButton);
    QCOMPARE(f.updates.size(), 2);

    QTest::mouseClick(ui->RdBtnSty1, Qt::LeftButton);
    QCOMPARE(writes(f).mid(2), Writes({"FORM_STYLE=0"}));
    QVERIFY(ui->CheckBox1->isEnabled());
    QVERIFY(ui->CheckBox1->isChecked());
    QVERIFY(!ui->BitBtn2->isEnabled() && !ui->BitBtn3->isEnabled());
    QCOMPARE(f.value("CLIENT_INFO", "FORM_STYLE").toInt(), 0);

    // The check box switches the ten top-bar controls together.
    QTest::mouseClick(ui->CheckBox1, Qt::LeftButton);
    QCOMPARE(writes(f).mid(3), Writes({"TOP_OPEN=0"}));
    QVERIFY(allEnabled(page->topBarControls(), false));

    QTest::mouseClick(ui->RadioButton2, Qt::LeftButton);
    QTest::mouseClick(ui->RadioButton1, Qt::LeftButton);
    QCOMPARE(writes(f).mid(4), Writes({"FORM_STATE=1", "FORM_STATE=0"}));
    QVERIFY(f.boxes.isEmpty());
}

void TestOvidoMainPage::styleFailureKeepsEarlyEnabling()
{
    OvidoFixture f; // no database: every statement fails
    TsubMainForm *page = showPage(f);
    QVERIFY(page);
    Ui::TsubMainForm *ui = page->ui();
    QTest::mouseClick(ui->RdBtnSty2, Qt::LeftButton);
    QCOMPARE(f.boxes.size(), 1);
    QVERIFY(f.boxes.at(0).error);
    QVERIFY(ui->BitBtn2->isEnabled()); // before the update
    QVERIFY(ui->CheckBox1->isEnabled()); // after the commit: did not run
}

void TestOvidoMainPage::modeBoxes()
{
    OvidoFixture f;
    f.createDatabase();
    f.exec("UPDATE CLIENT_INFO SET TOP_OPEN = 1, LOGO_SHOWMODULE = 1, TOP_RIGHT_SHOWMODULE = 1,"
           " SYS_SHOWMODULE = 1 WHERE ID = 1");
    TsubMainForm *page = showPage(f);
    QVERIFY(page);
    QCOMPARE(page->ui()->ComboBox3->currentText(), QString("拉伸"));
    page->ui()->ComboBox3->setFocus();
    QTest::keyClick(page->ui()->ComboBox3, Qt::Key_Down); // "平铺"
    QCOMPARE(page->ui()->ComboBox5->currentText(), QString("居中"));
    QTest::keyClick(page->ui()->ComboBox5, Qt::Key_Down); // "拉伸"
    QCOMPARE(writes(f), Writes({"TOP_RIGHT_SHOWMODULE=0", "SYS_SHOWMODULE=0"}));
    QCOMPARE(f.value("CLIENT_INFO", "TOP_RIGHT_SHOWMODULE").toInt(), 0);
    QCOMPARE(f.value("CLIENT_INFO", "SYS_SHOWMODULE").toInt(), 0);
    QCOMPARE(f.value("CLIENT_INFO", "LOGO_SHOWMODULE").toInt(), 1);
    QTest::keyClick(page->ui()->ComboBox3, Qt::Key_Up);
    QCOMPARE(f.value("CLIENT_INFO", "TOP_RIGHT_SHOWMODULE").toInt(), 1);
}

void TestOvidoMainPage::heightBox()
{
    OvidoFixture f;
    f.createDatabase();
    f.exec("UPDATE CLIENT_INFO SET TOP_OPEN = 1, TOP_HEIGHT = 120 WHERE ID = 1");
    TsubMainForm *page = showPage(f);
    QVERIFY(page);
    QSpinBox *spin = page->ui()->RzSpinEdit1;
    // The stored height is shown, not written back.
    QCOMPARE(spin->value(), 120);
    QVERIFY(f.updates.isEmpty());
    spin->setFocus();
    QTest::keyClicks(spin, "7");
    QCOMPARE(spin->value(), 120);
    QTest::keyClick(spin, Qt::Key_Up);
    QTest::keyClick(spin, Qt::Key_Up);
    QCOMPARE(writes(f), Writes({"TOP_HEIGHT=121", "TOP_HEIGHT=122"}));
    QCOMPARE(f.value("CLIENT_INFO", "TOP_HEIGHT").toDouble(), 122.0);
    spin->setValue(500);
    QCOMPARE(spin->value(), 200);
}

void TestOvidoMainPage::pictureFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("outcome"); // stored, format, error
    const QByteArray jpeg = OvidoFixture::imageBytes(QSize(20, 10), Qt::green, "JPEG");
    const QByteArray bmp = OvidoFixture::imageBytes(QSize(20, 10), Qt::red, "BMP");
    QTest::newRow(".jpg") << "a.jpg" << jpeg << "stored";
    QTest::newRow(".JPG") << "B.JPG" << jpeg << "stored";
    QTest::newRow(".Bmp") << "c.Bmp" << bmp << "stored";
    QTest::newRow(".jpeg") << "d.jpeg" << jpeg << "format";
    QTest::newRow("no extension") << "picture" << bmp << "format";
    QTest::newRow("dot in folder only") << "dir.bmp/picture" << bmp << "format";
    QTest::newRow("JPEG named .bmp") << "e.bmp" << jpeg << "error";
    QTest::newRow("truncated bitmap") << "f.bmp" << bmp.left(bmp.size() / 2) << "error";
    QImage noise(200, 100, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x * y) % 256));
    QByteArray bigJpeg;
    QBuffer buffer(&bigJpeg);
    buffer.open(QIODevice::WriteOnly);
    noise.save(&buffer, "JPEG");
    QTest::newRow("truncated JPEG") << "g.jpg" << bigJpeg.left(bigJpeg.size() / 2) << "error";
    QTest::newRow("missing file") << "" << QByteArray() << "error";
}

void TestOvidoMainPage::pictureFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, outcome);
    OvidoFixture f;
    f.createDatabase();
    f.exec("UPDATE CLIENT_INFO SET TOP_OPEN = 1 WHERE ID = 1");
    TsubMainForm *page = showPage(f);
    QVERIFY(page);
    const QString path = name.isEmpty() ? f.dir() + "gone.bmp" : f.writeFile(name, content);
    f.chooseFile(path);
    QTest::mouseClick(page->ui()->BitBtn6, Qt::LeftButton); // "系统LOGO："
    const QVariant stored = f.value("CLIENT_INFO", "LOGO");
    if (outcome == "stored") {
        QCOMPARE(stored.toByteArray(), content);
        QVERIFY(f.boxes.isEmpty());
        QCOMPARE(page->ui()->edtLogo->text(), path);
        QVERIFY(!page->ui()->imgLogo->pixmap(Qt::ReturnByValue).isNull());
    } else {
        QVERIFY(stored.isNull());
        QCOMPARE(f.boxes.size(), 1);
        QCOMPARE(f.boxes.at(0).error, outcome == "error");
        if (outcome == "format") {
            QCOMPARE(f.boxes.at(0).caption, QString("提示"));
            QCOMPARE(f.boxes.at(0).text, QString("格式错误！"));
        } else {
            QVERIFY2(f.boxes.at(0).text.contains(path), qPrintable(f.boxes.at(0).text));
        }
        QVERIFY(page->ui()->edtLogo->text().isEmpty());
    }
}

void TestOvidoMainPage::noRow()
{
    OvidoFixture f;
    f.createDatabase();
    f.exec("UPDATE CLIENT_INFO SET ID = 2, FORM_STATE = 1");
    TsubMainForm *page = showPage(f);
    QVERIFY(page);
    QVERIFY(page->ui()->RadioButton1->isChecked());
    QVERIFY(page->ui()->CheckBox1->isChecked());
    QVERIFY(f.updates.isEmpty());
    QTest::mouseClick(page->ui()->RadioButton2, Qt::LeftButton);
    QCOMPARE(f.updates.size(), 1);
    QVERIFY(f.boxes.isEmpty());
}

QTEST_MAIN(TestOvidoMainPage)
#include "tst_ovidomainpage.moc"
