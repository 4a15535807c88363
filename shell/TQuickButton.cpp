#include "TQuickButton.h"

#include <QStyleOptionToolButton>
#include <QStylePainter>

TQuickButton::TQuickButton(QWidget *parent)
    : QToolButton(parent)
{
    setAutoRaise(true);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
}

void TQuickButton::paintEvent(QPaintEvent *)
{
    QStylePainter p(this);
    QStyleOptionToolButton opt;
    initStyleOption(&opt);
    if (opt.state & (QStyle::State_MouseOver | QStyle::State_Sunken | QStyle::State_On))
        p.drawPrimitive(QStyle::PE_PanelButtonTool, opt);

    const QSize glyph = iconSize();
    const int top = 3;
    const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    icon().paint(&p, QRect((width() - glyph.width()) / 2, top, glyph.width(), glyph.height()), Qt::AlignCenter, mode);
    p.setPen(palette().color(QPalette::ButtonText));
    p.drawText(QRect(0, top + glyph.height() + 2, width(), height() - top - glyph.height() - 2),
               Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, text());
}
