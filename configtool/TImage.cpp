#include "TImage.h"

#include <QMouseEvent>
#include <QPainter>

TImage::TImage(QWidget *parent)
    : QWidget(parent)
{
}

void TImage::setPicture(const QImage &picture)
{
    m_picture = picture;
    if (m_autoSize && !m_picture.isNull())
        resize(m_picture.size());
    refresh();
}

void TImage::setAutoSize(bool on)
{
    m_autoSize = on;
    if (on && !m_picture.isNull())
        resize(m_picture.size());
}

void TImage::setStretch(bool on)
{
    m_stretch = on;
    update();
}

void TImage::setTransparent(bool on)
{
    if (m_transparent == on)
        return;
    m_transparent = on;
    refresh();
}

void TImage::refresh()
{
    if (m_picture.isNull() || !m_transparent) {
        m_drawn = m_picture;
    } else {
        m_drawn = m_picture.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = m_drawn.pixel(0, m_drawn.height() - 1) | 0xFF000000u;
        for (int y = 0; y < m_drawn.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(m_drawn.scanLine(y));
            for (int x = 0; x < m_drawn.width(); ++x) {
                if ((line[x] | 0xFF000000u) == key)
                    line[x] = 0;
            }
        }
    }
    update();
}

void TImage::paintEvent(QPaintEvent *)
{
    if (m_drawn.isNull())
        return;
    QPainter p(this);
    if (m_stretch)
        p.drawImage(rect(), m_drawn);
    else
        p.drawImage(0, 0, m_drawn);
}

void TImage::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void TImage::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
}

void TImage::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
}
