#include "ModuleRightsList.h"

#include "CommaText.h"

namespace ModuleRightsList {

QStringList build(const QStringList &controlRights, qint32 moduleId)
{
    const QString wanted = QString::number(moduleId);
    QStringList rights;
    for (const QString &entry : controlRights) {
        const QString value = CommaText::valueOf(entry);
        const int comma = value.indexOf(QLatin1Char(','));
        if (comma < 0 || value.left(comma) != wanted)
            continue;
        const QStringList items = CommaText::split(value);
        // A short entry (hand-made lists) reads its missing items as empty.
        auto item = [&items](int i) { return i < items.size() ? items.at(i) : QString(); };
        rights.append(item(1) + QLatin1Char('=') + item(2) + QLatin1Char(',') + item(3));
    }
    return rights;
}

} // namespace ModuleRightsList
