#include "DataPacket.h"

#include "Base64Text.h"
#include "Exception.h"

#include <QDateTime>
#include <QXmlStreamReader>

namespace {

QVariant parseValue(const TDataField &field, const QStringRef &text, int row)
{
    auto bad = [&](const QString &what) {
        return Exception(QStringLiteral("Data packet row %1: field \"%2\" holds %3")
                             .arg(row).arg(field.name, what));
    };
    switch (field.type) {
    case TFieldType::Integer:
    case TFieldType::LargeInt: {
        bool ok = false;
        const qint64 v = text.toLongLong(&ok);
        if (!ok)
            throw bad(QStringLiteral("\"%1\", which is not an integer").arg(text.left(40)));
        return v;
    }
    case TFieldType::Boolean: {
        if (text.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0 || text == QLatin1String("1"))
            return true;
        if (text.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0 || text == QLatin1String("0"))
            return false;
        throw bad(QStringLiteral("\"%1\", which is not a Boolean").arg(text.left(40)));
    }
    case TFieldType::Float: {
        bool ok = false;
        const double v = text.toDouble(&ok);
        if (!ok)
            throw bad(QStringLiteral("\"%1\", which is not a number").arg(text.left(40)));
        return v;
    }
    case TFieldType::DateTime: {
        const QString s = text.toString();
        QDateTime v = QDateTime::fromString(s, QStringLiteral("yyyyMMdd'T'HH:mm:sszzz"));
        if (!v.isValid())
            v = QDateTime::fromString(s, Qt::ISODateWithMs);
        if (!v.isValid()) {
            const QDate d = QDate::fromString(s, QStringLiteral("yyyyMMdd"));
            if (d.isValid())
                v = QDateTime(d, QTime(0, 0));
        }
        if (!v.isValid())
            throw bad(QStringLiteral("\"%1\", which is not a date and time").arg(text.left(40)));
        return v;
    }
    case TFieldType::Blob: {
        QByteArray bytes;
        if (!Base64Text::decode(text.constData(), text.size(), &bytes))
            throw bad(QStringLiteral("a BLOB that is not Base64"));
        return bytes; // an empty BLOB stays empty, not NULL
    }
    case TFieldType::String:
        break;
    }
    if (text.isEmpty())
        return QString(QLatin1String("")); // empty, not NULL
    return text.toString();
}

} // namespace

TFieldType TDataPacket::typeFromName(const QString &fieldType)
{
    static const QHash<QString, TFieldType> types = {
        {QStringLiteral("i1"), TFieldType::Integer},       {QStringLiteral("i2"), TFieldType::Integer},
        {QStringLiteral("i4"), TFieldType::Integer},       {QStringLiteral("ui1"), TFieldType::Integer},
        {QStringLiteral("ui2"), TFieldType::Integer},      {QStringLiteral("ui4"), TFieldType::Integer},
        {QStringLiteral("i8"), TFieldType::LargeInt},      {QStringLiteral("boolean"), TFieldType::Boolean},
        {QStringLiteral("r8"), TFieldType::Float},         {QStringLiteral("fixed"), TFieldType::Float},
        {QStringLiteral("string"), TFieldType::String},    {QStringLiteral("string.uni"), TFieldType::String},
        {QStringLiteral("date"), TFieldType::DateTime},    {QStringLiteral("time"), TFieldType::DateTime},
        {QStringLiteral("dateTime"), TFieldType::DateTime}, {QStringLiteral("bin.hex"), TFieldType::Blob},
    };
    const auto it = types.constFind(fieldType);
    if (it == types.constEnd())
        throw Exception(QStringLiteral("Data packet field type \"%1\" is not supported").arg(fieldType));
    return *it;
}

int TDataPacket::fieldIndex(const QString &name) const
{
    return m_index.value(name.toLower(), -1);
}

void TDataPacket::addField(const TDataField &field)
{
    if (field.name.isEmpty())
        throw Exception(QStringLiteral("Data packet field %1 has no name").arg(m_fields.size() + 1));
    if (m_index.contains(field.name.toLower()))
        throw Exception(QStringLiteral("Data packet field \"%1\" appears twice").arg(field.name));
    m_index.insert(field.name.toLower(), m_fields.size());
    m_fields.append(field);
}

TDataPacket TDataPacket::parse(const QByteArray &xml)
{
    TDataPacket packet;
    QXmlStreamReader reader(xml);
    QVector<int> columnAt; // attribute position -> column, from the last row
    bool sawRoot = false, sawMetadata = false, sawRowData = false, inFields = false, inRows = false;

    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (reader.name() == QLatin1String("FIELDS"))
                inFields = false;
            else if (reader.name() == QLatin1String("ROWDATA"))
                inRows = false;
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QStringRef name = reader.name();
        if (!sawRoot) {
            if (name != QLatin1String("DATAPACKET"))
                throw Exception(QStringLiteral("Not a data packet: the document element is <%1>").arg(name));
            sawRoot = true;
        } else if (name == QLatin1String("METADATA")) {
            sawMetadata = true;
        } else if (name == QLatin1String("FIELDS")) {
            inFields = true;
        } else if (name == QLatin1String("FIELD") && inFields) {
            const auto a = reader.attributes();
            TDataField field;
            field.name = a.value(QLatin1String("attrname")).toString();
            field.type = typeFromName(a.value(QLatin1String("fieldtype")).toString());
            field.width = a.value(QLatin1String("WIDTH")).toInt();
            packet.addField(field);
        } else if (name == QLatin1String("ROWDATA")) {
            if (!sawMetadata)
                throw Exception(QStringLiteral("Data packet has rows before its metadata"));
            sawRowData = inRows = true;
        } else if (name == QLatin1String("ROW") && inRows) {
            const int rowNumber = packet.m_rows.size() + 1;
            QVector<QVariant> row(packet.m_fields.size());
            const auto attributes = reader.attributes();
            for (int j = 0; j < attributes.size(); ++j) {
                const QXmlStreamAttribute &a = attributes.at(j);
                // Rows usually list their values in the same order: try the
                // column the same position had in the row before.
                int col = j < columnAt.size() ? columnAt.at(j) : -1;
                if (col < 0 || a.name() != packet.m_fields.at(col).name) {
                    if (a.name() == QLatin1String("RowState"))
                        continue; // change-log flag of the format, not a field
                    col = packet.fieldIndex(a.name().toString());
                    if (j >= columnAt.size())
                        columnAt.resize(j + 1);
                    columnAt[j] = col;
                }
                if (col < 0)
                    throw Exception(QStringLiteral("Data packet row %1 has a value for \"%2\", which is not a field")
                                        .arg(rowNumber).arg(a.name()));
                row[col] = parseValue(packet.m_fields.at(col), a.value(), rowNumber);
            }
            packet.m_rows.append(std::move(row));
        }
    }
    if (reader.hasError())
        throw Exception(QStringLiteral("The data packet is truncated or not well-formed: %1 (line %2, column %3)")
                            .arg(reader.errorString()).arg(reader.lineNumber()).arg(reader.columnNumber()));
    if (!sawRoot)
        throw Exception(QStringLiteral("The data packet is empty"));
    if (!sawRowData)
        throw Exception(QStringLiteral("The data packet has no ROWDATA section"));
    return packet;
}
