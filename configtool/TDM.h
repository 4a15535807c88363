#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

class TIBDatabase;
class TIBTransaction;
class TIBSQL;
class TIBQuery;

// The data module of Ovido: one connection to CLINFO.DB and one transaction
// shared by every page. The connection opens with the first statement; the
// transaction starts with a statement when none is open and ends only by a
// commit, which also closes the reading query. Every statement addresses the
// row whose id is 1 through the parameter "sid". Database errors are thrown
// as Exception carrying the database's message.
class TDM : public QObject
{
    Q_OBJECT
public:
    // Runs DataModuleCreate for programDir (with a trailing separator).
    explicit TDM(const QString &programDir, QObject *parent = nullptr);
    ~TDM() override;

    void DataModuleCreate(const QString &programDir);

    TIBDatabase *IBDB;
    TIBTransaction *IBTran;
    TIBSQL *IBUpico;   // every update of every page
    TIBQuery *IBSelect; // the row a page shows

    QString databaseName() const;
    QStringList params() const;

    // IBUpico: one column of row 1 from the named value parameter; commits
    // unless told not to. A failure throws and nothing after it runs.
    void updateColumn(const QString &statement, const QString &param, const QVariant &value,
                      bool commit = true);
    // Commits IBTran; throws when no transaction is open.
    void commit();
    bool inTransaction() const;

    // IBSelect: close, set the statement, bind sid = 1, open.
    void openSelect(const QString &statement);
    void closeSelect();
    // Field access on the open row; names ignore case.
    bool selectHasRow() const;
    int selectInteger(const QString &field) const; // NULL reads as 0
    QString selectText(const QString &field) const; // NULL reads as empty
    bool selectIsNull(const QString &field) const;
    QByteArray selectBlob(const QString &field) const;

signals:
    // After a column update ran (and committed when asked to).
    void columnUpdated(const QString &statement, const QVariant &value);
};
