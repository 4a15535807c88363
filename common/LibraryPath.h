#pragma once

#include <QString>

// Library names of the catalogue and the start-up are Windows names
// ("Login.dll", "Modules\\Zaskar.dll"); here they map to the platform's file
// ("Login.so", "Modules/Zaskar.so"), resolved against the program directory.
namespace LibraryPath {

QString resolve(const QString &programDir, const QString &name);

// Directory of the running executable, with a trailing separator.
QString programDir();

} // namespace LibraryPath
