#pragma once

#include <QImage>
#include <QWidget>

// A picture control: auto-size takes the picture's size whenever a
// non-empty picture is set; stretch draws the picture over the whole
// control; transparent leaves out the colour of the picture's lower-left
// pixel, so that what lies beneath shows through. An empty picture draws
// nothing and keeps the control's size.
class TImage : public QWidget
{
    Q_OBJECT
public:
    explicit TImage(QWidget *parent = nullptr);

    QImage picture() const { return m_picture; }
    void setPicture(const QImage &picture);

    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);
    bool stretch() const { return m_stretch; }
    void setStretch(bool on);
    bool transparent() const { return m_transparent; }
    void setTransparent(bool on);

    // The picture as it is drawn (transparent pixels cleared), unscaled.
    QImage drawnPicture() const { return m_drawn; }

protected:
    void paintEvent(QPaintEvent *event) override;
    // The control takes the mouse itself, like a picture control does.
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void refresh();

    QImage m_picture;
    QImage m_drawn;
    bool m_autoSize = false;
    bool m_stretch = false;
    bool m_transparent = false;
};
