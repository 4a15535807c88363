#pragma once

#include "CatalogueRow.h"

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>

// The application server's storage: the module catalogue and the users, in
// a Firebird database file of its own. Errors throw Exception with the
// database's message. Not thread-safe: the server answers on one thread.
class ServerDatabase
{
public:
    static constexpr const char FileName[] = "tremlinsvr.fdb";
    static constexpr const char User[] = "SYSDBA";
    static constexpr const char Password[] = "masterkey";

    // Creates a new, empty database (schema only) in place of any old file.
    static void createFile(const QString &file);

    explicit ServerDatabase(const QString &file);
    ~ServerDatabase();
    ServerDatabase(const ServerDatabase &) = delete;
    ServerDatabase &operator=(const ServerDatabase &) = delete;

    void addCatalogueRow(const CatalogueRow &row);
    // Stores a salted SHA-256 of the password, never the password.
    void addUser(const QString &name, const QString &password, int number, const QString &text1,
                 const QString &text2, const QString &welcomeHead, const QString &welcomeTail, const QString &rights);
    void commit();

    // The catalogue as a data packet, rows in catalogue order.
    QByteArray cataloguePacket();
    int catalogueRowCount();
    // The sign-in record of a user as a one-row data packet; throws
    // Exception (shown to the user) when name or password do not match.
    QByteArray signInPacket(const QString &name, const QString &password);

    static const char *wrongPasswordMessage();

private:
    void exec(const QString &sql);

    QString m_connectionName;
    QSqlDatabase m_db;
    int m_nextSortNo = -1; // catalogue order of the next row added
};
