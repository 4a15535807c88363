#pragma once

#include <QStringList>

// The rights list a module receives, cut from the control rights list
// ("id=fid,id,OBJname,cap" per granted control): one "id=OBJname,cap" per
// control of module M, in catalogue order. The value is split as comma text,
// so a caption (or a name) holding a blank is cut there.
namespace ModuleRightsList {

QStringList build(const QStringList &controlRights, qint32 moduleId);

} // namespace ModuleRightsList
