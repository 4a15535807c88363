#pragma once

#include <QSplitter>

// A two-pane splitter whose bar carries a hot spot that collapses one pane
// and restores it to the size it had. position() is the width (or height) of
// the first pane, 0 while the first pane is collapsed.
class TRzSplitter : public QSplitter
{
    Q_OBJECT
public:
    enum class HotSpotDirection { First, Second }; // which pane the hot spot collapses

    explicit TRzSplitter(QWidget *parent = nullptr);
    TRzSplitter(Qt::Orientation orientation, QWidget *parent = nullptr);

    void setHotSpotDirection(HotSpotDirection direction);
    HotSpotDirection hotSpotDirection() const { return m_direction; }
    // The pane that keeps its size when the splitter is resized.
    void setFixedPane(int index);

    bool isCollapsed() const { return m_collapsed; }
    int position() const;
    void setPosition(int position);
    // Size the collapsible pane gets back on restore.
    int restoreSize() const { return m_restoreSize; }

public slots:
    void collapse();
    void restore();
    void toggle();

signals:
    // Every change of the bar's position: dragging, collapsing, restoring.
    void positionChanged(int position);

protected:
    QSplitterHandle *createHandle() override;
    void showEvent(QShowEvent *event) override;

private:
    void init();
    int collapsibleIndex() const { return m_direction == HotSpotDirection::First ? 0 : 1; }
    int total() const;

    HotSpotDirection m_direction = HotSpotDirection::First;
    bool m_collapsed = false;
    int m_restoreSize = 0;
    int m_pendingPosition = -1;
};
