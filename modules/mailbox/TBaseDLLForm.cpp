#include "TBaseDLLForm.h"

#include "ModuleState.h"

#include <QEvent>

namespace zaskar {

TBaseDLLForm::TBaseDLLForm(QWidget *parent)
    : QWidget(parent, Qt::Widget)
{
}

void TBaseDLLForm::setFillParent(bool fill)
{
    if (fill == m_fillParent)
        return;
    m_fillParent = fill;
    if (QWidget *p = parentWidget()) {
        if (fill) {
            p->installEventFilter(this);
            fitToParent();
        } else {
            p->removeEventFilter(this);
        }
    }
}

void TBaseDLLForm::Loaded()
{
    // A child widget has no border, no title bar and no window state: the
    // look that remains is the colour and the size.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, formColor());
    setPalette(pal);
    setAutoFillBackground(true);

    if (QWidget *panel = ModuleState::instance().hostPanel()) {
        setFillParent(false);
        resize(panel->width(), panel->height());
    } else {
        setFillParent(true);
    }
}

bool TBaseDLLForm::event(QEvent *e)
{
    // Polish comes once, when the form is first shown or measured, i.e.
    // after the derived classes have built their design.
    if (e->type() == QEvent::Polish && !m_loaded) {
        m_loaded = true;
        const bool result = QWidget::event(e);
        Loaded();
        return result;
    }
    if (e->type() == QEvent::ParentAboutToChange && m_fillParent && parentWidget())
        parentWidget()->removeEventFilter(this);
    if (e->type() == QEvent::ParentChange && m_fillParent && parentWidget()) {
        parentWidget()->installEventFilter(this);
        fitToParent();
    }
    return QWidget::event(e);
}

bool TBaseDLLForm::eventFilter(QObject *watched, QEvent *e)
{
    if (m_fillParent && watched == parentWidget() && e->type() == QEvent::Resize)
        fitToParent();
    return QWidget::eventFilter(watched, e);
}

void TBaseDLLForm::fitToParent()
{
    if (QWidget *p = parentWidget())
        setGeometry(p->rect());
}

} // namespace zaskar
