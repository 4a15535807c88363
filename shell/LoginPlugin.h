#pragma once

#include <QString>

class SignInRecord;
class TSoapConnection;

// Binding of the login plug-in: its one entry point fills a sign-in record.
// The library is never unloaded: it stays until the program ends.
class LoginPlugin
{
public:
    // Loads fileName ("Login.dll" → <programDir>/Login.so), calls
    // Create_FormInDllAsChild with the connection and a zeroed record, and
    // copies the record into user. Throws Exception when the library cannot
    // be loaded, lacks the entry point, or the plug-in raises (same message);
    // user is then left as it was.
    static void RunLoginPlugin(const QString &fileName, const QString &programDir, TSoapConnection *connection,
                               SignInRecord &user);
};
