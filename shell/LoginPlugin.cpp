#include "LoginPlugin.h"

#include "EntryPoints.h"
#include "Exception.h"
#include "LibraryPath.h"
#include "SignInRecord.h"

#include <QLibrary>

void LoginPlugin::RunLoginPlugin(const QString &fileName, const QString &programDir, TSoapConnection *connection,
                                 SignInRecord &user)
{
    TUserInfo record{};
    const QString path = LibraryPath::resolve(programDir, fileName);
    // Deliberately leaked: the plug-in stays loaded for the program's life.
    auto *library = new QLibrary(path);
    if (!library->load())
        throw Exception(QStringLiteral("Cannot load the login plug-in %1: %2").arg(path, library->errorString()));
    auto create = reinterpret_cast<LoginCreateFormFn>(library->resolve(EntryPoints::CreateForm));
    if (!create)
        throw Exception(QStringLiteral("The login plug-in %1 has no entry point %2")
                            .arg(path, QLatin1String(EntryPoints::CreateForm)));
    try {
        create(connection, &record);
    } catch (const std::exception &e) {
        throw Exception(Exception::messageOf(e));
    } catch (...) {
        throw Exception(QStringLiteral("The login plug-in %1 failed with an unknown error").arg(path));
    }
    user.assign(record);
}
