#include "OvidoFixture.h"

#include "ErrorBox.h"
#include "FirebirdEnvironment.h"
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

OvidoFixture::OvidoFixture()
{
    FirebirdEnvironment::prepare();
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
    QProcess create;
    create.start(QStringLiteral(TREMLIN_BIN_DIR "/clinfo-create"), {m_database});
    QVERIFY(create.waitForFinished(60000));
    QVERIFY2(create.exitCode() == 0 && QFile::exists(m_database), create.readAllStandardError().constData());
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
