#pragma once

#include <QString>

// Runs the embedded database engine of this process in its shared-file mode
// (Classic), so that several programs can open one database file at once.
// The engine reads its configuration once, at the first connection attempt:
// prepare() must run before that, in every process that touches a database
// file (programs, tools and tests alike). Throws Exception when the
// configuration folder cannot be set up.
class FirebirdEnvironment
{
public:
    static void prepare();

    // The folder the FIREBIRD variable points to, and the lock folder the
    // engine's processes share; both per user.
    static QString rootDir();
    static QString lockDir();

private:
    static void ensurePrivateDir(const QString &path);
    static void writeConfig(const QString &path);
    static void linkEngineFiles(const QString &root);
};
