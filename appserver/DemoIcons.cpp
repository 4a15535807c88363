#include "DemoIcons.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

QByteArray DemoIcons::bmp(Shape shape, const QColor &colour, int size)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal u = size / 24.0;
        p.scale(u, u);
        p.setPen(QPen(colour.darker(160), 1.2));
        p.setBrush(colour);
        switch (shape) {
        case Shape::Folder: {
            QPainterPath path;
            path.moveTo(2, 6);
            path.lineTo(9, 6);
            path.lineTo(11, 8);
            path.lineTo(22, 8);
            path.lineTo(22, 20);
            path.lineTo(2, 20);
            path.closeSubpath();
            p.drawPath(path);
            break;
        }
        case Shape::Envelope:
            p.drawRect(QRectF(2, 6, 20, 13));
            p.drawLine(QPointF(2, 6), QPointF(12, 14));
            p.drawLine(QPointF(22, 6), QPointF(12, 14));
            break;
        case Shape::Gear:
            for (int i = 0; i < 8; ++i) {
                p.save();
                p.translate(12, 12);
                p.rotate(i * 45);
                p.drawRect(QRectF(-1.5, -10, 3, 5));
                p.restore();
            }
            p.drawEllipse(QPointF(12, 12), 6.5, 6.5);
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(12, 12), 2.5, 2.5);
            break;
        case Shape::Document:
            p.drawRect(QRectF(5, 2, 14, 20));
            p.setPen(QPen(Qt::white, 1.5));
            for (int y = 7; y <= 17; y += 4)
                p.drawLine(QPointF(8, y), QPointF(16, y));
            break;
        case Shape::Circle:
            p.drawEllipse(QPointF(12, 12), 9, 9);
            break;
        case Shape::Square:
            p.drawRoundedRect(QRectF(3, 3, 18, 18), 3, 3);
            break;
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

QByteArray DemoIcons::numbered(int n, int size)
{
    static const Shape shapes[] = {Shape::Folder, Shape::Envelope, Shape::Gear,
                                   Shape::Document, Shape::Circle, Shape::Square};
    return bmp(shapes[n % 6], QColor::fromHsv((n * 47) % 360, 170, 220), size);
}
