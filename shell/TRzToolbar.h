#pragma once

#include <QImage>
#include <QWidget>

class QAbstractButton;

// The quick-launch bar: draws a background picture stretched over the bar
// and a flat line along its bottom edge, and stands its buttons side by side
// from the left edge in the order they were added, each as high as the bar's
// button height. Buttons are plain children: whoever creates one parents it
// here and the bar places it.
class TRzToolbar : public QWidget
{
    Q_OBJECT
public:
    explicit TRzToolbar(QWidget *parent = nullptr);

    void setBackground(const QImage &picture);
    const QImage &background() const { return m_background; }

    void setButtonHeight(int height);
    int buttonHeight() const { return m_buttonHeight; }
    void setRowHeight(int height);
    int rowHeight() const { return m_rowHeight; }

    // The buttons on the bar, in the order they stand.
    QList<QAbstractButton *> buttons() const;
    int controlCount() const { return buttons().size(); }

    // Places the buttons again; runs by itself when buttons come or go.
    void relayout();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void childEvent(QChildEvent *event) override;
    bool event(QEvent *event) override;

private:
    QImage m_background;
    QImage m_scaled;
    int m_buttonHeight = 45;
    int m_rowHeight = 54;
};
