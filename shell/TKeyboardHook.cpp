#include "TKeyboardHook.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

TKeyboardHook::TKeyboardHook(QWidget *mainWindow)
    : QObject(mainWindow)
    , m_mainWindow(mainWindow)
{
    qApp->installEventFilter(this);
}

TKeyboardHook::~TKeyboardHook()
{
    qApp->removeEventFilter(this);
}

bool TKeyboardHook::eventFilter(QObject *watched, QEvent *event)
{
    // A key press from the window system reaches its QWindow first, then the
    // focus widget and its parents: the window stage is seen once per press.
    if (event->type() == QEvent::KeyPress && watched->isWindowType())
        return KeyboardHookProc(static_cast<QWindow *>(watched), static_cast<QKeyEvent *>(event));
    return false;
}

bool TKeyboardHook::KeyboardHookProc(QWindow *window, QKeyEvent *key)
{
    if (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab)
        return false;
    if (key->isAutoRepeat() || (key->modifiers() & Qt::AltModifier))
        return false;
    QWidget *active = QApplication::activeWindow();
    if (!active || active == m_mainWindow)
        return false;
    // Already on its way to the active form: it moves the focus there by itself.
    if (active->windowHandle() == window)
        return false;
    QWidget *target = active->focusWidget() ? active->focusWidget() : active;
    QKeyEvent forwarded(QEvent::KeyPress, key->key(), key->modifiers(), key->text());
    QApplication::sendEvent(target, &forwarded);
    return true;
}
