#include "LoginPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace LoginPictures {

QImage background()
{
    QImage image(375, 255, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, image.height());
    sky.setColorAt(0, QColor(0x2f, 0x6d, 0xb5));
    sky.setColorAt(0.45, QColor(0x8e, 0xb8, 0xe5));
    sky.setColorAt(1, QColor(0xee, 0xf3, 0xfa));
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setPixelSize(22);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(24, 24, 330, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tremlin"));
    return image;
}

QImage button(Button which)
{
    static const char *const texts[] = {"设置", "登录", "关闭"};
    QImage image(75, 25, QImage::Format_RGB32);
    image.fill(QColor(0xff, 0x00, 0xff)); // the corner colour, left out when transparent
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, 74, 24), 6, 6);
    QLinearGradient face(0, 0, 0, 25);
    face.setColorAt(0, QColor(0xfd, 0xfe, 0xff));
    face.setColorAt(1, QColor(0xb9, 0xcf, 0xec));
    p.fillPath(path, face);
    p.setPen(QColor(0x4a, 0x6f, 0x9c));
    p.drawPath(path);
    QFont font = p.font();
    font.setPixelSize(12);
    p.setFont(font);
    p.setPen(QColor(0x1d, 0x2b, 0x3a));
    p.drawText(image.rect(), Qt::AlignCenter, QString::fromUtf8(texts[int(which)]));
    return image;
}

QImage transparent(const QImage &picture)
{
    if (picture.isNull())
        return picture;
    QImage drawn = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = drawn.pixel(0, drawn.height() - 1) | 0xFF000000u;
    for (int y = 0; y < drawn.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(drawn.scanLine(y));
        for (int x = 0; x < drawn.width(); ++x) {
            if ((line[x] | 0xFF000000u) == key)
                line[x] = 0;
        }
    }
    return drawn;
}

} // namespace LoginPictures
