#pragma once

#include <QString>

// Trimming as the settings texts need it: blanks and control characters
// (everything up to the space) go at both ends; other white space stays.
namespace TextTrim {
QString trim(const QString &text);
}
