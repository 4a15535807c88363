#include "TPageForm.h"

#include <QEvent>
#include <QPainter>
#include <QShowEvent>
#include <QStyleOption>

TPageForm::TPageForm(bool framed, QWidget *parent)
    : QWidget(parent, parent ? Qt::WindowFlags() : Qt::WindowFlags(Qt::Window)), m_framed(framed)
{
    // Pages lie on top of each other in the panel: the front one must cover the rest.
    setAutoFillBackground(true);
}

void TPageForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Restoring a minimised main window shows its children again: not a new showing.
    if (event->spontaneous() || m_shown)
        return;
    m_shown = true;
    FormShow();
}

void TPageForm::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ParentChange)
        updateFrame();
    else if (event->type() == QEvent::WindowTitleChange)
        update();
}

void TPageForm::updateFrame()
{
    if (m_framed && parentWidget())
        setContentsMargins(2, CaptionHeight + 2, 2, 2);
    else
        setContentsMargins(0, 0, 0, 0);
}

void TPageForm::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (!m_framed || !parentWidget())
        return;
    QPainter p(this);
    const QRect strip(0, 0, width(), CaptionHeight + 1);
    QLinearGradient g(strip.topLeft(), strip.bottomLeft());
    g.setColorAt(0, QColor(0x4a, 0x7e, 0xc0));
    g.setColorAt(1, QColor(0x2c, 0x5a, 0x9a));
    p.fillRect(strip, g);
    p.setPen(Qt::white);
    p.drawText(strip.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft, windowTitle());
    p.setPen(QColor(0x7f, 0x9d, 0xb9));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
