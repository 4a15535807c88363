#include "TRzToolbar.h"

#include <QAbstractButton>
#include <QChildEvent>
#include <QCoreApplication>
#include <QPainter>

namespace {
// Captions are as wide as their buttons: a gap keeps neighbours apart.
constexpr int ButtonSpacing = 8;
} // namespace

TRzToolbar::TRzToolbar(QWidget *parent)
    : QWidget(parent)
{
}

void TRzToolbar::setBackground(const QImage &picture)
{
    m_background = picture;
    m_scaled = QImage();
    update();
}

void TRzToolbar::setButtonHeight(int height)
{
    m_buttonHeight = height;
    relayout();
}

void TRzToolbar::setRowHeight(int height)
{
    m_rowHeight = height;
    relayout();
}

QList<QAbstractButton *> TRzToolbar::buttons() const
{
    return findChildren<QAbstractButton *>(QString(), Qt::FindDirectChildrenOnly);
}

void TRzToolbar::relayout()
{
    const int top = qMax(0, (qMin(m_rowHeight, qMax(height(), m_rowHeight)) - m_buttonHeight) / 2);
    int left = 0;
    for (QAbstractButton *b : buttons()) {
        b->setGeometry(left, top, b->width(), m_buttonHeight);
        left += b->width() + ButtonSpacing;
    }
}

void TRzToolbar::childEvent(QChildEvent *event)
{
    QWidget::childEvent(event);
    // Creators set a button's size after parenting it: place it once they are done.
    if (event->added() || event->removed())
        QCoreApplication::postEvent(this, new QEvent(QEvent::LayoutRequest));
}

bool TRzToolbar::event(QEvent *event)
{
    if (event->type() == QEvent::LayoutRequest)
        relayout();
    return QWidget::event(event);
}

void TRzToolbar::resizeEvent(QResizeEvent *event)
{
    m_scaled = QImage();
    QWidget::resizeEvent(event);
    relayout();
}

void TRzToolbar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (!m_background.isNull()) {
        if (m_scaled.size() != size())
            m_scaled = m_background.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        p.drawImage(0, 0, m_scaled);
    }
    p.setPen(QColor(160, 160, 160));
    p.drawLine(0, height() - 1, width(), height() - 1);
}
