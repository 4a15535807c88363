#pragma once

#include <QObject>

class QKeyEvent;
class QWidget;
class QWindow;

// The main window's keyboard hook: an application-wide event filter that
// sees every key press once, as the window system delivers it, before any
// widget does. A Tab meant for another window while a form other than the
// main window is active goes to that form instead, so that one press moves
// the focus exactly once, in the window the user works in.
class TKeyboardHook : public QObject
{
    Q_OBJECT
public:
    // Installs itself on the application; removed again when destroyed.
    explicit TKeyboardHook(QWidget *mainWindow);
    ~TKeyboardHook() override;

    // True when the press was handed to the active form (the original is then
    // not delivered as well); false lets it pass unchanged.
    bool KeyboardHookProc(QWindow *window, QKeyEvent *key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_mainWindow;
};
