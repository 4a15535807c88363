#pragma once

#include <QString>
#include <QStringList>

// Comma text as the original platform's string lists read and write it:
// commas or blanks (any character up to the space) separate items, double
// quotes group an item that may hold commas or blanks, and "" inside quotes
// is one quote. Never throws; a NUL character ends the text.
namespace CommaText {

QStringList split(const QString &text);
QString join(const QStringList &items);

// name=value access on list entries: text before the first "=", text after it.
QString nameOf(const QString &entry);
QString valueOf(const QString &entry);
// Value of the first entry whose name matches (case-insensitive), else empty.
QString valueByName(const QStringList &entries, const QString &name);

} // namespace CommaText
