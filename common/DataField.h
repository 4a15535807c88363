#pragma once

#include <QString>

// A column of a data packet. The XML names are those of the packet's
// METADATA/FIELDS section (fieldtype attribute).
enum class TFieldType {
    Integer,  // i1, i2, i4, ui1, ui2, ui4
    LargeInt, // i8
    Boolean,  // boolean
    Float,    // r8, fixed
    String,   // string, string.uni
    DateTime, // date, time, dateTime
    Blob      // bin.hex (Base64 in the row attribute)
};

struct TDataField {
    QString name;
    TFieldType type = TFieldType::String;
    int width = 0; // texts only; 0 when the packet gives none
};
