#include "ApplyRights.h"
#include "ClientDataSet.h"
#include "CloseDataSets.h"
#include "DataPacketWriter.h"
#include "Exception.h"
#include "ModuleEntry.h"
#include "ModuleState.h"
#include "TDM.h"
#include "TDllForm.h"
#include "TImageList.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>
#include <QtTest>

using zaskar::TDllForm;

class TestModuleForm : public QObject
{
    Q_OBJECT
private slots:
    void applyRights_data();
    void applyRights();
    void formWithoutHostPanelFillsItsParent();
    void toolbarImages();
    void closeDataSetsClosesEveryClientDataSet();
    void failedCreationStoresNoForm();
};

void TestModuleForm::applyRights_data()
{
    QTest::addColumn<QStringList>("rights");
    QTest::addColumn<QStringList>("visible");
    QTest::addColumn<QStringList>("captions"); // name=caption after applying

    const QStringList design{"BtnNew=添加", "BtnEdit=修改", "BtnSave=保存", "BtnDelete=删除"};
    QTest::newRow("empty list") << QStringList() << QStringList() << design;
    QTest::newRow("empty caption keeps the design caption")
        << QStringList{"7=BtnNew,"} << QStringList{"BtnNew"} << design;
    QTest::newRow("caption set") << QStringList{"7=BtnEdit,Check mail"} << QStringList{"BtnEdit"}
                                 << QStringList{"BtnEdit=Check mail", "BtnNew=添加"};
    QTest::newRow("caption with commas") << QStringList{"7=BtnSave,a,b, c"} << QStringList{"BtnSave"}
                                         << QStringList{"BtnSave=a,b, c"};
    QTest::newRow("lower-case name") << QStringList{"7=btnnew,New"} << QStringList{"BtnNew"}
                                     << QStringList{"BtnNew=New"};
    QTest::newRow("unknown name") << QStringList{"7=BtnPrint,Print"} << QStringList() << design;
    QTest::newRow("no comma after the name") << QStringList{"7=BtnNew"} << QStringList() << design;
    QTest::newRow("empty name") << QStringList{"7=,BtnNew"} << QStringList() << design;
    QTest::newRow("not a control") << QStringList{"7=ImgList,Images"} << QStringList() << design;
    QTest::newRow("later entry wins") << QStringList{"7=BtnDelete,First", "8=BTNDELETE,Second"}
                                      << QStringList{"BtnDelete"} << QStringList{"BtnDelete=Second"};
    QTest::newRow("control nested in the content area")
        << QStringList{"7=lblInfo,Shown"} << QStringList{"lblInfo"} << QStringList{"lblInfo=Shown"};
    QTest::newRow("several entries in order")
        << QStringList{"1=BtnNew,N", "2=BtnDelete,"} << QStringList{"BtnNew", "BtnDelete"}
        << QStringList{"BtnNew=N", "BtnDelete=删除", "BtnEdit=修改"};
}

void TestModuleForm::applyRights()
{
    QFETCH(QStringList, rights);
    QFETCH(QStringList, visible);
    QFETCH(QStringList, captions);

    TDllForm form;
    // Content a derived form puts into its area, hidden like the buttons.
    auto inner = new QFrame(form.Panel1());
    auto label = new QLabel(QStringLiteral("info"), inner);
    label->setObjectName(QStringLiteral("lblInfo"));
    label->setVisible(false);

    zaskar::ApplyRights(&rights, &form);

    for (const char *name : {"BtnNew", "BtnEdit", "BtnSave", "BtnDelete", "lblInfo"}) {
        auto w = form.findChild<QWidget *>(QLatin1String(name));
        QVERIFY2(w, name);
        QCOMPARE(!w->isHidden(), visible.contains(QLatin1String(name)));
    }
    for (const QString &c : captions) {
        const QString name = c.section('=', 0, 0), caption = c.section('=', 1);
        auto w = form.findChild<QWidget *>(name);
        QVERIFY2(w, qPrintable(name));
        QCOMPARE(w->property("text").toString(), caption);
    }
}

void TestModuleForm::formWithoutHostPanelFillsItsParent()
{
    // This process never received a host panel: the form fills its parent.
    QWidget parent;
    parent.resize(500, 300);
    auto form = new TDllForm(&parent);
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    QCOMPARE(form->geometry(), QRect(0, 0, 500, 300));
    QCOMPARE(form->palette().color(QPalette::Window), QColor(238, 243, 249));
    QVERIFY(!form->isWindow());
    parent.resize(620, 410);
    QCOMPARE(form->size(), QSize(620, 410));
    // The host fitting the form turns the filling off.
    form->setProperty("fillParent", false);
    parent.resize(300, 200);
    QCOMPARE(form->size(), QSize(620, 410));
}

void TestModuleForm::toolbarImages()
{
    TDllForm form;
    QCOMPARE(form.ImgList()->count(), 8);
    for (int i = 0; i < 8; ++i) {
        const QImage img = form.ImgList()->image(i);
        QCOMPARE(img.size(), QSize(16, 16));
        QCOMPARE(qAlpha(img.pixel(0, 0)), 0); // white corner is transparent
    }
    // Each button shows its own image and a different one when disabled.
    QToolButton *buttons[] = {form.BtnNew(), form.BtnEdit(), form.BtnSave(), form.BtnDelete()};
    for (int i = 0; i < 4; ++i) {
        const QIcon icon = buttons[i]->icon();
        QCOMPARE(icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32),
                 form.ImgList()->image(2 * i));
        QVERIFY(icon.pixmap(16, 16, QIcon::Disabled).toImage() != icon.pixmap(16, 16).toImage());
        QVERIFY(buttons[i]->isHidden());
    }
}

void TestModuleForm::closeDataSetsClosesEveryClientDataSet()
{
    zaskar::TDM dm;
    TDataPacketWriter writer;
    writer.addField(QStringLiteral("id"), TFieldType::Integer);
    writer.addRow({1});
    const QByteArray packet = writer.packet();
    const QList<TClientDataSet *> all = dm.findChildren<TClientDataSet *>();
    QCOMPARE(all.size(), 7);
    for (TClientDataSet *ds : all) {
        ds->loadFromDataPacket(packet);
        QVERIFY(ds->isActive());
    }
    zaskar::CloseDataSets(nullptr);
    zaskar::CloseDataSets(&dm);
    for (TClientDataSet *ds : all)
        QVERIFY2(!ds->isActive(), qPrintable(ds->objectName()));
}

void TestModuleForm::failedCreationStoresNoForm()
{
    using zaskar::ModuleEntry;
    QWidget panel;
    panel.resize(320, 240);
    QStringList rights{"1=BtnSave,"};
    const TUserInfo record{};
    auto failing = [](QWidget *) -> QWidget * { throw Exception(QStringLiteral("no settings")); };
    QVERIFY_EXCEPTION_THROWN(ModuleEntry::createForm(failing, nullptr, nullptr, record, &rights, &panel), Exception);
    QVERIFY(!zaskar::ModuleState::instance().form());

    // The next call tries again and succeeds.
    QPointer<QWidget> form = ModuleEntry::createForm([](QWidget *p) { return new TDllForm(p); }, nullptr, nullptr,
                                                     record, &rights, &panel);
    QVERIFY(form);
    QCOMPARE(zaskar::ModuleState::instance().form(), form.data());
    QCOMPARE(form->size(), QSize(320, 240));
    ModuleEntry::freeForm();
    QVERIFY(form.isNull());
    QVERIFY(!zaskar::ModuleState::instance().form());
    // The references stay until the next creation.
    QCOMPARE(zaskar::ModuleState::instance().hostPanel(), &panel);
}

QTEST_MAIN(TestModuleForm)
#include "tst_moduleform.moc"
