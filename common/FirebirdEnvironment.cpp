#include "FirebirdEnvironment.h"

#include "Exception.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#endif

#ifndef TREMLIN_FIREBIRD_HOME
#define TREMLIN_FIREBIRD_HOME ""
#endif

namespace {

// Classic: each process runs its own engine and they coordinate through
// shared lock files. Only the embedded provider, so that no server is ever
// asked, even when one happens to run on the machine.
const char ConfigText[] = "# Written by the Tremlin programs; rewritten when it differs.\n"
                          "ServerMode = Classic\n"
                          "Providers = Engine12\n";

bool prepared = false;

// The engine's own install folder: messages, plug-ins, character sets.
QString engineHome()
{
    const QStringList candidates{QString::fromUtf8(TREMLIN_FIREBIRD_HOME),
                                 QStringLiteral("/usr/lib/x86_64-linux-gnu/firebird/3.0"),
                                 QStringLiteral("/usr/lib/aarch64-linux-gnu/firebird/3.0"),
                                 QStringLiteral("/usr/lib/firebird/3.0"), QStringLiteral("/opt/firebird")};
    for (const QString &dir : candidates)
        if (!dir.isEmpty() && QFileInfo::exists(dir + QStringLiteral("/firebird.msg")))
            return dir;
    return QString();
}

} // namespace

QString FirebirdEnvironment::rootDir()
{
#ifdef Q_OS_UNIX
    // A fixed place, not TMPDIR: every process of the user must find the
    // same lock folder, or they would open one file without coordination.
    return QStringLiteral("/tmp/tremlin-firebird-%1").arg(getuid());
#else
    return QDir::tempPath() + QStringLiteral("/tremlin-firebird");
#endif
}

QString FirebirdEnvironment::lockDir()
{
    return rootDir() + QStringLiteral("/lock");
}

void FirebirdEnvironment::prepare()
{
    if (prepared)
        return;
    const QString root = rootDir();
    ensurePrivateDir(root);
    ensurePrivateDir(lockDir());
    writeConfig(root + QStringLiteral("/firebird.conf"));
    linkEngineFiles(root);

    qputenv("FIREBIRD", QFile::encodeName(root));
    qputenv("FIREBIRD_LOCK", QFile::encodeName(lockDir()));
    const QString home = engineHome();
    if (!home.isEmpty())
        qputenv("FIREBIRD_MSG", QFile::encodeName(home));
    prepared = true;
}

void FirebirdEnvironment::ensurePrivateDir(const QString &path)
{
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    if (mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
        throw Exception(QStringLiteral("Cannot create the database engine folder %1: %2")
                            .arg(path, QString::fromLocal8Bit(strerror(errno))));
    // Never follow a folder planted by somebody else in /tmp.
    struct stat st;
    if (lstat(name.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid())
        throw Exception(QStringLiteral("The database engine folder %1 is not a folder of the current user").arg(path));
#else
    if (!QDir().mkpath(path))
        throw Exception(QStringLiteral("Cannot create the database engine folder %1").arg(path));
#endif
}

void FirebirdEnvironment::writeConfig(const QString &path)
{
    QFile current(path);
    if (current.open(QIODevice::ReadOnly) && current.readAll() == ConfigText)
        return;
    current.close();
    // Atomic replace: another program may be starting at the same moment.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(ConfigText) < 0 || !file.commit())
        throw Exception(QStringLiteral("Cannot write the database engine configuration %1: %2")
                            .arg(path, file.errorString()));
}

void FirebirdEnvironment::linkEngineFiles(const QString &root)
{
    // Builds of the engine that look for plug-ins and character sets under
    // the FIREBIRD folder find them through these links; builds with fixed
    // folders ignore them.
    const QString home = engineHome();
    if (home.isEmpty())
        return;
    for (const char *entry : {"plugins", "intl", "firebird.msg"}) {
        const QString link = root + QLatin1Char('/') + QLatin1String(entry);
        const QString target = home + QLatin1Char('/') + QLatin1String(entry);
        if (QFileInfo(link).symLinkTarget() == target)
            continue;
        QFile::remove(link);
        QFile::link(target, link);
    }
}
