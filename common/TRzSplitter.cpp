#include "TRzSplitter.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QSplitterHandle>

namespace {

// The bar: a gradient with a small arrow in its middle; a click on the arrow
// collapses or restores, a drag elsewhere moves the bar as usual.
class HotSpotHandle : public QSplitterHandle
{
public:
    HotSpotHandle(Qt::Orientation o, TRzSplitter *parent)
        : QSplitterHandle(o, parent)
        , m_owner(parent)
    {
        setMouseTracking(true);
    }

    QRect hotSpot() const
    {
        const int len = 40;
        if (orientation() == Qt::Horizontal)
            return QRect(0, (height() - len) / 2, width(), len);
        return QRect((width() - len) / 2, 0, len, height());
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        QLinearGradient g(rect().topLeft(), orientation() == Qt::Horizontal ? rect().topRight() : rect().bottomLeft());
        g.setColorAt(0, QColor(214, 226, 242));
        g.setColorAt(0.5, QColor(168, 190, 222));
        g.setColorAt(1, QColor(214, 226, 242));
        p.fillRect(rect(), g);
        const QRect hs = hotSpot();
        p.fillRect(hs.adjusted(1, 0, -1, 0), QColor(120, 148, 190));
        // Arrow points the way the click will move the bar.
        const bool towardsStart = (m_owner->hotSpotDirection() == TRzSplitter::HotSpotDirection::First)
                                  != m_owner->isCollapsed();
        const QPoint c = hs.center();
        QPolygon arrow;
        if (orientation() == Qt::Horizontal) {
            const int dx = towardsStart ? -2 : 2;
            arrow << QPoint(c.x() + dx, c.y()) << QPoint(c.x() - dx, c.y() - 4) << QPoint(c.x() - dx, c.y() + 4);
        } else {
            const int dy = towardsStart ? -2 : 2;
            arrow << QPoint(c.x(), c.y() + dy) << QPoint(c.x() - 4, c.y() - dy) << QPoint(c.x() + 4, c.y() - dy);
        }
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(Qt::white);
        p.setPen(Qt::NoPen);
        p.drawPolygon(arrow);
    }

    void mousePressEvent(QMouseEvent *e) override
    {
        if (e->button() == Qt::LeftButton && hotSpot().contains(e->pos())) {
            m_owner->toggle();
            return;
        }
        if (!m_owner->isCollapsed())
            QSplitterHandle::mousePressEvent(e);
    }

    void mouseMoveEvent(QMouseEvent *e) override
    {
        setCursor(hotSpot().contains(e->pos()) ? Qt::PointingHandCursor
                                               : (orientation() == Qt::Horizontal ? Qt::SplitHCursor : Qt::SplitVCursor));
        if (!m_owner->isCollapsed())
            QSplitterHandle::mouseMoveEvent(e);
    }

private:
    TRzSplitter *m_owner;
};

} // namespace

TRzSplitter::TRzSplitter(QWidget *parent)
    : QSplitter(parent)
{
    init();
}

TRzSplitter::TRzSplitter(Qt::Orientation orientation, QWidget *parent)
    : QSplitter(orientation, parent)
{
    init();
}

void TRzSplitter::init()
{
    setChildrenCollapsible(false);
    setHandleWidth(7);
    connect(this, &QSplitter::splitterMoved, this, [this] {
        if (!m_collapsed)
            emit positionChanged(position());
    });
}

QSplitterHandle *TRzSplitter::createHandle()
{
    return new HotSpotHandle(orientation(), this);
}

void TRzSplitter::setHotSpotDirection(HotSpotDirection direction)
{
    m_direction = direction;
    update();
}

void TRzSplitter::setFixedPane(int index)
{
    for (int i = 0; i < count(); ++i)
        setStretchFactor(i, i == index ? 0 : 1);
}

int TRzSplitter::total() const
{
    const QList<int> s = sizes();
    int t = 0;
    for (int v : s)
        t += v;
    if (t <= 0)
        t = (orientation() == Qt::Horizontal ? width() : height()) - handleWidth();
    return qMax(0, t);
}

int TRzSplitter::position() const
{
    if (m_pendingPosition >= 0)
        return m_collapsed && m_direction == HotSpotDirection::First ? 0 : m_pendingPosition;
    const QList<int> s = sizes();
    return s.isEmpty() ? 0 : s.first();
}

void TRzSplitter::setPosition(int pos)
{
    if (m_collapsed)
        restore();
    const int t = total();
    if (count() < 2 || t <= 0 || !isVisible()) {
        // Not laid out yet: apply once shown.
        m_pendingPosition = pos;
        if (count() >= 2)
            setSizes({pos, qMax(1, t - pos)});
        emit positionChanged(pos);
        return;
    }
    m_pendingPosition = -1;
    setSizes({pos, qMax(0, t - pos)});
    emit positionChanged(position());
}

void TRzSplitter::showEvent(QShowEvent *event)
{
    QSplitter::showEvent(event);
    if (m_pendingPosition >= 0 && count() >= 2) {
        const int pos = m_pendingPosition;
        m_pendingPosition = -1;
        const int t = total();
        if (m_collapsed) {
            QList<int> s{0, 0};
            s[collapsibleIndex()] = 0;
            s[1 - collapsibleIndex()] = t;
            setSizes(s);
        } else {
            setSizes({pos, qMax(0, t - pos)});
        }
    }
}

void TRzSplitter::collapse()
{
    if (m_collapsed || count() < 2)
        return;
    const int idx = collapsibleIndex();
    const QList<int> s = sizes();
    m_restoreSize = m_pendingPosition >= 0 && idx == 0 ? m_pendingPosition : s.value(idx);
    if (m_restoreSize <= 0)
        m_restoreSize = idx == 0 ? s.value(0) : s.value(1);
    m_collapsed = true;
    widget(idx)->setMinimumSize(0, 0);
    setCollapsible(idx, true);
    const int t = total();
    QList<int> n{0, 0};
    n[1 - idx] = t;
    setSizes(n);
    if (m_pendingPosition >= 0 && idx == 0)
        m_pendingPosition = m_restoreSize;
    for (int i = 0; i < count(); ++i)
        handle(i)->update();
    emit positionChanged(position());
}

void TRzSplitter::restore()
{
    if (!m_collapsed)
        return;
    m_collapsed = false;
    const int idx = collapsibleIndex();
    const int t = total();
    QList<int> n{0, 0};
    n[idx] = qMin(m_restoreSize, t);
    n[1 - idx] = qMax(0, t - n[idx]);
    if (m_pendingPosition >= 0 && idx == 0)
        m_pendingPosition = m_restoreSize;
    setSizes(n);
    setCollapsible(idx, false);
    for (int i = 0; i < count(); ++i)
        handle(i)->update();
    emit positionChanged(position());
}

void TRzSplitter::toggle()
{
    if (m_collapsed)
        restore();
    else
        collapse();
}
