#pragma once

#include <QString>

class QSqlError;

// The text of a database error as the user sees it: the engine's own message.
namespace IBError {

QString message(const QSqlError &error);

} // namespace IBError
