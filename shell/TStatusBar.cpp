#include "TStatusBar.h"

#include <QLabel>

TStatusBar::TStatusBar(QWidget *parent)
    : QStatusBar(parent)
{
    setSizeGripEnabled(false);
}

int TStatusBar::addPanel(int width, Qt::Alignment alignment)
{
    if (!m_panels.isEmpty()) {
        // Only the last panel stretches.
        QLabel *previous = m_panels.last();
        removeWidget(previous);
        previous->setFixedWidth(m_widths.last());
        addWidget(previous);
        previous->show();
    }
    auto *label = new QLabel(this);
    label->setObjectName(objectName() + QStringLiteral("Panel%1").arg(m_panels.size()));
    label->setAlignment(alignment);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(width);
    addWidget(label, 1);
    m_panels.append(label);
    m_widths.append(width);
    return m_panels.size() - 1;
}

void TStatusBar::setPanelText(int index, const QString &text)
{
    QLabel *l = panel(index);
    if (!l)
        return;
    l->setText(text);
    // A text longer than its panel widens the panel instead of being cut.
    if (index < m_panels.size() - 1) {
        const int needed = l->fontMetrics().horizontalAdvance(text) + 2 * l->frameWidth() + 8;
        l->setFixedWidth(qMax(m_widths.value(index), needed));
    }
}

QString TStatusBar::panelText(int index) const
{
    QLabel *l = panel(index);
    return l ? l->text() : QString();
}
