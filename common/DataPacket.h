#pragma once

#include "DataField.h"

#include <QByteArray>
#include <QHash>
#include <QVariant>
#include <QVector>

// The fields and rows of one XML data packet, read whole. Values are typed
// by the metadata: qint64 for integers, QString for texts, QByteArray for
// BLOBs; a null QVariant is NULL.
class TDataPacket
{
public:
    TDataPacket() = default;

    // Throws Exception naming the cause: not XML, truncated, not a data
    // packet, an unknown field type, a row value without its field, a value
    // that does not fit its field's type.
    static TDataPacket parse(const QByteArray &xml);

    const QVector<TDataField> &fields() const { return m_fields; }
    // Case-insensitive; -1 when there is no such field.
    int fieldIndex(const QString &name) const;
    int rowCount() const { return m_rows.size(); }
    const QVariant &value(int row, int field) const { return m_rows.at(row).at(field); }

    static TFieldType typeFromName(const QString &fieldType); // throws on unknown types

private:
    void addField(const TDataField &field);

    QVector<TDataField> m_fields;
    QHash<QString, int> m_index; // lower-case name -> column
    QVector<QVector<QVariant>> m_rows;
};
