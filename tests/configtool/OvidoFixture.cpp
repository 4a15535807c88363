#include "OvidoFixture.h"

#include "ErrorBox.h"
#include "OvidoProgram.h"
#include "TDM.h"
#include "TOpenDialog.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

namespace {

void prepareEngine()
{
    // Every process on the file runs the embedded engine in the shared mode.
    static QTemporaryDir conf;
    static bool done = false;
    if (done)
        return;
    QFile f(conf.filePath(QStringLiteral("firebird.conf")));
    f.open(QIODevice::WriteOnly);
    f.write("ServerMode = Classic\n");
    f.close();
    qputenv("FIREBIRD", QFile::encodeName(conf.path()));
    done = true;
}

const char Schema[] = R"(
CREATE TABLE CLIENT_INFO (ID INTEGER NOT NULL PRIMARY KEY, SYS_CAPTION VARCHAR(200), SYS_ICO BLOB SUB_TYPE 0,
  COPYRIGHT VARCHAR(200), FORM_STATE INTEGER, FORM_STYLE INTEGER, TOP_OPEN INTEGER, TOP_HEIGHT DOUBLE PRECISION,
  LOGO BLOB SUB_TYPE 0, TOP_BG_GROUND BLOB SUB_TYPE 0, TOP_RIGHT BLOB SUB_TYPE 0, BTN_BACKGROUND BLOB SUB_TYPE 0,
  SYS_GROUND BLOB SUB_TYPE 0, SYS_SHOW BLOB SUB_TYPE 0, FORM_ICO_MIN BLOB SUB_TYPE 0, FORM_ICO_CLOSE BLOB SUB_TYPE 0,
  LOGO_SHOWMODULE INTEGER, TOP_BG_SHOWMODULE INTEGER, TOP_RIGHT_SHOWMODULE INTEGER, SYS_GROUNDMODULE INTEGER,
  SYS_SHOWMODULE INTEGER);
CREATE TABLE LOGIN_INFO (ID INTEGER NOT NULL PRIMARY KEY, BACKGROUND BLOB SUB_TYPE 0, BGFLG INTEGER,
  BTN_SET_IMG BLOB SUB_TYPE 0, BTN_LOGIN_IMG BLOB SUB_TYPE 0, BTN_CLOSE_IMG BLOB SUB_TYPE 0,
  TXT_NAME_LTWH VARCHAR(47), TXT_PWD_LTWH VARCHAR(47), BTN_SET_LTWH VARCHAR(47), BTN_LOGIN_LTWH VARCHAR(47),
  BTN_CLOSE_LTWH VARCHAR(47));
INSERT INTO CLIENT_INFO (ID) VALUES (1);
INSERT INTO LOGIN_INFO (ID) VALUES (1);
COMMIT;
)";

} // namespace

OvidoFixture::OvidoFixture()
{
    prepareEngine();
    ErrorBox::setPresenter([this](ErrorBox::Kind kind, const QString &caption, const QString &text) {
        boxes << Box{kind == ErrorBox::Kind::Error, caption, text};
    });
    TOpenDialog::setChooser([](const TOpenDialog &) { return QString(); });
}

OvidoFixture::~OvidoFixture()
{
    m_program.reset();
    if (!m_connection.isEmpty()) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
    ErrorBox::setPresenter({});
    TOpenDialog::setChooser({});
}

QString OvidoFixture::dir() const
{
    return m_dir.path() + QLatin1Char('/');
}

void OvidoFixture::createDatabase(const QString &name)
{
    m_database = dir() + name;
    QDir().mkpath(QFileInfo(m_database).path());
    QProcess isql;
    isql.start(QStringLiteral("isql-fb"), {QStringLiteral("-q")});
    QVERIFY(isql.waitForStarted());
    isql.write(QStringLiteral("CREATE DATABASE '%1' USER 'SYSDBA' DEFAULT CHARACTER SET UTF8;\n").arg(m_database).toUtf8());
    isql.write(Schema);
    isql.closeWriteChannel();
    QVERIFY(isql.waitForFinished(30000));
    QVERIFY2(QFile::exists(m_database), isql.readAllStandardError().constData());
}

void OvidoFixture::writeConfig(const QString &text)
{
    writeFile(QStringLiteral("Config.ini"), text.toUtf8());
}

QString OvidoFixture::checkConnection()
{
    if (m_connection.isEmpty()) {
        m_connection = QStringLiteral("fixture-%1").arg(quintptr(this));
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), m_connection);
        db.setDatabaseName(m_database);
        db.setUserName(QStringLiteral("SYSDBA"));
        db.setConnectOptions(QStringLiteral("ISC_DPB_LC_CTYPE=UTF8"));
    }
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.isOpen() && !db.open())
        qWarning() << db.lastError().text();
    return m_connection;
}

void OvidoFixture::exec(const QString &sql, const QVariantList &values)
{
    QSqlDatabase db = QSqlDatabase::database(checkConnection(), false);
    db.transaction();
    QSqlQuery q(db);
    QVERIFY2(q.prepare(sql), qPrintable(q.lastError().text()));
    for (const QVariant &v : values)
        q.addBindValue(v);
    QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
    q.finish();
    QVERIFY(db.commit());
}

QVariant OvidoFixture::value(const QString &table, const QString &column)
{
    QSqlDatabase db = QSqlDatabase::database(checkConnection(), false);
    // A fresh transaction sees everything committed so far.
    db.transaction();
    QVariant result;
    {
        QSqlQuery q(db);
        q.exec(QStringLiteral("SELECT %1 FROM %2 WHERE ID = 1").arg(column, table));
        if (q.next())
            result = q.value(0);
        else
            qWarning() << "no row" << q.lastError().text();
    }
    db.commit();
    return result;
}

OvidoProgram &OvidoFixture::start()
{
    m_program.reset(new OvidoProgram(dir()));
    QObject::connect(m_program->dm(), &TDM::columnUpdated,
                     [this](const QString &statement, const QVariant &v) { updates << qMakePair(statement, v); });
    return *m_program;
}

QString OvidoFixture::writeFile(const QString &name, const QByteArray &bytes)
{
    const QString path = dir() + name;
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

QByteArray OvidoFixture::imageBytes(const QSize &size, const QColor &color, const char *format)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QString OvidoFixture::writeImage(const QString &name, const QSize &size, const QColor &color, const char *format)
{
    return writeFile(name, imageBytes(size, color, format));
}

QByteArray OvidoFixture::iconBytes()
{
    return imageBytes(QSize(16, 16), Qt::red, "ICO");
}

void OvidoFixture::chooseFile(const QString &path)
{
    TOpenDialog::setChooser([path](const TOpenDialog &) { return path; });
}
