#pragma once

#include "TIBDatabase.h"

#include <QObject>
#include <QPointer>
#include <QVariant>
#include <QVector>
#include <memory>

class QSqlQuery;
class TIBTransaction;

// What reading queries and update statements share: the statement text,
// its named parameters (":sid" in the text, "sid" or ":sid" here) and the
// run on the one transaction. Running connects the database and starts the
// transaction when needed. Every failure is an Exception carrying the
// engine's message; nothing is rolled back on failure.
class TIBStatement : public QObject
{
    Q_OBJECT
public:
    // Without a transaction, the database's default transaction at the
    // first run is taken.
    TIBStatement(TIBDatabase *database, TIBTransaction *transaction, QObject *parent = nullptr);
    ~TIBStatement() override;

    TIBDatabase *database() const { return m_database; }
    TIBTransaction *transaction() const { return m_transaction; }

    // A new text closes the statement and forgets the parameters.
    void setSQL(const QString &sql);
    QString sql() const { return m_sql; }

    void setParamInteger(const QString &name, int value);
    void setParamString(const QString &name, const QString &value);
    void setParamDouble(const QString &name, double value);
    // The whole content, empty included (an empty BLOB is not NULL).
    void setParamBlob(const QString &name, const QByteArray &value);
    void setParamNull(const QString &name);
    void clearParams() { m_params.clear(); }

    virtual void close();

protected:
    // Prepares, binds and executes; the query is kept until close().
    QSqlQuery &run();
    QSqlQuery *query() const { return m_query.get(); }
    [[noreturn]] void fail(const QString &step) const;

private:
    friend class TIBTransaction;
    void setParam(const QString &name, const QVariant &value);

    QPointer<TIBDatabase> m_database;
    TIBTransaction *m_transaction = nullptr;
    QString m_sql;
    QVector<QPair<QString, QVariant>> m_params;
    std::unique_ptr<QSqlQuery> m_query;
};
