#pragma once

#include <QHash>
#include <QString>

// The rights string as a lookup: how many of its entries grant a row id.
// An entry is two characters of any kind followed by the id exactly as
// written in decimal (no sign but "-", no leading zero, no blank). Built in
// one pass, so matching a catalogue costs rows plus entries.
class RightsIndex
{
public:
    explicit RightsIndex(const QString &rights);

    int grants(qint32 id) const { return m_counts.value(id, 0); }
    int entryCount() const { return m_entries; }

private:
    QHash<qint32, int> m_counts;
    int m_entries = 0;
};
