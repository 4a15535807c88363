#pragma once

#include <QWidget>

namespace zaskar {

// A form that lives inside a control of the host program: always a child
// widget, never a window of its own. Once its design is complete (before it
// is first shown) it takes the module look and the host panel's size.
class TBaseDLLForm : public QWidget
{
    Q_OBJECT
    // True: the form follows its parent's size. The host turns it off when
    // it fits the form itself.
    Q_PROPERTY(bool fillParent READ fillParent WRITE setFillParent)
public:
    explicit TBaseDLLForm(QWidget *parent = nullptr);

    bool fillParent() const { return m_fillParent; }
    void setFillParent(bool fill);

    static QColor formColor() { return QColor(238, 243, 249); }

protected:
    // Runs once, after every constructor of the form's classes.
    virtual void Loaded();

    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitToParent();

    bool m_loaded = false;
    bool m_fillParent = false;
};

} // namespace zaskar
