#include "TIBTransaction.h"

#include "Exception.h"
#include "IBError.h"
#include "TIBDatabase.h"
#include "TIBStatement.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>

TIBTransaction::TIBTransaction(QObject *parent)
    : QObject(parent)
{
}

TIBTransaction::~TIBTransaction()
{
    if (m_active && m_database)
        rollback();
    for (TIBStatement *statement : qAsConst(m_statements))
        statement->m_transaction = nullptr;
}

void TIBTransaction::setDefaultDatabase(TIBDatabase *database)
{
    m_database = database;
    if (database && database->defaultTransaction() != this)
        database->setDefaultTransaction(this);
}

void TIBTransaction::startTransaction()
{
    if (!m_database)
        throw Exception(QStringLiteral("The transaction has no database"));
    if (m_active)
        throw Exception(QStringLiteral("The transaction is already active"));
    m_database->ensureConnected();
    QSqlDatabase db = m_database->sqlDatabase();
    if (!db.transaction())
        throw Exception(IBError::message(db.lastError()));
    m_active = true;
}

void TIBTransaction::ensureStarted()
{
    if (!m_active)
        startTransaction();
}

void TIBTransaction::commit()
{
    if (!m_active || !m_database || !m_database->connected())
        throw Exception(QStringLiteral("The transaction is not active"));
    closeStatements();
    QSqlDatabase db = m_database->sqlDatabase();
    const bool committed = db.commit();
    // The driver drops its handle even when the engine refuses the commit;
    // the next statement must start a transaction again.
    m_active = false;
    if (!committed)
        throw Exception(IBError::message(db.lastError()));
}

void TIBTransaction::rollback()
{
    closeStatements();
    if (!m_active)
        return;
    m_active = false;
    if (m_database && m_database->connected())
        m_database->sqlDatabase().rollback();
}

void TIBTransaction::closeStatements()
{
    for (TIBStatement *statement : qAsConst(m_statements))
        statement->close();
}

void TIBTransaction::attach(TIBStatement *statement)
{
    if (!m_statements.contains(statement))
        m_statements.append(statement);
}

void TIBTransaction::detach(TIBStatement *statement)
{
    m_statements.removeAll(statement);
}
