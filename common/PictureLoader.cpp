#include "PictureLoader.h"

#include "Exception.h"

#include <QBuffer>
#include <QImageReader>
#include <QPixmap>
#include <QtEndian>

namespace PictureLoader {

namespace {

// Qt's BMP reader fills a short pixel array with zeros instead of failing;
// a truncated file must be an error like any other broken picture.
bool bmpIsComplete(const QByteArray &b)
{
    if (b.size() < 14 + 16 || b.at(0) != 'B' || b.at(1) != 'M')
        return false;
    const uchar *d = reinterpret_cast<const uchar *>(b.constData());
    const quint32 offBits = qFromLittleEndian<quint32>(d + 10);
    const quint32 headerSize = qFromLittleEndian<quint32>(d + 14);
    if (headerSize < 40 || b.size() < 14 + 40)
        return headerSize == 12; // old OS/2 header: leave it to the reader
    const qint64 width = qFromLittleEndian<qint32>(d + 18);
    const qint64 height = qAbs(qint64(qFromLittleEndian<qint32>(d + 22)));
    const quint16 bpp = qFromLittleEndian<quint16>(d + 28);
    const quint32 compression = qFromLittleEndian<quint32>(d + 30);
    if (width <= 0 || height <= 0 || bpp == 0)
        return false;
    if (compression != 0 && compression != 3) // RLE: size not known up front
        return offBits < quint32(b.size());
    const qint64 stride = ((width * bpp + 31) / 32) * 4;
    return qint64(offBits) + stride * height <= b.size();
}

bool readAs(const QByteArray &bytes, const char *format, QImage *image)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    QImage img = reader.read();
    if (img.isNull())
        return false;
    if (image)
        *image = img;
    return true;
}

} // namespace

bool tryBmp(const QByteArray &bytes, QImage *image)
{
    return bmpIsComplete(bytes) && readAs(bytes, "bmp", image);
}

bool tryJpeg(const QByteArray &bytes, QImage *image)
{
    // JPEG data starts with SOI (FF D8); the reader would otherwise guess.
    if (bytes.size() < 4 || uchar(bytes.at(0)) != 0xFF || uchar(bytes.at(1)) != 0xD8)
        return false;
    return readAs(bytes, "jpeg", image);
}

QImage load(const QByteArray &bytes)
{
    QImage image;
    if (bytes.isEmpty())
        return image;
    if (tryBmp(bytes, &image) || tryJpeg(bytes, &image))
        return image;
    throw Exception(QStringLiteral("The picture is neither a BMP nor a JPEG image (%1 bytes)").arg(bytes.size()));
}

QIcon loadIcon(const QByteArray &bytes)
{
    // ICO file header: reserved 0, type 1, at least one image.
    const uchar *d = reinterpret_cast<const uchar *>(bytes.constData());
    if (bytes.size() < 6 + 16 || qFromLittleEndian<quint16>(d) != 0 || qFromLittleEndian<quint16>(d + 2) != 1
        || qFromLittleEndian<quint16>(d + 4) == 0)
        throw Exception(QStringLiteral("The data is not an icon file image (%1 bytes)").arg(bytes.size()));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    QIcon icon;
    for (int i = 0; i < reader.imageCount(); ++i) {
        if (!reader.jumpToImage(i))
            break;
        const QImage img = reader.read();
        if (!img.isNull())
            icon.addPixmap(QPixmap::fromImage(img));
    }
    if (icon.isNull())
        throw Exception(QStringLiteral("The icon image cannot be read: %1").arg(reader.errorString()));
    return icon;
}

} // namespace PictureLoader
