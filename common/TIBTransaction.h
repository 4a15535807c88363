#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class TIBDatabase;
class TIBStatement;

// The one transaction of a program. It starts with the first statement that
// runs while none is active, stays open after reads and ends only by commit()
// (or rollback() when the connection closes). Ending it closes the open
// statements of the transaction: their cursors die with it.
class TIBTransaction : public QObject
{
    Q_OBJECT
public:
    explicit TIBTransaction(QObject *parent = nullptr);
    ~TIBTransaction() override;

    void setDefaultDatabase(TIBDatabase *database);
    TIBDatabase *defaultDatabase() const { return m_database; }

    bool inTransaction() const { return m_active; }
    // Connects the database when needed. Throws Exception on failure.
    void startTransaction();
    void ensureStarted();
    // Throws Exception with the engine's message. Qt's driver forgets the
    // transaction even when the engine refuses the commit: the refused work
    // is rolled back by the engine when the connection closes.
    void commit();
    void rollback();

    void closeStatements();

private:
    friend class TIBStatement;
    void attach(TIBStatement *statement);
    void detach(TIBStatement *statement);

    QPointer<TIBDatabase> m_database;
    QList<TIBStatement *> m_statements;
    bool m_active = false;
};
