#pragma once

#include <QObject>

class TClientDataSet;

namespace zaskar {

// The module's data module: seven client datasets without provider or
// server, there for module code; the mailbox only closes them. One instance
// per loaded library.
class TDM : public QObject
{
    Q_OBJECT
public:
    explicit TDM(QObject *parent = nullptr);

    TClientDataSet *cdsDelete;
    TClientDataSet *cdsUsers;
    TClientDataSet *cdsUserAdd;
    TClientDataSet *cdsMdChientSel;
    TClientDataSet *cdsModify;
    TClientDataSet *cdsSelect;
    TClientDataSet *cdsGetRoles;
};

} // namespace zaskar
