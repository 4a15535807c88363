#include "LibraryPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace LibraryPath {

QString resolve(const QString &programDir, const QString &name)
{
    QString file = name;
    file.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (file.endsWith(QLatin1String(".dll"), Qt::CaseInsensitive))
        file.chop(4);
    if (!QFileInfo(file).fileName().contains(QLatin1Char('.')))
        file += QLatin1String(".so");
    return QDir::isAbsolutePath(file) ? file : programDir + file;
}

QString programDir()
{
    QString dir = QCoreApplication::applicationDirPath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

} // namespace LibraryPath
