#include "ServerDatabase.h"

#include "DataPacketWriter.h"
#include "Exception.h"
#include "FirebirdClient.h"
#include "FirebirdEnvironment.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

constexpr const char ServerDatabase::FileName[];
constexpr const char ServerDatabase::User[];
constexpr const char ServerDatabase::Password[];

namespace {

QString hashOf(const QString &salt, const QString &password)
{
    return QString::fromLatin1(
        QCryptographicHash::hash((salt + password).toUtf8(), QCryptographicHash::Sha256).toHex());
}

void raise(const QSqlQuery &q, const QString &what)
{
    const QSqlError error = q.lastError();
    const QString text = error.text().trimmed().isEmpty() ? QStringLiteral("the database gave no reason (code %1)").arg(error.nativeErrorCode())
                                                          : error.text();
    throw Exception(QStringLiteral("%1: %2").arg(what, text));
}

QVariant textOrNull(const QString &text)
{
    return text.isNull() ? QVariant(QVariant::String) : QVariant(text);
}

} // namespace

const char *ServerDatabase::wrongPasswordMessage()
{
    return "用户名或密码不正确";
}

void ServerDatabase::createFile(const QString &file)
{
    if (QFile::exists(file) && !QFile::remove(file))
        throw Exception(QStringLiteral("Cannot replace the database %1").arg(file));
    FirebirdClient::createDatabase(file, QString::fromLatin1(User), QString::fromLatin1(Password));
    ServerDatabase db(file);
    db.exec(QStringLiteral("CREATE TABLE MD_CATALOGUE ("
                           " ID INTEGER NOT NULL PRIMARY KEY,"
                           " SORT_NO INTEGER NOT NULL,"
                           " CAP VARCHAR(200),"
                           " OBJNAME VARCHAR(255),"
                           " FID INTEGER DEFAULT 0 NOT NULL,"
                           " MD_TYPE INTEGER DEFAULT 0 NOT NULL,"
                           " FMMODAL INTEGER DEFAULT 0 NOT NULL,"
                           " ONBAR INTEGER DEFAULT 0 NOT NULL,"
                           " ICO BLOB SUB_TYPE 0)"));
    db.exec(QStringLiteral("CREATE TABLE APP_USERS ("
                           " USER_NAME VARCHAR(50) NOT NULL PRIMARY KEY,"
                           " SALT VARCHAR(40) NOT NULL,"
                           " PASSWORD_HASH VARCHAR(64) NOT NULL,"
                           " USER_NUMBER INTEGER DEFAULT 0 NOT NULL,"
                           " TEXT1 VARCHAR(200),"
                           " TEXT2 VARCHAR(200),"
                           " WELCOME_HEAD VARCHAR(200),"
                           " WELCOME_TAIL VARCHAR(200),"
                           " RIGHTS BLOB SUB_TYPE TEXT)"));
    db.commit();
}

ServerDatabase::ServerDatabase(const QString &file)
    : m_connectionName(QUuid::createUuid().toString())
{
    // Same engine mode as every other program of the project.
    FirebirdEnvironment::prepare();
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), m_connectionName);
    m_db.setDatabaseName(file);
    m_db.setUserName(QString::fromLatin1(User));
    m_db.setPassword(QString::fromLatin1(Password)); // embedded access ignores it
    m_db.setConnectOptions(QStringLiteral("ISC_DPB_LC_CTYPE=UTF8"));
    if (!m_db.open()) {
        const QString reason = m_db.lastError().text();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
        throw Exception(QStringLiteral("Cannot open the database %1: %2").arg(file, reason));
    }
    m_db.transaction();
}

ServerDatabase::~ServerDatabase()
{
    m_db.rollback();
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

void ServerDatabase::exec(const QString &sql)
{
    QSqlQuery q(m_db);
    if (!q.exec(sql))
        raise(q, QStringLiteral("Database statement failed"));
    // DDL must be committed before the tables can be used.
    commit();
}

void ServerDatabase::commit()
{
    if (!m_db.commit())
        throw Exception(QStringLiteral("Database commit failed: %1").arg(m_db.lastError().text()));
    m_db.transaction();
}

void ServerDatabase::addCatalogueRow(const CatalogueRow &row)
{
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("INSERT INTO MD_CATALOGUE (ID, SORT_NO, CAP, OBJNAME, FID, MD_TYPE, FMMODAL, ONBAR, ICO)"
                             " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    if (m_nextSortNo < 0) {
        QSqlQuery max(m_db);
        if (!max.exec(QStringLiteral("SELECT COALESCE(MAX(SORT_NO), 0) FROM MD_CATALOGUE")) || !max.next())
            raise(max, QStringLiteral("Cannot read the catalogue"));
        m_nextSortNo = max.value(0).toInt() + 1;
    }
    q.addBindValue(row.id);
    q.addBindValue(m_nextSortNo);
    q.addBindValue(textOrNull(row.cap));
    q.addBindValue(textOrNull(row.objName));
    q.addBindValue(row.fid);
    q.addBindValue(row.type);
    q.addBindValue(row.fmmodal);
    q.addBindValue(row.onbar);
    q.addBindValue(row.ico.isNull() ? QVariant(QVariant::ByteArray) : QVariant(row.ico));
    if (!q.exec())
        raise(q, QStringLiteral("Cannot store catalogue row %1").arg(row.id));
    ++m_nextSortNo;
}

void ServerDatabase::addUser(const QString &name, const QString &password, int number, const QString &text1,
                             const QString &text2, const QString &welcomeHead, const QString &welcomeTail,
                             const QString &rights)
{
    const QString salt = QString::number(QRandomGenerator::global()->generate64(), 16);
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("INSERT INTO APP_USERS (USER_NAME, SALT, PASSWORD_HASH, USER_NUMBER, TEXT1, TEXT2,"
                             " WELCOME_HEAD, WELCOME_TAIL, RIGHTS) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    q.addBindValue(name);
    q.addBindValue(salt);
    q.addBindValue(hashOf(salt, password));
    q.addBindValue(number);
    q.addBindValue(textOrNull(text1));
    q.addBindValue(textOrNull(text2));
    q.addBindValue(textOrNull(welcomeHead));
    q.addBindValue(textOrNull(welcomeTail));
    q.addBindValue(textOrNull(rights));
    if (!q.exec())
        raise(q, QStringLiteral("Cannot store user %1").arg(name));
}

int ServerDatabase::catalogueRowCount()
{
    QSqlQuery q(m_db);
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM MD_CATALOGUE")) || !q.next())
        raise(q, QStringLiteral("Cannot count the catalogue"));
    return q.value(0).toInt();
}

QByteArray ServerDatabase::cataloguePacket()
{
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT ID, CAP, OBJNAME, FID, MD_TYPE, FMMODAL, ONBAR, ICO"
                               " FROM MD_CATALOGUE ORDER BY SORT_NO")))
        raise(q, QStringLiteral("Cannot read the catalogue"));
    TDataPacketWriter w;
    w.addField(QStringLiteral("id"), TFieldType::Integer);
    w.addField(QStringLiteral("cap"), TFieldType::String, 200);
    w.addField(QStringLiteral("OBJname"), TFieldType::String, 255);
    w.addField(QStringLiteral("fid"), TFieldType::Integer);
    w.addField(QStringLiteral("type"), TFieldType::Integer);
    w.addField(QStringLiteral("fmmodal"), TFieldType::Integer);
    w.addField(QStringLiteral("onbar"), TFieldType::Integer);
    w.addField(QStringLiteral("ico"), TFieldType::Blob);
    while (q.next()) {
        QVariantList row;
        for (int i = 0; i < 8; ++i)
            row << q.value(i);
        w.addRow(row);
    }
    if (q.lastError().isValid())
        raise(q, QStringLiteral("Cannot read the catalogue"));
    return w.packet();
}

QByteArray ServerDatabase::signInPacket(const QString &name, const QString &password)
{
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("SELECT SALT, PASSWORD_HASH, USER_NUMBER, TEXT1, TEXT2, WELCOME_TAIL, WELCOME_HEAD, RIGHTS"
                             " FROM APP_USERS WHERE UPPER(USER_NAME) = UPPER(?)"));
    q.addBindValue(name);
    if (!q.exec())
        raise(q, QStringLiteral("Cannot read the users"));
    if (!q.next() || hashOf(q.value(0).toString(), password) != q.value(1).toString())
        throw Exception(QString::fromUtf8(wrongPasswordMessage()));

    TDataPacketWriter w;
    w.addField(QStringLiteral("Number"), TFieldType::Integer);
    w.addField(QStringLiteral("Text1"), TFieldType::String, 200);
    w.addField(QStringLiteral("Text2"), TFieldType::String, 200);
    w.addField(QStringLiteral("WelcomeTail"), TFieldType::String, 200);
    w.addField(QStringLiteral("WelcomeHead"), TFieldType::String, 200);
    w.addField(QStringLiteral("Rights"), TFieldType::String);
    QVariantList row;
    for (int i = 2; i < 8; ++i)
        row << q.value(i);
    w.addRow(row);
    return w.packet();
}
