#include "TDM.h"

#include "ClientDataSet.h"

namespace zaskar {

namespace {
TClientDataSet *dataSet(QObject *owner, const char *name)
{
    auto ds = new TClientDataSet(owner);
    ds->setObjectName(QLatin1String(name));
    return ds;
}
} // namespace

// Creation order is the order CloseDataSets walks them in.
TDM::TDM(QObject *parent)
    : QObject(parent)
    , cdsDelete(dataSet(this, "cdsDelete"))
    , cdsUsers(dataSet(this, "cdsUsers"))
    , cdsUserAdd(dataSet(this, "cdsUserAdd"))
    , cdsMdChientSel(dataSet(this, "cdsMdChientSel"))
    , cdsModify(dataSet(this, "cdsModify"))
    , cdsSelect(dataSet(this, "cdsSelect"))
    , cdsGetRoles(dataSet(this, "cdsGetRoles"))
{
    setObjectName(QStringLiteral("DM"));
}

} // namespace zaskar
