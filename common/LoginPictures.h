#pragma once

#include <QImage>

// The built-in look of the login window: the pictures the login window and
// Ovido's layout designer show while LOGIN_INFO stores none. The buttons'
// corners carry their lower-left colour, so a transparent drawing rounds them.
namespace LoginPictures {

enum class Button { Set, Login, Close };

QImage background(); // 375 x 255
QImage button(Button which); // 75 x 25

// A transparent drawing of the picture: the colour of its lower-left pixel
// is left out (alpha 0), so that what lies beneath shows through.
QImage transparent(const QImage &picture);

} // namespace LoginPictures
