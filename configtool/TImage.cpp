#include "TImage.h"

#include "LoginPictures.h"

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
    m_drawn = m_transparent ? LoginPictures::transparent(m_picture) : m_picture;
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
