#pragma once

#include <QString>
#include <QStringList>

// File dialog filters written as "description|pattern|description|pattern"
// (the system's own texts use this form) turned into Qt's name filters.
namespace FileDialogFilter {

// "*.*" means every file; several patterns may be separated by ";". A
// description that already shows its pattern in parentheses is kept as it is.
QStringList nameFilters(const QString &filter);

} // namespace FileDialogFilter
