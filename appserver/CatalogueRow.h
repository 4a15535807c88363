#pragma once

#include <QByteArray>
#include <QString>

// One row of the module catalogue as the server stores it.
struct CatalogueRow {
    int id = 0;
    QString cap;
    QString objName;
    int fid = 0;
    int type = 0; // 0 group, 1 module, 2 control right, other: icon only
    int fmmodal = 0;
    int onbar = 0;
    QByteArray ico; // BMP file image; null: NULL
};
