#include "TQuickButton.h"

TQuickButton::TQuickButton(QWidget *parent)
    : QToolButton(parent)
{
    setAutoRaise(true);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
}
