#include "IBError.h"

#include <QSqlError>

namespace IBError {

QString message(const QSqlError &error)
{
    // The driver's text only says which step failed; the engine's says why.
    const QString engine = error.databaseText().trimmed();
    if (engine.isEmpty())
        return error.driverText().trimmed();
    return engine;
}

} // namespace IBError
