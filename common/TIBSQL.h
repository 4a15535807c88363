#pragma once

#include "TIBStatement.h"

// An update statement: one UPDATE with named parameters, executed on the
// program's transaction and left uncommitted; the caller commits.
class TIBSQL : public TIBStatement
{
    Q_OBJECT
public:
    TIBSQL(TIBDatabase *database, TIBTransaction *transaction = nullptr, QObject *parent = nullptr);

    // Throws Exception with the engine's message; nothing is rolled back.
    void execQuery();
    // Rows the last execution changed (0 when the row is missing).
    int rowsAffected() const { return m_rowsAffected; }

private:
    int m_rowsAffected = -1;
};
