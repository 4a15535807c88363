#pragma once

#include "SignInRecord.h"

#include <QString>

class TSoapConnection;

// Asks the application server whether a user may sign in: AS_GetRecords of
// the provider "prvSignIn" with the parameters UserName and Password; the
// one row carries the record's texts.
class SignInClient
{
public:
    static constexpr const char Provider[] = "prvSignIn";

    // The filled record (SignedIn true). Throws Exception with the server's
    // message (wrong password, unreachable server, broken reply).
    static SignInRecord signIn(TSoapConnection *connection, const QString &user, const QString &password);
};
