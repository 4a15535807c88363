#include "PictureFile.h"

#include "ErrorBox.h"
#include "Exception.h"
#include "PictureLoader.h"
#include "TOpenDialog.h"

#include <QFile>
#include <QFileInfo>

namespace PictureFile {

QString extensionOf(const QString &fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot).toUpper();
}

Kind kindOf(const QString &fileName)
{
    const QString ext = extensionOf(fileName);
    if (ext == QLatin1String(".BMP"))
        return Kind::Bmp;
    if (ext == QLatin1String(".JPG"))
        return Kind::Jpeg;
    return Kind::Other;
}

QByteArray read(const QString &fileName, Kind kind)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("Cannot open file \"%1\": %2").arg(fileName, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (kind == Kind::Bmp && !PictureLoader::tryBmp(bytes, nullptr))
        throw Exception(QStringLiteral("\"%1\" is not a valid bitmap").arg(fileName));
    if (kind == Kind::Jpeg && !PictureLoader::tryJpeg(bytes, nullptr))
        throw Exception(QStringLiteral("\"%1\" is not valid JPEG data").arg(fileName));
    if (kind == Kind::Other)
        throw Exception(QStringLiteral("\"%1\" is neither a bitmap nor a JPEG file").arg(fileName));
    return bytes;
}

bool choose(TOpenDialog &dialog, QByteArray *blob)
{
    if (!dialog.execute())
        return false;
    const Kind kind = kindOf(dialog.fileName());
    if (kind == Kind::Other) {
        ErrorBox::showInfo(QStringLiteral("格式错误！"));
        return false;
    }
    *blob = read(dialog.fileName(), kind);
    return true;
}

} // namespace PictureFile
