#include "DecodeEmail.h"

#include "TextCodec.h"

namespace zaskar {

namespace {

constexpr int MaxTail = 999;

// Position of the encoded word of a text (0-based indexes).
struct EncodedWord {
    bool found = false;
    int start = -1;     // index of the first "=?"
    int end = -1;       // index of the "?" of the last "?=", -1 when none
    QByteArray inner;   // between them, charset and its "?" removed
};

EncodedWord findEncodedWord(const QByteArray &text)
{
    EncodedWord w;
    w.start = text.indexOf("=?");
    if (w.start < 0)
        return w;
    // The last "?=" whose "?" is not the final byte; lastIndexOf does exactly that.
    w.end = text.lastIndexOf("?=");
    if (w.end >= w.start + 2)
        w.inner = text.mid(w.start + 2, w.end - w.start - 2);
    const int question = w.inner.indexOf('?');
    if (question >= 0)
        w.inner.remove(0, question + 1);
    w.found = !w.inner.isEmpty();
    return w;
}

int base64Value(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    switch (c) {
    case '+': return 62;
    case '/': return 63;
    case '=': return 64;
    default: return -1;
    }
}

// Slots keep their value across groups: a byte outside the alphabet leaves
// the previous group's value in place, as the historical decoder did.
QByteArray decodeB(const QByteArray &payload)
{
    QByteArray out;
    out.reserve(payload.size() * 3 / 4 + 3);
    int q[4] = {0, 0, 0, 0};
    for (int i = 0; i < payload.size(); ++i) {
        const int slot = i % 4;
        const int v = base64Value(payload.at(i));
        if (v >= 0)
            q[slot] = v;
        if (slot != 3)
            continue;
        int count = 3;
        if (q[0] == 64)
            count = 0;
        if (q[2] == 64) {
            q[2] = 0;
            q[3] = 0;
            count = 1;
        }
        if (q[3] == 64) {
            q[3] = 0;
            count = 2;
        }
        const char b[3] = {
            char((4 * q[0] + q[1] / 16) % 256),
            char((16 * (q[1] % 16) + q[2] / 4) % 256),
            char((64 * (q[2] % 4) + q[3]) % 256),
        };
        out.append(b, count);
    }
    return out;
}

// Only "0"-"9" and "A"-"F" are hex digits here; other bytes give whatever
// the arithmetic yields, reduced to a byte.
int qDigit(unsigned char c)
{
    return c <= '9' ? c - 48 : c - 55;
}

QByteArray decodeQ(const QByteArray &payload)
{
    enum class State { Text, FirstDigit, SecondDigit };
    QByteArray out;
    out.reserve(payload.size());
    State state = State::Text;
    int h = 0;
    for (const char ch : payload) {
        const unsigned char c = static_cast<unsigned char>(ch);
        switch (state) {
        case State::Text:
            if (c == '=')
                state = State::FirstDigit;
            else
                out.append(c == '_' ? ' ' : ch);
            break;
        case State::FirstDigit:
            h = 16 * qDigit(c);
            state = State::SecondDigit;
            break;
        case State::SecondDigit:
            h += qDigit(c);
            out.append(char(h & 0xFF));
            state = State::Text;
            break;
        }
    }
    return out;
}

} // namespace

QByteArray DecodeHeaderWord(const QByteArray &segment)
{
    const EncodedWord w = findEncodedWord(segment);
    if (!w.found)
        return segment;

    const char letter = w.inner.at(0);
    const QByteArray payload = w.inner.mid(2);
    QByteArray decoded;
    if (letter == 'B')
        decoded = decodeB(payload);
    else if (letter == 'Q')
        decoded = decodeQ(payload);

    QByteArray result = segment.left(w.start);
    result += decoded;
    if (w.end >= 0)
        result += segment.mid(w.end + 2, MaxTail);

    const int nul = result.indexOf('\0');
    if (nul >= 0)
        result.truncate(nul);
    if (result.contains("***SPAM***")) {
        const int dash = result.indexOf('-');
        if (dash >= 0)
            result.remove(0, dash + 1);
    }
    return result;
}

QByteArray DecodeHeaderText(const QByteArray &text)
{
    if (!findEncodedWord(text).found)
        return text;
    QList<QByteArray> segments;
    SplitText(QByteArrayLiteral(" "), text, segments);
    QByteArray result;
    result.reserve(text.size());
    for (const QByteArray &segment : qAsConst(segments))
        result += DecodeHeaderWord(segment);
    return result;
}

void SplitText(const QByteArray &separator, const QByteArray &text, QList<QByteArray> &list)
{
    list.clear();
    if (separator.isEmpty()) {
        // Nothing can separate; the text is one part.
        if (!text.isEmpty())
            list.append(text);
        return;
    }
    int from = 0;
    for (int at = text.indexOf(separator, from); at >= 0; at = text.indexOf(separator, from)) {
        list.append(text.mid(from, at - from));
        from = at + separator.size();
    }
    if (from < text.size())
        list.append(text.mid(from));
}

QString DecodeHeaderDisplay(const QByteArray &text)
{
    return TextCodec::toDisplay(DecodeHeaderText(text));
}

} // namespace zaskar
