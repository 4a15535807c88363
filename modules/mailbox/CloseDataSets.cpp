#include "CloseDataSets.h"

#include "ClientDataSet.h"

namespace zaskar {

void CloseDataSets(QObject *dataModule) noexcept
{
    if (!dataModule)
        return;
    try {
        for (QObject *child : dataModule->children()) {
            if (auto ds = qobject_cast<TClientDataSet *>(child))
                ds->close();
        }
    } catch (...) {
    }
}

} // namespace zaskar
