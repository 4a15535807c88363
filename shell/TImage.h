#pragma once

#include <QImage>
#include <QWidget>

// A picture control: draws its picture stretched over the whole control, or
// centred and scaled down to fit with its proportions kept. It has no look
// of its own where no picture is set, so what lies below shows through.
class TImage : public QWidget
{
    Q_OBJECT
public:
    enum class Mode { Stretch, CenterProportional };

    explicit TImage(QWidget *parent = nullptr);

    void setMode(Mode mode);
    Mode mode() const { return m_mode; }

    void setPicture(const QImage &picture);
    const QImage &picture() const { return m_picture; }

    // Where the picture is drawn inside the control (empty without a picture).
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    Mode m_mode = Mode::Stretch;
    QImage m_picture;
    QImage m_scaled; // smooth copy at pictureRect().size(), made on demand
};
