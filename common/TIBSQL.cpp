#include "TIBSQL.h"

#include <QRegularExpression>
#include <QSqlQuery>

TIBSQL::TIBSQL(TIBDatabase *database, TIBTransaction *transaction, QObject *parent)
    : TIBStatement(database, transaction, parent)
{
}

void TIBSQL::execQuery()
{
    m_rowsAffected = -1;
    QSqlQuery &q = run();
    // The driver counts rows only for data statements (and warns on others).
    static const QRegularExpression data(QStringLiteral("^\\s*(update|insert|delete)\\b"),
                                         QRegularExpression::CaseInsensitiveOption);
    if (data.match(sql()).hasMatch())
        m_rowsAffected = q.numRowsAffected();
}
