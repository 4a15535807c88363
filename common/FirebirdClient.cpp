#include "FirebirdClient.h"

#include "Exception.h"
#include "FirebirdEnvironment.h"

#include <QFile>
#include <QLibrary>
#include <cstdint>

namespace {

// The stable C interface of the client library, declared here because the
// distribution ships no development header for it.
using IscStatus = intptr_t;
using IscHandle = unsigned int;
using ExecuteImmediate = IscStatus (*)(IscStatus *, IscHandle *, IscHandle *, unsigned short, const char *,
                                       unsigned short, const void *);
using Detach = IscStatus (*)(IscStatus *, IscHandle *);
using Interpret = int (*)(char *, unsigned int, const IscStatus **);

QString quoted(const QString &text)
{
    QString t = text;
    return QLatin1Char('\'') + t.replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
}

QString statusText(Interpret interpret, const IscStatus *status)
{
    QString text;
    char buffer[1024];
    const IscStatus *cursor = status;
    while (interpret && interpret(buffer, sizeof buffer, &cursor) > 0) {
        if (!text.isEmpty())
            text += QLatin1Char('\n');
        text += QString::fromLocal8Bit(buffer);
    }
    return text.isEmpty() ? QStringLiteral("unknown database error") : text;
}

} // namespace

void FirebirdClient::createDatabase(const QString &file, const QString &user, const QString &password)
{
    FirebirdEnvironment::prepare();
    if (QFile::exists(file))
        throw Exception(QStringLiteral("The file %1 already exists").arg(file));

    QLibrary library(QStringLiteral("fbclient"), 2);
    // The engine keeps threads of its own: never unload it.
    library.setLoadHints(QLibrary::PreventUnloadHint);
    if (!library.load())
        throw Exception(QStringLiteral("The database client library cannot be loaded: %1").arg(library.errorString()));
    auto execute = reinterpret_cast<ExecuteImmediate>(library.resolve("isc_dsql_execute_immediate"));
    auto detach = reinterpret_cast<Detach>(library.resolve("isc_detach_database"));
    auto interpret = reinterpret_cast<Interpret>(library.resolve("fb_interpret"));
    if (!execute || !detach || !interpret)
        throw Exception(QStringLiteral("The database client library lacks its creation calls"));

    QString sql = QStringLiteral("CREATE DATABASE %1").arg(quoted(QString::fromLocal8Bit(QFile::encodeName(file))));
    if (!user.isEmpty())
        sql += QStringLiteral(" USER %1 PASSWORD %2").arg(quoted(user), quoted(password));
    sql += QStringLiteral(" PAGE_SIZE 8192 DEFAULT CHARACTER SET UTF8");
    const QByteArray text = sql.toLocal8Bit();

    IscStatus status[20] = {};
    IscHandle db = 0;
    IscHandle tr = 0;
    if (execute(status, &db, &tr, 0, text.constData(), 3, nullptr) || (status[0] == 1 && status[1] != 0))
        throw Exception(statusText(interpret, status));
    detach(status, &db);
}
