// Zaskar as the host sees it: the real library, loaded and called through
// its two entry points.
#include "EntryPoints.h"

#include <QLibrary>
#include <QPointer>
#include <QToolButton>
#include <QtTest>

#include <dlfcn.h>

class TestZaskarLibrary : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void onlyTheEntryPointsAreExported();
    void createOnceThenFreeAndCreateAgain();
    void unloadReleasesTheLibrary();

private:
    QWidget *create(QStringList *rights, QWidget *panel);
    static bool mapped(const QString &path);

    QString m_path = QStringLiteral(TREMLIN_BIN_DIR "/Modules/Zaskar.so");
    QLibrary *m_lib = nullptr;
    ModuleCreateFormFn m_create = nullptr;
    ModuleFreeFormFn m_free = nullptr;
};

void TestZaskarLibrary::init()
{
    m_lib = new QLibrary(m_path);
    QVERIFY2(m_lib->load(), qPrintable(m_lib->errorString()));
    m_create = reinterpret_cast<ModuleCreateFormFn>(m_lib->resolve(EntryPoints::CreateForm));
    m_free = reinterpret_cast<ModuleFreeFormFn>(m_lib->resolve(EntryPoints::FreeForm));
    QVERIFY(m_create && m_free);
}

void TestZaskarLibrary::cleanup()
{
    if (m_free)
        m_free();
    m_lib->unload();
    delete m_lib;
    m_lib = nullptr;
}

QWidget *TestZaskarLibrary::create(QStringList *rights, QWidget *panel)
{
    static QStringList params{"md_id=12", "baseUrl=http://127.0.0.1:8181"};
    return m_create(nullptr, nullptr, 7, "t1", "t2", "tail", "head", "xx12", 1, rights, panel, &params);
}

bool TestZaskarLibrary::mapped(const QString &path)
{
    void *h = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_NOLOAD);
    if (h)
        dlclose(h);
    return h != nullptr;
}

void TestZaskarLibrary::onlyTheEntryPointsAreExported()
{
    // Class names shared with the host (TDM, the forms) must stay inside.
    for (const char *internal : {"_ZN6zaskar11ModuleState8instanceEv", "_ZN6zaskar8TDllFormC1EP7QWidget",
                                 "_ZN6zaskar11ModuleEntry8freeFormEv"})
        QVERIFY2(!m_lib->resolve(internal), internal);
}

void TestZaskarLibrary::createOnceThenFreeAndCreateAgain()
{
    QWidget host;
    host.resize(1000, 700);
    QWidget panel1(&host), panel2(&host);
    panel1.setGeometry(0, 0, 800, 600);
    panel2.setGeometry(0, 0, 640, 480);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));

    QStringList rights1{"31=BtnNew,Check", "32=BtnDelete,"};
    QStringList rights2{"33=BtnEdit,Change"};

    QPointer<QWidget> form = create(&rights1, &panel1);
    QVERIFY(form);
    QCOMPARE(form->parentWidget(), &panel1);
    QVERIFY(form->isVisible());
    QCOMPARE(form->geometry().size(), QSize(800, 600));
    QCOMPARE(form->property("fillParent").toBool(), false);
    auto btn = [&form](const char *name) { return form->findChild<QToolButton *>(QLatin1String(name)); };
    QVERIFY(btn("BtnNew")->isVisible());
    QCOMPARE(btn("BtnNew")->text(), QStringLiteral("Check"));
    QVERIFY(btn("BtnDelete")->isVisible());
    QCOMPARE(btn("BtnDelete")->text(), QStringLiteral("Delete")); // the caption of its action
    QVERIFY(!btn("BtnEdit")->isVisible());

    // A second call returns the same form and stores nothing.
    QCOMPARE(create(&rights2, &panel2), form.data());
    QCOMPARE(form->parentWidget(), &panel1);
    QVERIFY(!btn("BtnEdit")->isVisible());

    m_free();
    QVERIFY(form.isNull());
    m_free(); // no form: nothing happens

    // After a release the new arguments count.
    QPointer<QWidget> second = create(&rights2, &panel2);
    QVERIFY(second);
    QCOMPARE(second->parentWidget(), &panel2);
    QCOMPARE(second->size(), QSize(640, 480));
    QVERIFY(second->findChild<QToolButton *>("BtnEdit")->isVisible());
    QCOMPARE(second->findChild<QToolButton *>("BtnEdit")->text(), QStringLiteral("Change"));
    QVERIFY(!second->findChild<QToolButton *>("BtnNew")->isVisible());
}

void TestZaskarLibrary::unloadReleasesTheLibrary()
{
    QWidget panel;
    panel.resize(300, 200);
    QStringList rights;
    QVERIFY(create(&rights, &panel));
    m_free();
    QVERIFY(mapped(m_path));
    QVERIFY(m_lib->unload());
    // Nothing in the library may keep it mapped after the host lets it go.
    QVERIFY(!mapped(m_path));
    QVERIFY(m_lib->load());
}

QTEST_MAIN(TestZaskarLibrary)
#include "tst_zaskarlibrary.moc"
