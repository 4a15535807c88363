#include "ErrorBox.h"
#include "ProgramStart.h"
#include "ServerProcess.h"
#include "SoapConnection.h"
#include "TDM.h"
#include "TmainForm.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

// Steps 2 to 4 of the program start with real plug-in libraries in a
// program directory of the test's own.
class TestStartup : public QObject
{
    Q_OBJECT

    QStringList m_boxes;
    ServerProcess m_server;

    // A program directory holding the given plug-in as Login.so (none when
    // empty) and a Config.ini pointing at url.
    static std::unique_ptr<QTemporaryDir> programDir(const QString &plugin, const QString &url)
    {
        auto dir = std::make_unique<QTemporaryDir>();
        if (!plugin.isEmpty() && !QFile::copy(plugin, dir->path() + "/Login.so"))
            return nullptr;
        // The main window reads its look from here.
        if (!QFile::copy(QStringLiteral(TREMLIN_BIN_DIR "/CLINFO.DB"), dir->path() + "/CLINFO.DB"))
            return nullptr;
        QFile config(dir->path() + "/Config.ini");
        if (!config.open(QIODevice::WriteOnly))
            return nullptr;
        config.write("[Server]\r\nurl=" + url.toUtf8() + "\r\n");
        return dir;
    }

    static QString fixture(const char *name) { return QStringLiteral(TREMLIN_LOGIN_FIXTURES "/%1.so").arg(name); }
    static QString referencePlugin() { return QStringLiteral(TREMLIN_BIN_DIR "/Login.so"); }

    static QWidget *loginDialog()
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->objectName() == "TLoginDialog" && w->isVisible())
                return w;
        }
        return nullptr;
    }

private slots:
    void initTestCase()
    {
        ErrorBox::setPresenter([this](ErrorBox::Kind, const QString &, const QString &text) { m_boxes << text; });
        QVERIFY2(m_server.start(), qPrintable(m_server.errorString()));
    }

    void init()
    {
        m_boxes.clear();
        qunsetenv("TREMLIN_LOGIN_USER");
        qunsetenv("TREMLIN_LOGIN_PASSWORD");
        qunsetenv("TREMLIN_LOGIN_CANCEL");
    }

    void endsAsThePluginSays_data()
    {
        QTest::addColumn<QString>("plugin");
        QTest::addColumn<bool>("window");
        QTest::addColumn<QString>("box"); // empty: no box at all
        QTest::newRow("signs in") << fixture("signs_in") << true << "";
        QTest::newRow("signs in, empty texts") << fixture("signs_in_empty") << true << "";
        QTest::newRow("declines") << fixture("declines") << false << "";
        QTest::newRow("raises") << fixture("raises") << false << QString::fromUtf8("登录服务器拒绝了请求.");
        QTest::newRow("no entry point") << fixture("no_entry") << false << "has no entry point Create_FormInDllAsChild";
        QTest::newRow("missing") << QString() << false << "Cannot load the login plug-in";
    }

    void endsAsThePluginSays()
    {
        QFETCH(QString, plugin);
        QFETCH(bool, window);
        QFETCH(QString, box);
        auto dir = programDir(plugin, m_server.baseUrl());
        QVERIFY(dir);
        TDM dm(dir->path());
        ProgramStart start(&dm);
        std::unique_ptr<TmainForm> mainForm(start.signIn());

        QCOMPARE(bool(mainForm), window);
        QCOMPARE(start.failed(), !box.isEmpty());
        if (box.isEmpty()) {
            QVERIFY2(m_boxes.isEmpty(), qPrintable(m_boxes.join('\n')));
        } else {
            QCOMPARE(m_boxes.size(), 1);
            QVERIFY2(m_boxes.first().contains(box), qPrintable(m_boxes.first()));
            // A failed sign-in leaves the record as it was: all zero.
            QCOMPARE(start.user().number(), 0);
            QVERIFY(start.user().text1().isEmpty());
        }
        if (window && QTest::currentDataTag() == QLatin1String("signs in, empty texts")) {
            QVERIFY(start.user().signedIn());
            QVERIFY(start.user().rights().isEmpty() && start.user().welcomeHead().isEmpty());
        } else if (window) {
            // The plug-in got SoapConn with its address set, not connected,
            // and a zeroed record; the shell kept its own copy of the texts.
            QCOMPARE(start.user().text1(), dm.SoapConn->url() + "|closed|zeroed");
            QCOMPARE(start.user().number(), 7);
            QCOMPARE(start.user().welcomeHead(), QString::fromUtf8("测试"));
            QVERIFY(start.user().signedIn());
            QVERIFY(!mainForm->isVisible());
            QVERIFY(mainForm->isWindow());
        }
    }

    void referencePluginSignsInAgainstTheServer_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("serverUp");
        QTest::addColumn<QString>("box");
        QTest::newRow("demo") << "demo" << true << "";
        QTest::newRow("wrong password") << "nope" << true << QString::fromUtf8("用户名或密码不正确.");
        QTest::newRow("server stopped") << "demo" << false << "cannot be reached";
    }

    void referencePluginSignsInAgainstTheServer()
    {
        QFETCH(QString, password);
        QFETCH(bool, serverUp);
        QFETCH(QString, box);
        auto dir = programDir(referencePlugin(), serverUp ? m_server.baseUrl() : QString("http://127.0.0.1:1"));
        QVERIFY(dir);
        qputenv("TREMLIN_LOGIN_USER", "demo");
        qputenv("TREMLIN_LOGIN_PASSWORD", password.toUtf8());
        TDM dm(dir->path());
        ProgramStart start(&dm);
        std::unique_ptr<TmainForm> mainForm(start.signIn());
        if (box.isEmpty()) {
            QVERIFY2(mainForm, qPrintable(m_boxes.join('\n')));
            QCOMPARE(start.user().welcomeHead(), QString::fromUtf8("演示用户"));
            QVERIFY(!start.user().welcomeTail().isEmpty());
            QVERIFY(start.user().rights().split(',').contains("md10"));
        } else {
            QVERIFY(!mainForm);
            QCOMPARE(m_boxes.size(), 1);
            QVERIFY2(m_boxes.first().contains(box), qPrintable(m_boxes.first()));
        }
    }

    void dialogLetsTheUserTryAgain()
    {
        auto dir = programDir(referencePlugin(), m_server.baseUrl());
        QVERIFY(dir);
        TDM dm(dir->path());
        ProgramStart start(&dm);
        QString afterWrongPassword;
        bool stillOpen = false;
        // Runs inside the dialog's own loop: a wrong password, then the right one.
        QTimer::singleShot(0, [&] {
            QWidget *dialog = loginDialog();
            QVERIFY(dialog);
            dialog->findChild<QLineEdit *>("txtName")->setText("demo");
            dialog->findChild<QLineEdit *>("txtPwd")->setText("wrong");
            QTest::mouseClick(dialog->findChild<QPushButton *>("btnLogin"), Qt::LeftButton);
            afterWrongPassword = dialog->findChild<QLabel *>("lblMessage")->text();
            stillOpen = dialog->isVisible();
            dialog->findChild<QLineEdit *>("txtPwd")->setText("demo");
            QTest::mouseClick(dialog->findChild<QPushButton *>("btnLogin"), Qt::LeftButton);
        });
        std::unique_ptr<TmainForm> mainForm(start.signIn());
        QCOMPARE(afterWrongPassword, QString::fromUtf8("用户名或密码不正确"));
        QVERIFY(stillOpen);
        QVERIFY(mainForm);
        QCOMPARE(start.user().text1(), QString("demo"));
        QVERIFY(m_boxes.isEmpty());
    }

    void dialogClosedDeclinesQuietly()
    {
        auto dir = programDir(referencePlugin(), m_server.baseUrl());
        QVERIFY(dir);
        TDM dm(dir->path());
        ProgramStart start(&dm);
        QTimer::singleShot(0, [&] {
            QWidget *dialog = loginDialog();
            QVERIFY(dialog);
            QTest::mouseClick(dialog->findChild<QPushButton *>("btnClose"), Qt::LeftButton);
        });
        QVERIFY(!start.signIn());
        QVERIFY(!start.failed());
        QVERIFY(m_boxes.isEmpty());
        QVERIFY(!start.user().signedIn());
    }

    void programEndsQuietlyWhenDeclined()
    {
        QProcess brastel;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TREMLIN_LOGIN_CANCEL", "1");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        QTemporaryDir runtime; // keeps Qt's note about a missing runtime directory out of stderr
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        brastel.setProcessEnvironment(env);
        brastel.start(QStringLiteral(TREMLIN_BIN_DIR "/brastel"), QStringList());
        QVERIFY(brastel.waitForFinished(30000));
        QCOMPARE(brastel.exitStatus(), QProcess::NormalExit);
        QCOMPARE(brastel.exitCode(), 0);
        QCOMPARE(brastel.readAllStandardOutput(), QByteArray());
        QCOMPARE(brastel.readAllStandardError(), QByteArray());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
