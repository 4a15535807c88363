#include "DataPacketWriter.h"

#include "Exception.h"

#include <QDateTime>

namespace {
QString formatValue(const TDataField &field, const QVariant &value)
{
    switch (field.type) {
    case TFieldType::Integer:
    case TFieldType::LargeInt:
        return QString::number(value.toLongLong());
    case TFieldType::Boolean:
        return value.toBool() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case TFieldType::Float:
        return QString::number(value.toDouble(), 'g', 17);
    case TFieldType::DateTime:
        return value.toDateTime().toString(QStringLiteral("yyyyMMdd'T'HH:mm:sszzz"));
    case TFieldType::Blob:
        return QString::fromLatin1(value.toByteArray().toBase64());
    case TFieldType::String:
        break;
    }
    return value.toString();
}
} // namespace

TDataPacketWriter::TDataPacketWriter()
    : m_xml(&m_buffer)
{
    m_xml.setCodec("UTF-8");
    m_xml.writeStartDocument(QStringLiteral("1.0"), true);
    m_xml.writeStartElement(QStringLiteral("DATAPACKET"));
    m_xml.writeAttribute(QStringLiteral("Version"), QStringLiteral("2.0"));
}

QString TDataPacketWriter::typeName(TFieldType type)
{
    switch (type) {
    case TFieldType::Integer: return QStringLiteral("i4");
    case TFieldType::LargeInt: return QStringLiteral("i8");
    case TFieldType::Boolean: return QStringLiteral("boolean");
    case TFieldType::Float: return QStringLiteral("r8");
    case TFieldType::String: return QStringLiteral("string.uni");
    case TFieldType::DateTime: return QStringLiteral("dateTime");
    case TFieldType::Blob: return QStringLiteral("bin.hex");
    }
    return QString();
}

void TDataPacketWriter::addField(const QString &name, TFieldType type, int width)
{
    if (m_rowsBegun)
        throw Exception(QStringLiteral("Field \"%1\" added after the first row of the data packet").arg(name));
    m_fields.append(TDataField{name, type, width});
}

void TDataPacketWriter::beginRows()
{
    m_xml.writeStartElement(QStringLiteral("METADATA"));
    m_xml.writeStartElement(QStringLiteral("FIELDS"));
    for (const TDataField &field : qAsConst(m_fields)) {
        m_xml.writeEmptyElement(QStringLiteral("FIELD"));
        m_xml.writeAttribute(QStringLiteral("attrname"), field.name);
        m_xml.writeAttribute(QStringLiteral("fieldtype"), typeName(field.type));
        if (field.type == TFieldType::String && field.width > 0)
            m_xml.writeAttribute(QStringLiteral("WIDTH"), QString::number(field.width));
        if (field.type == TFieldType::Blob)
            m_xml.writeAttribute(QStringLiteral("SUBTYPE"), QStringLiteral("Binary"));
    }
    m_xml.writeEndElement(); // FIELDS
    m_xml.writeEmptyElement(QStringLiteral("PARAMS"));
    m_xml.writeEndElement(); // METADATA
    m_xml.writeStartElement(QStringLiteral("ROWDATA"));
    m_rowsBegun = true;
}

void TDataPacketWriter::addRow(const QVariantList &values)
{
    if (m_finished)
        throw Exception(QStringLiteral("Row added to a finished data packet"));
    if (values.size() != m_fields.size())
        throw Exception(QStringLiteral("Data packet row %1 has %2 values for %3 fields")
                            .arg(m_rows + 1).arg(values.size()).arg(m_fields.size()));
    if (!m_rowsBegun)
        beginRows();
    m_xml.writeEmptyElement(QStringLiteral("ROW"));
    for (int i = 0; i < values.size(); ++i) {
        if (values.at(i).isNull())
            continue; // NULL: no attribute
        m_xml.writeAttribute(m_fields.at(i).name, formatValue(m_fields.at(i), values.at(i)));
    }
    ++m_rows;
}

QByteArray TDataPacketWriter::packet()
{
    if (!m_finished) {
        if (!m_rowsBegun)
            beginRows();
        m_xml.writeEndDocument();
        m_finished = true;
    }
    return m_buffer;
}
