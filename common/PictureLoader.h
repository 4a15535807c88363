#pragma once

#include <QByteArray>
#include <QIcon>
#include <QImage>

// Pictures stored as BLOBs carry no type mark: a BMP file image or JPEG data.
namespace PictureLoader {

// BMP first, then JPEG. An empty BLOB gives a null image without error;
// anything else throws Exception with a clear message.
QImage load(const QByteArray &bytes);

// True when the bytes are a complete BMP file image that decodes.
bool tryBmp(const QByteArray &bytes, QImage *image);
bool tryJpeg(const QByteArray &bytes, QImage *image);

// An ICO file image as an icon; throws Exception when it is not one.
QIcon loadIcon(const QByteArray &bytes);

} // namespace PictureLoader
