#include "DbNames.h"
#include "Exception.h"
#include "FirebirdEnvironment.h"
#include "PositionString.h"
#include "TIBDatabase.h"
#include "TIBQuery.h"
#include "TIBSQL.h"
#include "TIBTransaction.h"

#include <QBuffer>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>
#include <unistd.h>

// One program's view of a database file: connection, transaction, query, update.
struct Program
{
    explicit Program(const QString &file)
    {
        db.setDefaultTransaction(&tr);
        db.setDatabaseName(file);
        db.params() << QStringLiteral("user_name=SYSDBA") << QStringLiteral("password=quillbark");
    }
    TIBDatabase db;
    TIBTransaction tr;
    TIBQuery query{&db, &tr};
    TIBSQL sql{&db}; // takes the database's default transaction

    void open(const QString &statement)
    {
        query.setSQL(statement);
        query.open();
    }
    void update(const QString &statement, const QString &param, const QVariant &value, bool commit = true)
    {
        sql.setSQL(statement);
        sql.setParamInteger(QStringLiteral("sid"), 1);
        switch (value.userType()) {
        case QMetaType::Int: sql.setParamInteger(param, value.toInt()); break;
        case QMetaType::Double: sql.setParamDouble(param, value.toDouble()); break;
        case QMetaType::QByteArray: sql.setParamBlob(param, value.toByteArray()); break;
        default: sql.setParamString(param, value.toString()); break;
        }
        sql.execQuery();
        if (commit)
            tr.commit();
    }
};

class TestDb : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void creationLeavesNulls();
    void sampleFillsEverything();
    void toolKeepsExistingFile();
    void firstRowOfSeveral();
    void readRules_data();
    void readRules();
    void writesRoundTrip();
    void transactionRules();
    void passwordLines();
    void failures_data();
    void failures();
    void otherUserAndUnreadableFile();
    void failedUpdateLeavesData();
    void pictures_data();
    void pictures();
    void secondProcessSeesCommit();
    void killedWriterLeavesFileConsistent_data();
    void killedWriterLeavesFileConsistent();

private:
    QString create(const QString &name, bool sample = false);
    static QByteArray encode(const char *format);
    static QString probe(const QStringList &args, int *exitCode = nullptr, QString *err = nullptr);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_file;
};

QString TestDb::create(const QString &name, bool sample)
{
    const QString file = m_dir->filePath(name);
    QStringList args{file};
    if (sample)
        args << QStringLiteral("--sample");
    QProcess tool;
    tool.start(QStringLiteral(TREMLIN_BIN_DIR "/clinfo-create"), args);
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0)
        qWarning() << "clinfo-create failed:" << tool.readAllStandardError();
    return file;
}

QByteArray TestDb::encode(const char *format)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).fillRect(0, 0, 20, 30, Qt::blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QString TestDb::probe(const QStringList &args, int *exitCode, QString *err)
{
    QProcess p;
    p.start(QStringLiteral(TREMLIN_TEST_BIN_DIR "/dbprobe"), args);
    p.waitForFinished(60000);
    if (exitCode)
        *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    if (err)
        *err = QString::fromUtf8(p.readAllStandardError());
    return QString::fromUtf8(p.readAllStandardOutput());
}

void TestDb::initTestCase()
{
    FirebirdEnvironment::prepare();
    QCOMPARE(qgetenv("FIREBIRD"), QFile::encodeName(FirebirdEnvironment::rootDir()));
    QFile conf(FirebirdEnvironment::rootDir() + QStringLiteral("/firebird.conf"));
    QVERIFY(conf.open(QIODevice::ReadOnly));
    QVERIFY(conf.readAll().contains("ServerMode = Classic"));
}

void TestDb::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_file = create(QStringLiteral("CLINFO.DB"));
    QVERIFY(QFileInfo::exists(m_file));
}

void TestDb::creationLeavesNulls()
{
    Program p(m_file);
    QVERIFY(!p.db.connected()); // nothing connects before the first statement
    for (const char *table : {DbNames::ClientInfo::Table, DbNames::LoginInfo::Table}) {
        p.open(QStringLiteral("SELECT * FROM %1").arg(QLatin1String(table)));
        QVERIFY(p.db.connected());
        QVERIFY(!p.query.isEmpty());
        QCOMPARE(p.query.asInteger(QStringLiteral("ID")), 1);
        QSqlRecord columns = p.db.sqlDatabase().record(QLatin1String(table));
        QVERIFY(columns.count() > 10);
        for (int i = 0; i < columns.count(); ++i)
            if (columns.fieldName(i) != QLatin1String("ID"))
                QVERIFY2(p.query.isNull(columns.fieldName(i)), qPrintable(columns.fieldName(i)));
        p.query.next();
        QVERIFY(p.query.eof()); // exactly one row
    }
}

void TestDb::sampleFillsEverything()
{
    Program p(create(QStringLiteral("SAMPLE.DB"), true));
    for (const char *table : {DbNames::ClientInfo::Table, DbNames::LoginInfo::Table}) {
        p.open(QStringLiteral("SELECT * FROM %1").arg(QLatin1String(table)));
        QSqlRecord columns = p.db.sqlDatabase().record(QLatin1String(table));
        for (int i = 0; i < columns.count(); ++i)
            QVERIFY2(!p.query.isNull(columns.fieldName(i)), qPrintable(columns.fieldName(i)));
    }
    p.query.setSQL(QStringLiteral("SELECT * FROM CLIENT_INFO where id=:sid"));
    p.query.setParamInteger(QStringLiteral("sid"), 1);
    p.query.open();
    QVERIFY(p.query.asString(QStringLiteral("sys_caption")).contains(QStringLiteral("欢迎")));
    QCOMPARE(p.query.asInteger(QStringLiteral("TOP_HEIGHT")), 60);
    QCOMPARE(p.query.asPicture(QStringLiteral("FORM_ICO_CLOSE"))->size(), QSize(49, 21));
    QCOMPARE(p.query.asPicture(QStringLiteral("FORM_ICO_MIN"))->size(), QSize(49, 21));
    QVERIFY(!p.query.asPicture(QStringLiteral("sys_ground"))->isNull()); // a JPEG one
    const std::optional<QIcon> icon = p.query.asIcon(QStringLiteral("SYS_ICO"));
    QVERIFY(icon && icon->availableSizes().size() == 3);

    p.open(QStringLiteral("SELECT * FROM LOGIN_INFO"));
    QCOMPARE(p.query.asPicture(QStringLiteral("background"))->size(), QSize(375, 255));
    for (const char *button : {"btn_Set_img", "btn_login_img", "btn_Close_img"})
        QCOMPARE(p.query.asPicture(QLatin1String(button))->size(), QSize(75, 25));
    QRect box;
    for (const char *pos : {"txt_Name_LTWH", "txt_pwd_LTWH", "btn_set_LTWH", "btn_Login_LTWH", "btn_Close_LTWH"}) {
        QVERIFY(PositionString::parse(p.query.asString(QLatin1String(pos)), &box));
        QVERIFY2(QRect(0, 0, 375, 255).contains(box), pos);
    }
}

void TestDb::toolKeepsExistingFile()
{
    QFile garbage(m_dir->filePath(QStringLiteral("mine.db")));
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write("user data");
    garbage.close();
    QProcess tool;
    tool.start(QStringLiteral(TREMLIN_BIN_DIR "/clinfo-create"), {garbage.fileName(), QStringLiteral("--sample")});
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitCode(), 1);
    QVERIFY(tool.readAllStandardError().contains("already exists"));
    QVERIFY(garbage.open(QIODevice::ReadOnly));
    QCOMPARE(garbage.readAll(), QByteArray("user data"));
    // --replace builds beside it and renames: no temporary file is left.
    tool.start(QStringLiteral(TREMLIN_BIN_DIR "/clinfo-create"), {garbage.fileName(), QStringLiteral("--replace")});
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitCode(), 0);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), 2);
    QCOMPARE(probe({QStringLiteral("read"), garbage.fileName(), QStringLiteral("id")}), QStringLiteral("1"));
}

void TestDb::firstRowOfSeveral()
{
    Program p(m_file);
    p.update(QStringLiteral("Update CLIENT_INFO Set SYS_Caption = :sCap where id=:sid"), QStringLiteral("sCap"),
             QStringLiteral("first"));
    p.sql.setSQL(QStringLiteral("INSERT INTO CLIENT_INFO (ID, SYS_CAPTION) VALUES (2, 'second')"));
    p.sql.execQuery();
    p.sql.setSQL(QStringLiteral("INSERT INTO CLIENT_INFO (ID, SYS_CAPTION) VALUES (3, 'third')"));
    p.sql.execQuery();
    p.tr.commit();

    p.open(QStringLiteral("Select * from  client_info"));
    QStringList seen;
    for (; !p.query.eof(); p.query.next())
        seen << p.query.asString(QStringLiteral("sys_caption"));
    QCOMPARE(seen, QStringList({QStringLiteral("first"), QStringLiteral("second"), QStringLiteral("third")}));
    // Past the end every field reads as NULL; an unknown name is an error.
    QVERIFY(p.query.isNull(QStringLiteral("SYS_CAPTION")));
    QVERIFY_EXCEPTION_THROWN(p.query.asString(QStringLiteral("no_such")), Exception);
    QVERIFY(!p.query.fieldExists(QStringLiteral("no_such")));
}

void TestDb::readRules_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("lookup");
    QTest::addColumn<QVariant>("stored"); // invalid: left NULL
    QTest::addColumn<bool>("isNull");
    QTest::addColumn<QString>("text");    // null: not checked
    QTest::addColumn<int>("integer");     // -1: not checked
    QTest::addColumn<int>("bytes");       // -1: not checked

    QTest::newRow("NULL text") << "COPYRIGHT" << "copyright" << QVariant() << true << "" << 0 << 0;
    QTest::newRow("NULL integer") << "TOP_OPEN" << "top_open" << QVariant() << true << "" << 0 << 0;
    QTest::newRow("NULL blob") << "LOGO" << "Logo" << QVariant() << true << "" << 0 << 0;
    QTest::newRow("Chinese text") << "SYS_CAPTION" << "Sys_Caption" << QVariant(QStringLiteral(" 应用 ")) << false
                                  << " 应用 " << -1 << -1;
    QTest::newRow("empty text is not NULL") << "COPYRIGHT" << "COPYRIGHT" << QVariant(QString("")) << false << ""
                                            << -1 << -1;
    QTest::newRow("integer flag") << "FORM_STATE" << "Form_State" << QVariant(2) << false << "2" << 2 << -1;
    QTest::newRow("floating height") << "TOP_HEIGHT" << "top_HEIGHT" << QVariant(57.0) << false << "57" << 57
                                     << -1;
    QTest::newRow("height rounds") << "TOP_HEIGHT" << "TOP_HEIGHT" << QVariant(88.6) << false << "88.6" << 89 << -1;
    QTest::newRow("empty blob is not NULL") << "TOP_BG_GROUND" << "top_bg_ground" << QVariant(QByteArray())
                                            << false << "" << -1 << 0;
    QTest::newRow("blob bytes") << "TOP_RIGHT" << "top_right" << QVariant(QByteArray("\x00\x01\xff", 3)) << false
                                << QString() << -1 << 3;
}

void TestDb::readRules()
{
    QFETCH(QString, column);
    QFETCH(QString, lookup);
    QFETCH(QVariant, stored);
    QFETCH(bool, isNull);
    QFETCH(QString, text);
    QFETCH(int, integer);
    QFETCH(int, bytes);

    Program p(m_file);
    if (stored.isValid())
        p.update(QStringLiteral("Update CLIENT_INFO Set %1 = :v where id=:sid").arg(column), QStringLiteral("v"),
                 stored);
    p.open(QStringLiteral("Select * from  client_info"));
    QCOMPARE(p.query.isNull(lookup), isNull);
    QCOMPARE(p.query.isNull(column.toLower()), isNull);
    if (!text.isNull())
        QCOMPARE(p.query.asString(lookup), text);
    if (integer >= 0)
        QCOMPARE(p.query.asInteger(lookup), integer);
    if (bytes >= 0)
        QCOMPARE(p.query.asBytes(lookup).size(), bytes);
}

void TestDb::writesRoundTrip()
{
    Program p(m_file);
    p.update(QStringLiteral("Update LOGIN_INFO Set BGFLG = :iFlg where id=:sid"), QStringLiteral("iFlg"), 1);
    p.update(QStringLiteral("Update LOGIN_INFO Set TXT_NAME_LTWH = :sPos where id=:sid"), QStringLiteral("sPos"),
             QStringLiteral("-10,20,300,40"));
    QCOMPARE(p.sql.rowsAffected(), 1);
    p.open(QStringLiteral("SELECT * FROM LOGIN_INFO where id=:sid"));
    QVERIFY(p.query.isEmpty()); // sid not bound: NULL matches no row
    p.query.setSQL(QStringLiteral("SELECT * FROM LOGIN_INFO where id=:sid"));
    p.query.setParamInteger(QStringLiteral(":sid"), 1);
    p.query.open();
    QCOMPARE(p.query.asInteger(QStringLiteral("bgflg")), 1);
    QCOMPARE(p.query.asString(QStringLiteral("txt_name_LTWH")), QStringLiteral("-10,20,300,40"));

    // A missing settings row: the update changes nothing and reports nothing.
    p.sql.setSQL(QStringLiteral("Update LOGIN_INFO Set BGFLG = :iFlg where id=:sid"));
    p.sql.setParamInteger(QStringLiteral("sid"), 7);
    p.sql.setParamInteger(QStringLiteral("iFlg"), 0);
    p.sql.execQuery();
    QCOMPARE(p.sql.rowsAffected(), 0);
    p.tr.commit();
}

void TestDb::transactionRules()
{
    Program p(m_file);
    QVERIFY(!p.tr.inTransaction());
    p.open(QStringLiteral("Select * from  client_info"));
    QVERIFY(p.tr.inTransaction()); // a read leaves it open
    QVERIFY(p.query.isActive());
    p.update(QStringLiteral("Update CLIENT_INFO Set FORM_STYLE = :iFlg where id=:sid"), QStringLiteral("iFlg"), 1,
             false);
    QVERIFY(p.query.isActive()); // only the commit ends it
    p.tr.commit();
    QVERIFY(!p.tr.inTransaction());
    QVERIFY(!p.query.isActive()); // a commit closes the reading query
    QVERIFY_EXCEPTION_THROWN(p.query.asString(QStringLiteral("id")), Exception);

    // Commit without a transaction: the layer's own error.
    try {
        p.tr.commit();
        QFAIL("commit without a transaction succeeded");
    } catch (const Exception &e) {
        QVERIFY(e.message().contains(QStringLiteral("not active")));
    }

    // Uncommitted work is dropped when the connection closes.
    p.update(QStringLiteral("Update CLIENT_INFO Set FORM_STYLE = :iFlg where id=:sid"), QStringLiteral("iFlg"), 0,
             false);
    p.db.close();
    QVERIFY(!p.tr.inTransaction());
    p.open(QStringLiteral("Select * from  client_info"));
    QCOMPARE(p.query.asInteger(QStringLiteral("form_style")), 1);
}

void TestDb::passwordLines()
{
    TIBDatabase db;
    db.params() << QStringLiteral("user_name=SYSDBA") << QStringLiteral("password=quillbark")
                << QStringLiteral("PASSWORD=configured");
    QCOMPARE(db.paramValue(QStringLiteral("password")), QStringLiteral("configured"));
    QCOMPARE(db.paramValue(QStringLiteral("USER_NAME")), QStringLiteral("SYSDBA"));
    QCOMPARE(db.paramValue(QStringLiteral("role")), QString());
}

void TestDb::failures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("engineSays");

    QTest::newRow("missing file") << "missing.db" << "Select * from  client_info" << "No such file";
    QTest::newRow("not a database") << "text.db" << "Select * from  client_info" << "not a valid database";
    QTest::newRow("missing table") << "CLINFO.DB" << "Select * from  client_infos" << "Table unknown";
    QTest::newRow("missing column") << "CLINFO.DB" << "Update CLIENT_INFO Set NO_SUCH = :v where id=:sid"
                                    << "Column unknown";
}

void TestDb::failures()
{
    QFETCH(QString, file);
    QFETCH(QString, statement);
    QFETCH(QString, engineSays);
    QFile text(m_dir->filePath(QStringLiteral("text.db")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write(QByteArray(20000, 'x'));
    text.close();

    Program p(m_dir->filePath(file));
    try {
        if (statement.startsWith(QLatin1String("Select"))) {
            p.open(statement);
        } else {
            p.sql.setSQL(statement);
            p.sql.execQuery();
        }
        QFAIL("the statement succeeded");
    } catch (const Exception &e) {
        QVERIFY2(e.message().contains(engineSays, Qt::CaseInsensitive), qPrintable(e.message()));
    }
}

void TestDb::otherUserAndUnreadableFile()
{
    // As root, play a normal user through setpriv; as a normal user, be one.
    QStringList prefix;
    if (geteuid() == 0) {
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (setpriv.isEmpty())
            QSKIP("running as root without setpriv");
        prefix << setpriv << QStringLiteral("--reuid=65534") << QStringLiteral("--regid=65534")
               << QStringLiteral("--clear-groups");
    }
    QFile::setPermissions(m_dir->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                             | QFileDevice::ReadOther | QFileDevice::WriteOther
                                             | QFileDevice::ExeOther);
    const QString mine = create(QStringLiteral("user.db"));
    QFile::setPermissions(mine, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther
                                    | QFileDevice::WriteOther);
    const auto asUser = [&](const QStringList &args, QString *err) {
        QProcess p;
        QStringList command = prefix;
        command << QStringLiteral(TREMLIN_TEST_BIN_DIR "/dbprobe") << args;
        p.start(command.takeFirst(), command);
        p.waitForFinished(60000);
        *err = QString::fromUtf8(p.readAllStandardError());
        return p.exitCode() == 0 ? QString::fromUtf8(p.readAllStandardOutput()) : QStringLiteral("failed");
    };
    QString err;
    QCOMPARE(asUser({QStringLiteral("write"), mine, QStringLiteral("COPYRIGHT"), QStringLiteral("user")}, &err),
             QString());
    QCOMPARE(asUser({QStringLiteral("read"), mine, QStringLiteral("COPYRIGHT")}, &err), QStringLiteral("user"));

    QFile::setPermissions(mine, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (prefix.isEmpty())
        QFile::setPermissions(mine, {});
    QCOMPARE(asUser({QStringLiteral("read"), mine, QStringLiteral("COPYRIGHT")}, &err), QStringLiteral("failed"));
    QVERIFY2(err.contains(QStringLiteral("Permission denied")), qPrintable(err));
}

void TestDb::failedUpdateLeavesData()
{
    Program p(m_file);
    p.update(QStringLiteral("Update CLIENT_INFO Set COPYRIGHT = :s where id=:sid"), QStringLiteral("s"),
             QStringLiteral("kept"));
    // Too long for the column: the engine refuses, nothing is rolled back.
    p.update(QStringLiteral("Update CLIENT_INFO Set TOP_OPEN = :iFlg where id=:sid"), QStringLiteral("iFlg"), 1,
             false);
    try {
        p.update(QStringLiteral("Update LOGIN_INFO Set TXT_PWD_LTWH = :s where id=:sid"), QStringLiteral("s"),
                 QString(60, QLatin1Char('9')));
        QFAIL("an over-long position string was stored");
    } catch (const Exception &e) {
        QVERIFY2(e.message().contains(QStringLiteral("truncation"), Qt::CaseInsensitive), qPrintable(e.message()));
    }
    QVERIFY(p.tr.inTransaction());
    p.tr.commit(); // the earlier pending update survives the failure
    p.open(QStringLiteral("Select * from  client_info"));
    QCOMPARE(p.query.asString(QStringLiteral("copyright")), QStringLiteral("kept"));
    QCOMPARE(p.query.asInteger(QStringLiteral("top_open")), 1);
}

void TestDb::pictures_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("loads");
    QTest::addColumn<QSize>("size");
    QTest::newRow("bmp") << encode("BMP") << true << QSize(40, 30);
    QTest::newRow("jpeg after bmp fails") << encode("JPG") << true << QSize(40, 30);
    QTest::newRow("empty") << QByteArray() << true << QSize();
    QTest::newRow("ico") << encode("ICO") << false << QSize();
    QTest::newRow("gif") << QByteArray("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00,\x00\x00\x00\x00"
                                       "\x01\x00\x01\x00\x00\x02\x02D\x01\x00;", 35)
                         << false << QSize();
}

void TestDb::pictures()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, loads);
    QFETCH(QSize, size);
    QVERIFY(!bytes.isEmpty() || QByteArray(QTest::currentDataTag()) == "empty");
    Program p(m_file);
    p.update(QStringLiteral("Update CLIENT_INFO Set SYS_SHOW = :bico where id=:sid"), QStringLiteral("bico"), bytes);
    p.update(QStringLiteral("Update CLIENT_INFO Set SYS_ICO = :bico where id=:sid"), QStringLiteral("bico"),
             encode("ICO"));
    p.open(QStringLiteral("Select * from  client_info"));
    QVERIFY(!p.query.asPicture(QStringLiteral("logo"))); // NULL: not set
    QVERIFY(p.query.asIcon(QStringLiteral("sys_ico")));
    try {
        const std::optional<QImage> image = p.query.asPicture(QStringLiteral("sys_show"));
        QVERIFY(loads);
        QVERIFY(image);
        QCOMPARE(image->size(), size.isValid() ? size : QSize(0, 0));
    } catch (const Exception &e) {
        QVERIFY2(!loads, qPrintable(e.message()));
        QVERIFY(e.message().contains(QStringLiteral("sys_show")));
    }
}

void TestDb::secondProcessSeesCommit()
{
    // This process plays the shell: its query and transaction stay open.
    Program shell(m_file);
    shell.open(QStringLiteral("Select * from  client_info"));
    QCOMPARE(shell.query.asString(QStringLiteral("copyright")), QString());

    int code = -1;
    QString err;
    probe({QStringLiteral("write"), m_file, QStringLiteral("COPYRIGHT"), QStringLiteral("出版者")}, &code, &err);
    QVERIFY2(code == 0, qPrintable(err));
    QCOMPARE(probe({QStringLiteral("read"), m_file, QStringLiteral("Copyright")}, &code, &err),
             QStringLiteral("出版者"));
    QVERIFY2(code == 0, qPrintable(err));

    // The shell sees the change at its next start, not inside its open snapshot.
    QVERIFY(shell.query.isActive());
    shell.open(QStringLiteral("Select * from  client_info"));
    QCOMPARE(shell.query.asString(QStringLiteral("copyright")), QString());
    Program next(m_file);
    next.open(QStringLiteral("Select * from  client_info"));
    QCOMPARE(next.query.asString(QStringLiteral("copyright")), QStringLiteral("出版者"));
}

void TestDb::killedWriterLeavesFileConsistent_data()
{
    // Different moments inside the writer's stream of large updates.
    QTest::addColumn<int>("delay");
    QTest::newRow("early") << 30;
    QTest::newRow("later") << 370;
    QTest::newRow("late") << 900;
}

void TestDb::killedWriterLeavesFileConsistent()
{
    QFETCH(int, delay);
    QProcess writer;
    writer.start(QStringLiteral(TREMLIN_TEST_BIN_DIR "/dbprobe"), {QStringLiteral("hammer"), m_file});
    QVERIFY(writer.waitForReadyRead(60000));
    QVERIFY(writer.readAll().startsWith("ready"));
    QTest::qWait(delay);
    ::kill(pid_t(writer.processId()), SIGKILL);
    QVERIFY(writer.waitForFinished(10000));

    int code = -1;
    QString err;
    const QString round = probe({QStringLiteral("read"), m_file, QStringLiteral("copyright")}, &code, &err);
    QVERIFY2(code == 0, qPrintable(err));
    QVERIFY(round.toInt() >= 0 && !round.isEmpty());
    Program p(m_file);
    p.open(QStringLiteral("Select * from  client_info"));
    QCOMPARE(p.query.asPicture(QStringLiteral("logo"))->size(), QSize(1200, 800));
    // And the file still takes writes.
    p.update(QStringLiteral("Update CLIENT_INFO Set COPYRIGHT = :s where id=:sid"), QStringLiteral("s"),
             QStringLiteral("after"));
}

QTEST_MAIN(TestDb)
#include "tst_db.moc"
