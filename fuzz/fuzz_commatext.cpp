#include "CommaText.h"
#include "PositionString.h"
#include "Exception.h"

#include <QRect>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    const QStringList items = CommaText::split(text);
    // What join writes, split must read back.
    const QString joined = CommaText::join(items);
    if (!items.isEmpty() && CommaText::split(joined) != items)
        __builtin_trap();
    for (const QString &item : items) {
        CommaText::nameOf(item);
        CommaText::valueOf(item);
    }
    try {
        QRect r;
        PositionString::parse(text, &r);
    } catch (const Exception &) {
    }
    return 0;
}
