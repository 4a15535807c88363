#pragma once

#include <QStatusBar>

class QLabel;

// A status bar of fixed panels, addressed by index like the panels of the
// main window's design. The last panel reaches to the right edge.
class TStatusBar : public QStatusBar
{
    Q_OBJECT
public:
    explicit TStatusBar(QWidget *parent = nullptr);

    // Adds a panel of the given width; returns its index.
    int addPanel(int width, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
    int panelCount() const { return m_panels.size(); }

    void setPanelText(int index, const QString &text);
    QString panelText(int index) const;
    QLabel *panel(int index) const { return m_panels.value(index); }

private:
    QList<QLabel *> m_panels;
    QList<int> m_widths; // as designed
};
