#include "TImage.h"

#include <QPainter>

TImage::TImage(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void TImage::setMode(Mode mode)
{
    m_mode = mode;
    m_scaled = QImage();
    update();
}

void TImage::setPicture(const QImage &picture)
{
    m_picture = picture;
    m_scaled = QImage();
    update();
}

QRect TImage::pictureRect() const
{
    if (m_picture.isNull() || width() <= 0 || height() <= 0)
        return QRect();
    if (m_mode == Mode::Stretch)
        return rect();
    QSize s = m_picture.size();
    if (s.width() > width() || s.height() > height())
        s.scale(size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - s.width()) / 2, (height() - s.height()) / 2), s);
}

void TImage::resizeEvent(QResizeEvent *event)
{
    m_scaled = QImage();
    QWidget::resizeEvent(event);
}

void TImage::paintEvent(QPaintEvent *)
{
    const QRect r = pictureRect();
    if (r.isEmpty())
        return;
    if (m_scaled.size() != r.size()) {
        m_scaled = r.size() == m_picture.size()
                       ? m_picture
                       : m_picture.scaled(r.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    QPainter p(this);
    p.drawImage(r.topLeft(), m_scaled);
}
