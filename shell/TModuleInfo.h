#pragma once

#include <QMetaType>
#include <QString>

class QTreeWidgetItem;

// One granted catalogue row, attached to its tree node as the node's data.
// The catalogue owns the records for the rest of the program run.
struct TModuleInfo
{
    qint32 id = 0;
    QString cap;
    QString OBJname;
    qint32 fid = 0;
    qint32 type = 0;
    qint32 fmmodal = 0;
    qint32 onbar = 0;

    // The record of a node, or null for a node without one.
    static const TModuleInfo *of(const QTreeWidgetItem *node);
    void attachTo(QTreeWidgetItem *node) const;
};

Q_DECLARE_METATYPE(const TModuleInfo *)
