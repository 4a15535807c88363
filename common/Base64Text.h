#pragma once

#include <QByteArray>
#include <QChar>

// Base64 decoding straight from UTF-16 text (a value as the XML reader hands
// it out), without a Latin-1 copy first: data packets carry megabytes of it.
// Whitespace is skipped; any other character outside the alphabet, or
// padding in the middle, makes the text invalid.
namespace Base64Text {

bool decode(const QChar *text, int size, QByteArray *out);

} // namespace Base64Text
