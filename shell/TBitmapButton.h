#pragma once

#include <QAbstractButton>
#include <QImage>
#include <QPixmap>

// A button drawn only by its pictures: a normal image and one shown while the
// mouse is over it. Pixels of the transparent colour (olive by default) are
// not drawn.
class TBitmapButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit TBitmapButton(QWidget *parent = nullptr);

    void setTransparentColor(const QColor &color);
    void setNormalImage(const QImage &image);
    void setHoverImage(const QImage &image);
    const QImage &normalImage() const { return m_normal; }
    const QImage &hoverImage() const { return m_hover; }

    bool isHovered() const { return m_hovered; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QPixmap masked(const QImage &image) const;
    void refresh();

    QColor m_transparent{128, 128, 0};
    QImage m_normal, m_hover;
    QPixmap m_normalPix, m_hoverPix;
    bool m_hovered = false;
};
