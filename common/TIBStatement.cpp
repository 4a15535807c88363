#include "TIBStatement.h"

#include "Exception.h"
#include "IBError.h"
#include "TIBDatabase.h"
#include "TIBTransaction.h"

#include <QSqlError>
#include <QSqlQuery>

TIBStatement::TIBStatement(TIBDatabase *database, TIBTransaction *transaction, QObject *parent)
    : QObject(parent)
    , m_database(database)
    , m_transaction(transaction)
{
    if (m_transaction)
        m_transaction->attach(this);
}

TIBStatement::~TIBStatement()
{
    if (m_transaction)
        m_transaction->detach(this);
}

void TIBStatement::setSQL(const QString &sql)
{
    close();
    m_sql = sql;
    m_params.clear();
}

void TIBStatement::setParam(const QString &name, const QVariant &value)
{
    const QString key = name.startsWith(QLatin1Char(':')) ? name : QLatin1Char(':') + name;
    for (auto &param : m_params)
        if (param.first.compare(key, Qt::CaseInsensitive) == 0) {
            param.second = value;
            return;
        }
    m_params.append({key, value});
}

void TIBStatement::setParamInteger(const QString &name, int value)
{
    setParam(name, QVariant(value));
}

void TIBStatement::setParamString(const QString &name, const QString &value)
{
    // A null QString would be bound as NULL; an empty text is a text.
    setParam(name, QVariant(value.isNull() ? QStringLiteral("") : value));
}

void TIBStatement::setParamDouble(const QString &name, double value)
{
    setParam(name, QVariant(value));
}

void TIBStatement::setParamBlob(const QString &name, const QByteArray &value)
{
    setParam(name, QVariant(value.isNull() ? QByteArray("") : value));
}

void TIBStatement::setParamNull(const QString &name)
{
    setParam(name, QVariant());
}

void TIBStatement::close()
{
    m_query.reset();
}

void TIBStatement::fail(const QString &step) const
{
    const QString why = m_query ? IBError::message(m_query->lastError()) : QString();
    throw Exception(why.isEmpty() ? step : why);
}

QSqlQuery &TIBStatement::run()
{
    close();
    // The database's default transaction may be set after the statement was made.
    if (!m_transaction && m_database && m_database->defaultTransaction()) {
        m_transaction = m_database->defaultTransaction();
        m_transaction->attach(this);
    }
    if (!m_database || !m_transaction)
        throw Exception(QStringLiteral("The statement has no database or transaction"));
    if (m_sql.trimmed().isEmpty())
        throw Exception(QStringLiteral("The statement has no text"));
    m_database->ensureConnected();
    m_transaction->ensureStarted();

    m_query = std::make_unique<QSqlQuery>(m_database->sqlDatabase());
    m_query->setForwardOnly(true);
    if (!m_query->prepare(m_sql))
        fail(QStringLiteral("The statement cannot be prepared"));
    for (const auto &param : qAsConst(m_params))
        m_query->bindValue(param.first, param.second);
    if (!m_query->exec())
        fail(QStringLiteral("The statement failed"));
    return *m_query;
}
