// The module host with real module libraries, in a small window laid out
// like the main window: tree, splitter, host panel, quick-launch bar.
#include "CatalogueFixture.h"
#include "ClientDataSet.h"
#include "ErrorBox.h"
#include "ModuleCatalogue.h"
#include "ModuleHost.h"
#include "ServerProcess.h"
#include "SoapConnection.h"
#include "SignInRecord.h"
#include "TImageList.h"
#include "TQuickButton.h"
#include "TRzSplitter.h"

#include <QLabel>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtTest>

#include <dlfcn.h>
#include <memory>

namespace {

using Row = CatalogueFixture::Row;

bool mapped(const QString &file)
{
    void *h = dlopen(QFile::encodeName(file).constData(), RTLD_NOW | RTLD_NOLOAD);
    if (h)
        dlclose(h);
    return h != nullptr;
}

QString testModule(const char *name)
{
    return QStringLiteral(TREMLIN_TEST_BIN_DIR "/Modules/") + QLatin1String(name) + QStringLiteral(".so");
}

QStringList events()
{
    return qApp->property("moduleEvents").toStringList();
}

auto * const fakeConnection = reinterpret_cast<TSoapConnection *>(quintptr(0x5100));
auto * const fakeInvoker = reinterpret_cast<THTTPRIO *>(quintptr(0x5200));

// Modules of every kind, with control rights for two of them.
QByteArray fixtureCatalogue()
{
    return CatalogueFixture::packet({
        {1, QStringLiteral("邮件"), QString(), 0, 0},
        {2, QStringLiteral("Group button"), QStringLiteral("RecordingModule.dll"), 0, 0, 1},
        {12, QStringLiteral("收件箱"), QStringLiteral("RecordingModule.dll"), 1, 1, 1},
        {13, QStringLiteral("Second"), QStringLiteral("RecordingModule"), 1, 1},
        {14, QStringLiteral("Raising"), QStringLiteral("RaisingModule.dll"), 1, 1},
        {15, QStringLiteral("No entry"), QStringLiteral("NoEntryModule.dll"), 1, 1},
        {16, QStringLiteral("Missing"), QStringLiteral("Missing.dll"), 1, 1},
        {17, QStringLiteral("Free raising"), QStringLiteral("FreeRaisingModule.dll"), 1, 1},
        {18, QStringLiteral("No controls"), QStringLiteral("RecordingModule.dll"), 1, 1},
        {20, QStringLiteral("Check mail"), QStringLiteral("BtnNew"), 12, 2},
        {21, QString(), QStringLiteral("BtnDelete"), 12, 2},
        {22, QStringLiteral("x"), QStringLiteral("BtnEdit"), 13, 2},
        {23, QStringLiteral("Save"), QStringLiteral("Btn Save"), 12, 2},
        {30, QStringLiteral("Mailbox"), QStringLiteral("Zaskar.dll"), 1, 1},
        {31, QStringLiteral("收信"), QStringLiteral("BtnNew"), 30, 2},
        {32, QStringLiteral("Escaping"), QStringLiteral("..\\..\\bin\\Modules\\Zaskar.dll"), 1, 1},
    });
}

// The parts of the main window the host and the catalogue work on.
struct HostWindow
{
    // Without a server the catalogue is fixtureCatalogue().
    explicit HostWindow(const QString &programDir,
                        const QString &rights = QStringLiteral(
                            "xx1,xx2,xx12,xx13,xx14,xx15,xx16,xx17,xx18,xx20,xx21,xx22,xx23,xx30,xx31,xx32"),
                        TSoapConnection *server = nullptr)
    {
        window.resize(1000, 700);
        auto layout = new QVBoxLayout(&window);
        toolBar = new QWidget;
        toolBar->setFixedHeight(58);
        layout->addWidget(toolBar);
        splitter = new TRzSplitter(Qt::Horizontal);
        layout->addWidget(splitter);
        tree = new QTreeWidget;
        splitter->addWidget(tree);
        panel = new QFrame;
        panel->setObjectName(QStringLiteral("pShowForm"));
        background = new QLabel(QStringLiteral("background"), panel);
        splitter->addWidget(panel);
        layout->addWidget(status = new QLabel);

        signIn.setNumber(42);
        signIn.setTexts(QStringLiteral("t1"), QString(), QStringLiteral("尾"), QStringLiteral("头"), rights);
        signIn.setSignedIn(true);

        if (server) {
            dataSet.setRemoteServer(server);
            dataSet.setProviderName(QStringLiteral("prvMdChientSel"));
        } else {
            dataSet.loadFromDataPacket(fixtureCatalogue());
        }
        ModuleCatalogue::Targets t;
        t.dataSet = &dataSet;
        t.toolBar = toolBar;
        t.treeImages = &treeImages;
        t.barImages = &barImages;
        t.controlRights = &controlRights;
        t.labelParent = &window;
        catalogue = std::make_unique<ModuleCatalogue>(t);

        ModuleHost::Shared s;
        s.connection = fakeConnection;
        s.invoker = fakeInvoker;
        s.signIn = &signIn;
        s.hostPanel = panel;
        s.controlRights = &controlRights;
        s.baseUrl = QStringLiteral("http://127.0.0.1:8181/");
        s.programDir = programDir;
        host = std::make_unique<ModuleHost>(s);
        host->setPathTarget([this](const QString &path) { status->setText(path); });

        // What the main window's three handlers do.
        QObject::connect(tree, &QTreeWidget::currentItemChanged, [this](QTreeWidgetItem *node) { host->nodeChanged(node); });
        catalogue->setButtonHandler([this](TQuickButton *b) { host->quickButtonClicked(b); });
        QObject::connect(splitter, &TRzSplitter::positionChanged, [this] { host->splitterChanged(splitter); });

        catalogue->BuildModuleTree(tree, signIn.rights());
        tree->expandAll();
        window.show();
        splitter->setPosition(243);
    }

    QTreeWidgetItem *node(const QString &text) const
    {
        const QList<QTreeWidgetItem *> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return found.value(0);
    }
    TQuickButton *button(int tag) const
    {
        for (TQuickButton *b : toolBar->findChildren<TQuickButton *>()) {
            if (b->tag() == tag)
                return b;
        }
        return nullptr;
    }
    QWidget *recorded() const { return panel->findChild<QWidget *>(QStringLiteral("RecordedForm")); }

    QWidget window;
    QWidget *toolBar;
    TRzSplitter *splitter;
    QTreeWidget *tree;
    QFrame *panel;
    QLabel *background;
    QLabel *status;
    SignInRecord signIn;
    TClientDataSet dataSet;
    TImageList treeImages{24, 24};
    TImageList barImages{24, 24};
    QStringList controlRights;
    std::unique_ptr<ModuleCatalogue> catalogue;
    std::unique_ptr<ModuleHost> host;
};

} // namespace

class TestModuleHost : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void nodeOpensModuleWithTheTwelveArguments();
    void arrowKeysReleaseBeforeEachOpen();
    void groupNodeReleasesAndShowsBackground();
    void buttonOpensAndReopens();
    void fittingFollowsTheSplitter();
    void raisingModuleShowsItsMessageAndStaysHeld();
    void missingLibraryOrEntryIsQuiet();
    void libraryOutsideModulesIsRefused();
    void failingReleaseStillUnloads();
    void zaskarOpensWithItsRights();
    void demoCatalogueOfTheReferenceServer_data();
    void demoCatalogueOfTheReferenceServer();

private:
    QStringList m_boxes;
};

void TestModuleHost::init()
{
    qApp->setProperty("moduleEvents", QStringList());
    m_boxes.clear();
    ErrorBox::setPresenter([this](ErrorBox::Kind, const QString &, const QString &text) { m_boxes << text; });
}

void TestModuleHost::cleanup()
{
    ErrorBox::setPresenter(nullptr);
    for (const char *m : {"RecordingModule", "RaisingModule", "NoEntryModule", "FreeRaisingModule"})
        QVERIFY2(!mapped(testModule(m)), m);
}

void TestModuleHost::nodeOpensModuleWithTheTwelveArguments()
{
    HostWindow w(QStringLiteral(TREMLIN_TEST_BIN_DIR "/"));
    w.tree->setCurrentItem(w.node(QStringLiteral("收件箱")));

    QWidget *form = w.recorded();
    QVERIFY(form);
    QCOMPARE(w.host->hostedForm(), form);
    QCOMPARE(w.host->modulePath(), QStringLiteral("Modules\\RecordingModule.dll"));
    QCOMPARE(w.status->text(), QStringLiteral("邮件->收件箱"));
    QVERIFY(mapped(testModule("RecordingModule")));

    QCOMPARE(form->property("connection").value<quintptr>(), quintptr(fakeConnection));
    QCOMPARE(form->property("invoker").value<quintptr>(), quintptr(fakeInvoker));
    QCOMPARE(form->property("number").toInt(), 42);
    QCOMPARE(form->property("text1").toString(), QStringLiteral("t1"));
    QVERIFY(form->property("text2").isNull()); // empty text crosses as NULL
    QCOMPARE(form->property("welcomeTail").toString(), QStringLiteral("尾"));
    QCOMPARE(form->property("welcomeHead").toString(), QStringLiteral("头"));
    QCOMPARE(form->property("rights").toString(), w.signIn.rights());
    QCOMPARE(form->property("signedIn").toInt(), 1);
    QCOMPARE(form->property("hostPanel").value<quintptr>(), quintptr(w.panel));
    // The control's blank cuts its name, the caption's blank its caption.
    QCOMPARE(form->property("rightsList").toStringList(),
             (QStringList{"20=BtnNew,Check", "21=BtnDelete,", "23=Btn,Save"}));
    QCOMPARE(form->property("rightsListAddress").value<quintptr>(), quintptr(&w.host->rightsList()));
    // The url's trailing separator is passed on unchanged.
    QCOMPARE(form->property("parameterList").toStringList(),
             (QStringList{"md_id=12", "baseUrl=http://127.0.0.1:8181/"}));
    QCOMPARE(form->property("parameterListAddress").value<quintptr>(), quintptr(&w.host->parameterList()));
}

void TestModuleHost::arrowKeysReleaseBeforeEachOpen()
{
    HostWindow w(QStringLiteral(TREMLIN_TEST_BIN_DIR "/"));
    w.tree->setFocus();
    w.tree->setCurrentItem(w.node(QStringLiteral("收件箱")));
    QTest::keyClick(w.tree, Qt::Key_Down);
    QCOMPARE(w.tree->currentItem(), w.node(QStringLiteral("Second")));
    QCOMPARE(w.recorded()->property("parameterList").toStringList().value(0), QStringLiteral("md_id=13"));
    QCOMPARE(w.recorded()->property("rightsList").toStringList(), QStringList{"22=BtnEdit,x"});
    QCOMPARE(events(), (QStringList{"create md_id=12", "free", "create md_id=13"}));

    // Selecting the selected node again changes nothing.
    w.tree->setCurrentItem(w.node(QStringLiteral("Second")));
    QCOMPARE(events().size(), 3);

    // A module without granted controls gets an empty rights list.
    w.tree->setCurrentItem(w.node(QStringLiteral("No controls")));
    QCOMPARE(w.recorded()->property("rightsList").toStringList(), QStringList());
    QCOMPARE(w.recorded()->property("parameterList").toStringList().size(), 2);
}

void TestModuleHost::groupNodeReleasesAndShowsBackground()
{
    HostWindow w(QStringLiteral(TREMLIN_TEST_BIN_DIR "/"));
    w.tree->setCurrentItem(w.node(QStringLiteral("收件箱")));
    QPointer<QWidget> form = w.recorded();
    QVERIFY(form);
    w.tree->setCurrentItem(w.node(QStringLiteral("邮件")));
    QVERIFY(form.isNull());
    QVERIFY(!w.host->holdsLibrary());
    QVERIFY(!w.host->hostedForm());
    QCOMPARE(w.status->text(), QStringLiteral("邮件"));
    QCOMPARE(w.panel->findChildren<QWidget *>(), QList<QWidget *>{w.background});
    QVERIFY(!mapped(testModule("RecordingModule")));
    // A type-0 node whose row names a library still opens nothing.
    w.tree->setCurrentItem(w.node(QStringLiteral("Group button")));
    QVERIFY(!w.host->holdsLibrary());
    QCOMPARE(events(), (QStringList{"create md_id=12", "free"}));
}

void TestModuleHost::buttonOpensAndReopens()
{
    HostWindow w(QStringLiteral(TREMLIN_TEST_BIN_DIR "/"));
    w.tree->setCurrentItem(w.node(QStringLiteral("Second")));
    const QString path = w.status->text();
    TQuickButton *inbox = w.button(12);
    QVERIFY(inbox);
    QTest::mouseClick(inbox, Qt::LeftButton);
    QPointer<QWidget> first = w.recorded();
    QVERIFY(first);
    QCOMPARE(first->property("parameterList").toStringList().value(0), QStringLiteral("md_id=12"));
    QCOMPARE(w.status->text(), path); // a button leaves the path as it is

    // The button of the open module releases it and opens it again.
    QTest::mouseClick(inbox, Qt::LeftButton);
    QVERIFY(first.isNull());
    QVERIFY(w.recorded());
    // A button opens its library whatever the row's type.
    QTest::mouseClick(w.button(2), Qt::LeftButton);
    QCOMPARE(w.recorded()->property("parameterList").toStringList().value(0), QStringLiteral("md_id=2"));
    QCOMPARE(events(), (QStringList{"create md_id=13", "free", "create md_id=12", "free", "create md_id=12", "free",
                                    "create md_id=2"}));
}

void TestModuleHost::fittingFollowsTheSplitter()
{
    HostWindow w(QStringLiteral(TREMLIN_TEST_BIN_DIR "/"));
    w.tree->setCurrentItem(w.node(QStringLiteral("收件箱")));
    QWidget *form = w.recorded();
    const QPoint pos = form->pos();
    QVERIFY(form->size() != w.panel->size()); // the recording module sizes itself to half
    w.splitter->setPosition(300);
    QCOMPARE(form->size(), w.panel->size());
    w.splitter->collapse();
    QCOMPARE(form->size(), w.panel->size());
    QCOMPARE(form->pos(), pos);

    w.tree->setCurrentItem(w.node(QStringLiteral("邮件")));
    w.splitter->restore(); // nothing to fit any more
    QVERIFY(!w.host->hostedForm());
    QCOMPARE(w.panel->findChildren<QWidget *>(), QList<QWidget *>{w.background});
}

void TestModuleHost::raisingModuleShowsItsMessageAndStaysHeld()
{
    HostWindow w(QStringLiteral(TREMLIN_TEST_BIN_DIR "/"));
    w.tree->setCurrentItem(w.node(QStringLiteral("Raising")));
    QCOMPARE(m_boxes, QStringList{"Mail.ini 无法读取: permission denied."});
    QVERIFY(!w.host->hostedForm());
    QVERIFY(w.host->holdsLibrary());
    QVERIFY(mapped(testModule("RaisingModule")));

    w.tree->setCurrentItem(w.node(QStringLiteral("收件箱")));
    QCOMPARE(events(), (QStringList{"create", "free", "create md_id=12"}));
    QVERIFY(!mapped(testModule("RaisingModule")));
    // What it left in the panel went with it.
    QVERIFY(!w.panel->findChild<QWidget *>(QStringLiteral("PartialForm")));
    QCOMPARE(m_boxes.size(), 1);
}

void TestModuleHost::missingLibraryOrEntryIsQuiet()
{
    HostWindow w(QStringLiteral(TREMLIN_TEST_BIN_DIR "/"));
    w.tree->setCurrentItem(w.node(QStringLiteral("收件箱")));
    w.tree->setCurrentItem(w.node(QStringLiteral("Missing")));
    QVERIFY(!w.host->holdsLibrary());
    QVERIFY(!w.host->hostedForm());
    QVERIFY(!w.recorded());

    // Without the entry the library stays held until the next release.
    w.tree->setCurrentItem(w.node(QStringLiteral("No entry")));
    QVERIFY(w.host->holdsLibrary());
    QVERIFY(!w.host->hostedForm());
    QVERIFY(mapped(testModule("NoEntryModule")));
    w.tree->setCurrentItem(w.node(QStringLiteral("邮件")));
    QVERIFY(!mapped(testModule("NoEntryModule")));
    QCOMPARE(events(), (QStringList{"create md_id=12", "free", "free"}));
    QVERIFY(m_boxes.isEmpty());
}

void TestModuleHost::libraryOutsideModulesIsRefused()
{
    // The name leads to build/bin/Modules/Zaskar.so, which exists.
    HostWindow w(QStringLiteral(TREMLIN_TEST_BIN_DIR "/"));
    QVERIFY(QFile::exists(QStringLiteral(TREMLIN_TEST_BIN_DIR "/Modules/../../bin/Modules/Zaskar.so")));
    w.tree->setCurrentItem(w.node(QStringLiteral("Escaping")));
    QCOMPARE(m_boxes.size(), 1);
    QVERIFY2(m_boxes.first().contains(QStringLiteral("lies outside the directory")), qPrintable(m_boxes.first()));
    QVERIFY(!w.host->holdsLibrary());
    QVERIFY(!mapped(QStringLiteral(TREMLIN_BIN_DIR "/Modules/Zaskar.so")));
}

void TestModuleHost::failingReleaseStillUnloads()
{
    HostWindow w(QStringLiteral(TREMLIN_TEST_BIN_DIR "/"));
    w.tree->setCurrentItem(w.node(QStringLiteral("Free raising")));
    QVERIFY(w.host->hostedForm());
    auto leftoverWindow = [] {
        for (QWidget *t : QApplication::topLevelWidgets()) {
            if (t->objectName() == QLatin1String("LeftoverWindow"))
                return true;
        }
        return false;
    };
    QVERIFY(leftoverWindow());
    w.tree->setCurrentItem(w.node(QStringLiteral("邮件")));
    QVERIFY(m_boxes.isEmpty());
    QVERIFY(!w.host->holdsLibrary());
    QVERIFY(!w.panel->findChild<QWidget *>(QStringLiteral("LeftoverForm")));
    QVERIFY(!leftoverWindow());
    QVERIFY(!mapped(testModule("FreeRaisingModule")));
    QCoreApplication::processEvents(); // nothing of the library is left to run
}

void TestModuleHost::zaskarOpensWithItsRights()
{
    HostWindow w(QStringLiteral(TREMLIN_BIN_DIR "/"));
    w.tree->setCurrentItem(w.node(QStringLiteral("Mailbox")));
    QWidget *form = w.host->hostedForm();
    QVERIFY(form);
    QCOMPARE(form->parentWidget(), w.panel);
    QCOMPARE(form->size(), w.panel->size());
    auto btnNew = form->findChild<QToolButton *>(QStringLiteral("BtnNew"));
    QVERIFY(btnNew && btnNew->isVisible());
    QCOMPARE(btnNew->text(), QStringLiteral("收信"));
    QVERIFY(!form->findChild<QToolButton *>(QStringLiteral("BtnDelete"))->isVisible());
    w.splitter->setPosition(320);
    QCOMPARE(form->size(), w.panel->size());
    w.tree->setCurrentItem(w.node(QStringLiteral("收件箱")));
    QVERIFY(!mapped(QStringLiteral(TREMLIN_BIN_DIR "/Modules/Zaskar.so")));
}

void TestModuleHost::demoCatalogueOfTheReferenceServer_data()
{
    QTest::addColumn<QString>("rights");
    QTest::addColumn<QString>("tree");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QStringList>("mailboxButtons"); // visible, with their captions

    // The two demo users' rights strings.
    QStringList all;
    for (int id : {1, 10, 101, 102, 103, 104, 105, 106, 11, 12, 2, 20, 21, 22})
        all << QStringLiteral("md%1").arg(id);
    QTest::newRow("demo") << all.join(',') << "办公(邮箱,通讯录,日程安排),系统管理(用户管理,参数设置(网络参数))" << 2
                          << QStringList{"BtnNew=Check mail", "BtnDelete=Delete", "BtnEdit=修改", "BtnSave=保存"};
    // The mailbox form names its own two actions; the catalogue gives them no caption.
    QTest::newRow("guest") << "md1,md10,md101" << "办公(邮箱)" << 1 << QStringList{"BtnNew=Check mail"};
}

void TestModuleHost::demoCatalogueOfTheReferenceServer()
{
    QFETCH(QString, rights);
    QFETCH(QString, tree);
    QFETCH(int, buttons);
    QFETCH(QStringList, mailboxButtons);

    ServerProcess server;
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    TSoapConnection connection;
    connection.setURL(server.baseUrl() + QStringLiteral("/tremlinSvr.dll/soap/ISoapDM"));
    HostWindow w(QStringLiteral(TREMLIN_BIN_DIR "/"), rights, &connection);

    std::function<QString(QTreeWidgetItem *)> shape = [&shape](QTreeWidgetItem *n) {
        QStringList c;
        for (int i = 0; i < n->childCount(); ++i)
            c << shape(n->child(i));
        return n->text(0) + (c.isEmpty() ? QString() : '(' + c.join(',') + ')');
    };
    QStringList top;
    for (int i = 0; i < w.tree->topLevelItemCount(); ++i)
        top << shape(w.tree->topLevelItem(i));
    QCOMPARE(top.join(','), tree);
    QCOMPARE(w.toolBar->findChildren<TQuickButton *>().size(), buttons);
    QCOMPARE(w.treeImages.count(), 15); // every catalogue row

    // The mailbox from its node, with the granted buttons shown.
    w.tree->setCurrentItem(w.node(QStringLiteral("邮箱")));
    QWidget *form = w.host->hostedForm();
    QVERIFY(form);
    QStringList shown;
    for (const char *name : {"BtnNew", "BtnDelete", "BtnEdit", "BtnSave"}) {
        auto b = form->findChild<QToolButton *>(QLatin1String(name));
        QVERIFY(b);
        if (b->isVisible())
            shown << QLatin1String(name) + '=' + b->text();
    }
    QCOMPARE(shown, mailboxButtons);
    // Another node releases it.
    w.tree->setCurrentItem(w.node(QStringLiteral("办公")));
    QVERIFY(!w.host->holdsLibrary());
    QVERIFY(!mapped(QStringLiteral(TREMLIN_BIN_DIR "/Modules/Zaskar.so")));
}

QTEST_MAIN(TestModuleHost)
#include "tst_modulehost.moc"
