#pragma once

#include <QFrame>

class QTreeWidget;

namespace Ui {
class TFramLeftNav;
}

// The navigation pane: the module tree with a margin, following the pane's
// size. The tree is read-only; its items all have one height.
class TFramLeftNav : public QFrame
{
    Q_OBJECT
public:
    explicit TFramLeftNav(QWidget *parent = nullptr);
    ~TFramLeftNav() override;

    QTreeWidget *tvLeftNav() const;

    // The tree's item height in pixels (the design has the style's own).
    void setItemHeight(int pixels);
    int itemHeight() const { return m_itemHeight; }

private:
    Ui::TFramLeftNav *ui;
    int m_itemHeight = 0;
};
