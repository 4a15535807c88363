#include "PictureFile.h"

#include "ErrorBox.h"
#include "Exception.h"
#include "PictureLoader.h"
#include "TOpenDialog.h"

#include <QFile>
#include <QFileInfo>

namespace PictureFile {

namespace {
// The JPEG reader fills a cut-off picture with grey and only warns; a file
// without its end-of-image marker is truncated. Inside the data a 0xFF byte
// is always followed by 0x00, so the marker cannot appear by chance there.
bool jpegIsComplete(const QByteArray &bytes)
{
    const int from = qMax(0, bytes.size() - 64);
    return bytes.indexOf("\xFF\xD9", from) >= 0;
}
} // namespace

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
    if (kind == Kind::Jpeg && !jpegIsComplete(bytes))
        throw Exception(QStringLiteral("\"%1\" is truncated: the JPEG data has no end").arg(fileName));
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
