#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

// A termination request ends a desktop program through its windows' close,
// as a user's close would, instead of killing it (or leaving it running
// when the database engine has taken the signal over).
class TestTerminationSignals : public QObject
{
    Q_OBJECT
private slots:
    void programClosesOnSignal_data();
    void programClosesOnSignal();
};

void TestTerminationSignals::programClosesOnSignal_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void TestTerminationSignals::programClosesOnSignal()
{
    QFETCH(int, signal);
    QTemporaryDir runtime;
    QProcess ovido;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    ovido.setProcessEnvironment(env);
    ovido.start(QStringLiteral(TREMLIN_BIN_DIR "/ovido"), QStringList());
    QVERIFY(ovido.waitForStarted(10000));
    // Let it reach its event loop; a signal before that must not be lost either.
    QTest::qWait(800);
    QCOMPARE(ovido.state(), QProcess::Running);
    ::kill(pid_t(ovido.processId()), signal);
    QVERIFY2(ovido.waitForFinished(15000), "still running after the signal");
    QCOMPARE(ovido.exitStatus(), QProcess::NormalExit);
    QCOMPARE(ovido.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestTerminationSignals)
#include "tst_terminationsignals.moc"
