#pragma once

#include <QString>

// The few calls of the engine's client library that Qt's driver does not
// offer (creating a database file). The library is loaded at run time.
class FirebirdClient
{
public:
    // Creates an empty dialect-3 database with UTF8 as its default character
    // set. Throws Exception with the engine's message; an existing file is an
    // error, never overwritten.
    static void createDatabase(const QString &file, const QString &user, const QString &password);
};
