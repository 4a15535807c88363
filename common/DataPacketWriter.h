#pragma once

#include "DataField.h"

#include <QByteArray>
#include <QVariant>
#include <QVector>
#include <QXmlStreamWriter>

// Builds an XML data packet (DATAPACKET / METADATA / FIELDS / ROWDATA) row by
// row, straight into its buffer, so a large catalogue is written without a
// copy of its rows. The application server answers with these packets; tests
// use the writer to fill a TClientDataSet without a server.
class TDataPacketWriter
{
public:
    TDataPacketWriter();

    // Fields come first: adding one after a row throws Exception.
    void addField(const QString &name, TFieldType type, int width = 0);
    // Values in field order. NULL is a null value (QVariant(), QString(),
    // QByteArray()); an empty value is QString("") or QByteArray(""). Blob
    // values are QByteArray, texts QString. Throws Exception when the count is wrong.
    void addRow(const QVariantList &values);

    int rowCount() const { return m_rows; }
    const QVector<TDataField> &fields() const { return m_fields; }

    // Ends the packet and hands it out; the writer is then done.
    QByteArray packet();

    static QString typeName(TFieldType type);

private:
    void beginRows();

    QVector<TDataField> m_fields;
    QByteArray m_buffer;
    QXmlStreamWriter m_xml;
    int m_rows = 0;
    bool m_rowsBegun = false;
    bool m_finished = false;
};
