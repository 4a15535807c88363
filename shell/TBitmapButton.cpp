#include "TBitmapButton.h"

#include <QBitmap>
#include <QPainter>

TBitmapButton::TBitmapButton(QWidget *parent)
    : QAbstractButton(parent)
{
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
}

void TBitmapButton::setTransparentColor(const QColor &color)
{
    m_transparent = color;
    refresh();
}

void TBitmapButton::setNormalImage(const QImage &image)
{
    m_normal = image;
    refresh();
}

void TBitmapButton::setHoverImage(const QImage &image)
{
    m_hover = image;
    refresh();
}

QPixmap TBitmapButton::masked(const QImage &image) const
{
    if (image.isNull())
        return QPixmap();
    QPixmap pix = QPixmap::fromImage(image);
    pix.setMask(pix.createMaskFromColor(m_transparent, Qt::MaskInColor));
    return pix;
}

void TBitmapButton::refresh()
{
    m_normalPix = masked(m_normal);
    m_hoverPix = masked(m_hover);
    update();
}

QSize TBitmapButton::sizeHint() const
{
    return m_normal.isNull() ? QSize(49, 21) : m_normal.size();
}

void TBitmapButton::enterEvent(QEvent *event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void TBitmapButton::leaveEvent(QEvent *event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void TBitmapButton::paintEvent(QPaintEvent *)
{
    const QPixmap &pix = (m_hovered && !m_hoverPix.isNull()) ? m_hoverPix : m_normalPix;
    if (pix.isNull())
        return;
    QPainter p(this);
    p.drawPixmap(rect(), pix);
}
