#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QObject>
#include <QVector>

// A list of images addressed by index, as tool bars and trees use them. The
// nominal size is what the list is meant for; add() keeps an image at its own
// size, so callers scale first when they need the list's size.
class TImageList : public QObject
{
    Q_OBJECT
public:
    explicit TImageList(int width = 16, int height = 16, QObject *parent = nullptr);

    int width() const { return m_width; }
    int height() const { return m_height; }
    int count() const { return m_images.size(); }

    // Pixels of exactly the transparent colour become fully transparent.
    // Returns the index of the new entry.
    int add(const QImage &image, QColor transparent = QColor(255, 255, 255));
    void clear();

    // Null image or icon for an index out of range.
    QImage image(int index) const;
    QIcon icon(int index) const;
    // Normal image plus the image shown while the control is disabled.
    QIcon icon(int index, int disabledIndex) const;

private:
    int m_width;
    int m_height;
    QVector<QImage> m_images;
};
