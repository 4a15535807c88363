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
        previous->setFixedWidth(previous->minimumWidth());
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
    return m_panels.size() - 1;
}

void TStatusBar::setPanelText(int index, const QString &text)
{
    if (QLabel *l = panel(index))
        l->setText(text);
}

QString TStatusBar::panelText(int index) const
{
    QLabel *l = panel(index);
    return l ? l->text() : QString();
}
