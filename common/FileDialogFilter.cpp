#include "FileDialogFilter.h"

namespace FileDialogFilter {

QStringList nameFilters(const QString &filter)
{
    const QStringList items = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < items.size(); i += 2) {
        const QString &description = items.at(i);
        const QString &given = items.at(i + 1);
        if (description.endsWith(QLatin1Char('(') + given + QLatin1Char(')'))) {
            out << description;
            continue;
        }
        QString pattern = given == QLatin1String("*.*") ? QStringLiteral("*") : given;
        out << QStringLiteral("%1 (%2)").arg(description, pattern.replace(QLatin1Char(';'), QLatin1Char(' ')));
    }
    return out;
}

} // namespace FileDialogFilter
