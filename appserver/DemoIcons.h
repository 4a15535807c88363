#pragma once

#include <QByteArray>
#include <QColor>

// Catalogue icons drawn by code: BMP file images with a white (transparent)
// background and a coloured shape, so every row of a catalogue can look
// different without picture files.
class DemoIcons
{
public:
    enum class Shape { Folder, Envelope, Gear, Document, Circle, Square };

    static QByteArray bmp(Shape shape, const QColor &colour, int size = 24);
    // A distinct icon for a number: shape and hue vary with it.
    static QByteArray numbered(int n, int size = 24);
};
