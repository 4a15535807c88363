#include "Base64Text.h"

#include <array>

namespace Base64Text {

namespace {
constexpr signed char Invalid = -1, Space = -2, Pad = -3;

constexpr std::array<signed char, 128> makeTable()
{
    std::array<signed char, 128> t{};
    for (auto &v : t)
        v = Invalid;
    for (int i = 0; i < 26; ++i) {
        t['A' + i] = static_cast<signed char>(i);
        t['a' + i] = static_cast<signed char>(26 + i);
    }
    for (int i = 0; i < 10; ++i)
        t['0' + i] = static_cast<signed char>(52 + i);
    t['+'] = 62;
    t['/'] = 63;
    t['='] = Pad;
    t[' '] = t['\t'] = t['\r'] = t['\n'] = Space;
    return t;
}
constexpr std::array<signed char, 128> Table = makeTable();
} // namespace

bool decode(const QChar *text, int size, QByteArray *out)
{
    out->resize(size / 4 * 3 + 3);
    char *dst = out->data();
    quint32 acc = 0;
    int bits = 0, pads = 0;
    for (int i = 0; i < size; ++i) {
        const ushort c = text[i].unicode();
        const signed char v = c < 128 ? Table[c] : Invalid;
        if (v >= 0) {
            if (pads)
                return false; // data after padding
            acc = (acc << 6) | quint32(v);
            bits += 6;
            if (bits >= 8) {
                bits -= 8;
                *dst++ = char((acc >> bits) & 0xFF);
            }
        } else if (v == Pad) {
            if (++pads > 2)
                return false;
        } else if (v != Space) {
            return false;
        }
    }
    out->resize(int(dst - out->data()));
    if (out->isNull())
        *out = QByteArray("");
    return true;
}

} // namespace Base64Text
