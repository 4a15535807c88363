#include "TImageList.h"

#include <QPixmap>

TImageList::TImageList(int width, int height, QObject *parent)
    : QObject(parent)
    , m_width(width)
    , m_height(height)
{
}

int TImageList::add(const QImage &image, QColor transparent)
{
    QImage img = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = transparent.rgb() & 0xFFFFFF;
    const int w = img.width(), h = img.height();
    for (int y = 0; y < h; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            if ((line[x] & 0xFFFFFF) == key)
                line[x] = 0;
        }
    }
    m_images.append(img);
    return m_images.size() - 1;
}

void TImageList::clear()
{
    m_images.clear();
}

QImage TImageList::image(int index) const
{
    return index >= 0 && index < m_images.size() ? m_images.at(index) : QImage();
}

QIcon TImageList::icon(int index) const
{
    const QImage img = image(index);
    return img.isNull() ? QIcon() : QIcon(QPixmap::fromImage(img));
}

QIcon TImageList::icon(int index, int disabledIndex) const
{
    QIcon result = icon(index);
    const QImage disabled = image(disabledIndex);
    if (!disabled.isNull())
        result.addPixmap(QPixmap::fromImage(disabled), QIcon::Disabled);
    return result;
}
