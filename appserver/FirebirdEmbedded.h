#pragma once

#include <QSqlDatabase>
#include <QString>

// The server's own database: a file opened by the Firebird engine embedded
// in this process (no database server runs), through Qt's QIBASE driver.
class FirebirdEmbedded
{
public:
    // Creates an empty database file (UTF-8, dialect 3). Throws Exception
    // with the engine's message, e.g. when the file already exists.
    static void createDatabase(const QString &file);

    // Opens the file under a connection name; throws Exception with the
    // driver's message when it cannot be opened.
    static QSqlDatabase open(const QString &file, const QString &connectionName);
};
