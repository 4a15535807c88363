#include "TModuleInfo.h"

#include <QTreeWidgetItem>

namespace {
constexpr int InfoRole = Qt::UserRole + 1;
}

const TModuleInfo *TModuleInfo::of(const QTreeWidgetItem *node)
{
    return node ? node->data(0, InfoRole).value<const TModuleInfo *>() : nullptr;
}

void TModuleInfo::attachTo(QTreeWidgetItem *node) const
{
    node->setData(0, InfoRole, QVariant::fromValue(this));
}
