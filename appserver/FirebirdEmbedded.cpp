#include "FirebirdEmbedded.h"

#include "Exception.h"

#include <QLibrary>
#include <QSqlError>

#include <cstdint>

namespace {

// The few client-library calls needed to create a database; Qt's driver
// only connects to existing ones.
using IscStatus = intptr_t;
using IscHandle = unsigned int;
using ExecuteImmediateFn = IscStatus (*)(IscStatus *, IscHandle *, IscHandle *, unsigned short, const char *,
                                         unsigned short, const void *);
using DetachFn = IscStatus (*)(IscStatus *, IscHandle *);
using InterpretFn = int (*)(char *, unsigned int, const IscStatus **);

QLibrary &clientLibrary()
{
    static QLibrary library(QStringLiteral("fbclient"), 2);
    if (!library.isLoaded() && !library.load())
        throw Exception(QStringLiteral("Cannot load the Firebird client library: %1").arg(library.errorString()));
    return library;
}

template<typename Fn>
Fn entry(const char *name)
{
    auto fn = reinterpret_cast<Fn>(clientLibrary().resolve(name));
    if (!fn)
        throw Exception(QStringLiteral("The Firebird client library lacks %1").arg(QLatin1String(name)));
    return fn;
}

QString statusText(const IscStatus *status)
{
    auto interpret = entry<InterpretFn>("fb_interpret");
    QStringList parts;
    const IscStatus *cursor = status;
    char buffer[1024];
    while (interpret(buffer, sizeof buffer, &cursor) > 0)
        parts << QString::fromUtf8(buffer);
    return parts.join(QStringLiteral("; "));
}

} // namespace

void FirebirdEmbedded::createDatabase(const QString &file)
{
    auto execute = entry<ExecuteImmediateFn>("isc_dsql_execute_immediate");
    auto detach = entry<DetachFn>("isc_detach_database");
    QString path = file;
    path.replace(QLatin1Char('\''), QLatin1String("''"));
    const QByteArray sql = QStringLiteral("CREATE DATABASE '%1' USER 'SYSDBA' PAGE_SIZE 8192 DEFAULT CHARACTER SET UTF8")
                               .arg(path)
                               .toUtf8();
    IscStatus status[20] = {};
    IscHandle db = 0, tr = 0;
    execute(status, &db, &tr, 0, sql.constData(), 3, nullptr);
    if (status[0] == 1 && status[1] != 0)
        throw Exception(QStringLiteral("Cannot create the database %1: %2").arg(file, statusText(status)));
    detach(status, &db);
}

QSqlDatabase FirebirdEmbedded::open(const QString &file, const QString &connectionName)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), connectionName);
    db.setDatabaseName(file);
    db.setUserName(QStringLiteral("SYSDBA"));
    db.setPassword(QStringLiteral("masterkey")); // embedded access ignores it
    db.setConnectOptions(QStringLiteral("ISC_DPB_LC_CTYPE=UTF8"));
    if (!db.open())
        throw Exception(QStringLiteral("Cannot open the database %1: %2").arg(file, db.lastError().text()));
    return db;
}
