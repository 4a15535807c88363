#pragma once

#include <QImage>

// The pictures that belong to the main window's design, drawn in code so that
// the window looks complete when the appearance database sets nothing.
namespace DesignPictures {

// 49 x 21 close-button images; olive marks the transparent pixels.
QImage closeNormal();
QImage closeHover();
// 24 x 24 icon of catalogue rows without one.
QImage defaultIcon();
// Background of the host panel.
QImage hostBackground();

} // namespace DesignPictures
