#include "DecodeEmail.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), int(size));
    const QByteArray decoded = zaskar::DecodeHeaderText(text);
    // A text without an encoded word comes back as it was.
    if (!text.contains("=?") && decoded != text)
        __builtin_trap();
    zaskar::DecodeHeaderWord(text);
    zaskar::DecodeHeaderDisplay(text);
    QList<QByteArray> parts;
    zaskar::SplitText(QByteArray(" "), text, parts);
    return 0;
}
