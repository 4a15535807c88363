#include "DesignPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace DesignPictures {

namespace {

QImage closeImage(const QColor &face)
{
    QImage img(49, 21, QImage::Format_RGB32);
    img.fill(QColor(128, 128, 0));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(1.5, 0.5, 46, 19), 4, 4);
    p.fillPath(shape, face);
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(QPointF(20, 6), QPointF(29, 14));
    p.drawLine(QPointF(29, 6), QPointF(20, 14));
    return img;
}

} // namespace

QImage closeNormal()
{
    return closeImage(QColor(196, 76, 60));
}

QImage closeHover()
{
    return closeImage(QColor(232, 40, 24));
}

QImage defaultIcon()
{
    QImage img(24, 24, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(70, 100, 150));
    p.setBrush(QColor(250, 214, 120));
    p.drawRoundedRect(QRectF(3.5, 6.5, 17, 13), 2, 2);
    p.setBrush(QColor(240, 190, 80));
    p.drawRect(QRectF(3.5, 4.5, 8, 3));
    return img;
}

QImage hostBackground()
{
    QImage img(256, 256, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, 256);
    g.setColorAt(0, QColor(244, 248, 253));
    g.setColorAt(1, QColor(214, 227, 243));
    p.fillRect(img.rect(), g);
    return img;
}

} // namespace DesignPictures
