#include "TIBDatabase.h"

#include "Exception.h"
#include "FirebirdEnvironment.h"
#include "IBError.h"
#include "TIBTransaction.h"

#include <QAtomicInt>
#include <QSqlError>

namespace {
QAtomicInt connectionCounter;
}

TIBDatabase::TIBDatabase(QObject *parent)
    : QObject(parent)
    , m_connectionName(QStringLiteral("TIBDatabase-%1").arg(connectionCounter.fetchAndAddRelaxed(1)))
{
}

TIBDatabase::~TIBDatabase()
{
    close();
    if (QSqlDatabase::contains(m_connectionName))
        QSqlDatabase::removeDatabase(m_connectionName);
}

QString TIBDatabase::paramValue(const QString &name) const
{
    QString value;
    for (const QString &line : m_params) {
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq > 0 && line.left(eq).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            value = line.mid(eq + 1);
    }
    return value;
}

void TIBDatabase::setDefaultTransaction(TIBTransaction *transaction)
{
    m_transaction = transaction;
    if (transaction && transaction->defaultDatabase() != this)
        transaction->setDefaultDatabase(this);
}

TIBTransaction *TIBDatabase::defaultTransaction() const
{
    return m_transaction;
}

QSqlDatabase TIBDatabase::sqlDatabase() const
{
    if (QSqlDatabase::contains(m_connectionName))
        return QSqlDatabase::database(m_connectionName, false);
    // The engine's configuration is read at its first use: set it up first.
    FirebirdEnvironment::prepare();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), m_connectionName);
    if (!db.isValid())
        throw Exception(QStringLiteral("The database driver QIBASE is not available"));
    return db;
}

void TIBDatabase::open()
{
    if (connected())
        return;
    if (m_sqlDialect != 3)
        throw Exception(QStringLiteral("SQL dialect %1 is not supported; use dialect 3").arg(m_sqlDialect));
    QSqlDatabase db = sqlDatabase();
    db.setDatabaseName(m_databaseName);
    db.setUserName(paramValue(QStringLiteral("user_name")));
    db.setPassword(paramValue(QStringLiteral("password")));
    db.setConnectOptions(QStringLiteral("ISC_DPB_LC_CTYPE=UTF8"));
    if (!db.open())
        throw Exception(IBError::message(db.lastError()));
}

void TIBDatabase::ensureConnected()
{
    open();
}

bool TIBDatabase::connected() const
{
    return QSqlDatabase::contains(m_connectionName) && QSqlDatabase::database(m_connectionName, false).isOpen();
}

void TIBDatabase::close()
{
    if (!connected())
        return;
    // Nothing uncommitted survives a close: what the user did not confirm is dropped.
    if (m_transaction)
        m_transaction->rollback();
    QSqlDatabase::database(m_connectionName, false).close();
}
