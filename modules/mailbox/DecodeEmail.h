#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Decoding of RFC 2047 encoded words in header texts, kept byte for byte to
// the mailbox's historical rules: the charset of a word is skipped, the B and
// Q payloads are decoded into raw bytes, every space of a text holding an
// encoded word is dropped and a spam filter's tag is removed. Pure functions:
// no state, no input raises.
namespace zaskar {

// A whole header text; a text without an encoded word comes back unchanged.
QByteArray DecodeHeaderText(const QByteArray &text);

// One segment of a header text that holds no space.
QByteArray DecodeHeaderWord(const QByteArray &segment);

// Clears the list, then fills it with the parts of the text between
// occurrences of the separator (empty parts kept, a trailing empty one not).
void SplitText(const QByteArray &separator, const QByteArray &text, QList<QByteArray> &list);

// DecodeHeaderText, then the bytes as shown to the user: UTF-8 when they are
// valid UTF-8, else GB18030.
QString DecodeHeaderDisplay(const QByteArray &text);

} // namespace zaskar
