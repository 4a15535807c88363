#include "UploadStore.h"

#include "Exception.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

UploadStore::UploadStore(const QString &root)
    : m_root(QDir::cleanPath(QDir(root).absolutePath()))
{
}

QString UploadStore::resolve(const QString &relative, bool allowEmpty) const
{
    QString path = relative;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.isEmpty() && allowEmpty)
        return m_root;
    if (path.isEmpty())
        throw Exception(QStringLiteral("The file name is empty"));
    if (QDir::isAbsolutePath(path) || path.contains(QLatin1Char(':')))
        throw Exception(QStringLiteral("\"%1\" is not a name inside the upload directory").arg(relative));
    const QString full = QDir::cleanPath(m_root + QLatin1Char('/') + path);
    if (full != m_root && !full.startsWith(m_root + QLatin1Char('/')))
        throw Exception(QStringLiteral("\"%1\" leaves the upload directory").arg(relative));
    return full;
}

QString UploadStore::store(const QString &base64, const QString &saveDir, const QString &fileName)
{
    const QString dir = resolve(saveDir, true);
    if (fileName.isEmpty())
        throw Exception(QStringLiteral("The file name is empty"));
    if (fileName.contains(QLatin1Char('/')) || fileName.contains(QLatin1Char('\\')) || fileName == QLatin1String("..")
        || fileName == QLatin1String("."))
        throw Exception(QStringLiteral("\"%1\" is not a plain file name").arg(fileName));
    const QString target = resolve(saveDir + QLatin1Char('/') + fileName, false);
    auto decoded = QByteArray::fromBase64Encoding(base64.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        throw Exception(QStringLiteral("The content of \"%1\" is not valid Base64").arg(fileName));
    if (!QDir().mkpath(dir))
        throw Exception(QStringLiteral("Cannot create the directory \"%1\"").arg(saveDir));

    QString name = fileName, path = target;
    const QFileInfo info(fileName);
    for (int n = 1; QFileInfo::exists(path); ++n) {
        name = info.suffix().isEmpty() ? QStringLiteral("%1(%2)").arg(info.completeBaseName()).arg(n)
                                       : QStringLiteral("%1(%2).%3").arg(info.completeBaseName()).arg(n).arg(info.suffix());
        path = dir + QLatin1Char('/') + name;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(decoded.decoded) != decoded.decoded.size() || !file.commit())
        throw Exception(QStringLiteral("Cannot write \"%1\": %2").arg(name, file.errorString()));
    return name;
}

bool UploadStore::remove(const QString &fileName)
{
    const QString path = resolve(fileName, false);
    if (path == m_root || !QFileInfo(path).isFile())
        return false;
    if (!QFile::remove(path))
        throw Exception(QStringLiteral("Cannot delete \"%1\"").arg(fileName));
    return true;
}
