#include "RightsIndex.h"

#include "CommaText.h"

namespace {
// The id an entry names, if it names one in canonical decimal.
bool idOf(const QString &entry, qint32 *id)
{
    if (entry.size() <= 2)
        return false;
    const QString text = entry.mid(2);
    bool ok = false;
    const qint32 n = text.toInt(&ok);
    if (!ok || QString::number(n) != text)
        return false;
    *id = n;
    return true;
}
} // namespace

RightsIndex::RightsIndex(const QString &rights)
{
    const QStringList entries = CommaText::split(rights);
    m_entries = entries.size();
    m_counts.reserve(entries.size());
    for (const QString &entry : entries) {
        qint32 id = 0;
        if (idOf(entry, &id))
            ++m_counts[id];
    }
}
