#pragma once

class QObject;

namespace zaskar {

// Closes the client datasets among the data module's children, in order.
// Never throws: the first error ends the walk and is swallowed, since this
// runs while a form goes away.
void CloseDataSets(QObject *dataModule) noexcept;

} // namespace zaskar
