#include "ClientDataSet.h"

#include "Exception.h"
#include "SoapConnection.h"

TClientDataSet::TClientDataSet(QObject *parent)
    : QObject(parent)
{
}

void TClientDataSet::open()
{
    if (m_active)
        return;
    if (m_remoteServer && !m_providerName.isEmpty()) {
        const QByteArray packet = m_remoteServer->getRecords(m_providerName);
        m_packet = TDataPacket::parse(packet);
    } else if (!m_loadedPacket.isNull()) {
        m_packet = TDataPacket::parse(m_loadedPacket);
    } else {
        throw Exception(QStringLiteral("%1: missing data provider or data packet")
                            .arg(objectName().isEmpty() ? QStringLiteral("Client dataset") : objectName()));
    }
    m_row = 0;
    m_active = true;
}

void TClientDataSet::close()
{
    m_active = false;
    m_packet = TDataPacket();
    m_row = 0;
}

void TClientDataSet::loadFromDataPacket(const QByteArray &xmlPacket)
{
    close();
    m_packet = TDataPacket::parse(xmlPacket);
    m_loadedPacket = xmlPacket;
    m_row = 0;
    m_active = true;
}

int TClientDataSet::recordCount() const
{
    return m_active ? m_packet.rowCount() : 0;
}

void TClientDataSet::first()
{
    m_row = 0;
}

void TClientDataSet::next()
{
    if (m_row < recordCount())
        ++m_row;
}

bool TClientDataSet::eof() const
{
    return m_row >= recordCount();
}

bool TClientDataSet::fieldExists(const QString &name) const
{
    return m_packet.fieldIndex(name) >= 0;
}

const QVariant &TClientDataSet::current(const QString &name, const TDataField **field) const
{
    const QString who = objectName().isEmpty() ? QStringLiteral("the dataset") : objectName();
    if (!m_active)
        throw Exception(QStringLiteral("Cannot read field \"%1\": %2 is closed").arg(name, who));
    const int col = m_packet.fieldIndex(name);
    if (col < 0)
        throw Exception(QStringLiteral("Field \"%1\" not found in %2").arg(name, who));
    if (m_row >= m_packet.rowCount())
        throw Exception(QStringLiteral("Cannot read field \"%1\": %2 is at its end").arg(name, who));
    if (field)
        *field = &m_packet.fields().at(col);
    return m_packet.value(m_row, col);
}

QVariant TClientDataSet::value(const QString &name) const
{
    return current(name);
}

bool TClientDataSet::isNull(const QString &name) const
{
    return current(name).isNull();
}

qint64 TClientDataSet::asLargeInt(const QString &name) const
{
    const TDataField *field = nullptr;
    const QVariant &v = current(name, &field);
    if (v.isNull())
        return 0;
    switch (field->type) {
    case TFieldType::Integer:
    case TFieldType::LargeInt:
        return v.toLongLong();
    case TFieldType::Boolean:
        return v.toBool() ? 1 : 0;
    case TFieldType::String: {
        bool ok = false;
        const qint64 n = v.toString().trimmed().toLongLong(&ok);
        if (ok)
            return n;
        break;
    }
    default:
        break;
    }
    throw Exception(QStringLiteral("Field \"%1\": \"%2\" is not a valid integer value")
                        .arg(field->name, v.toString().left(40)));
}

int TClientDataSet::asInteger(const QString &name) const
{
    const qint64 n = asLargeInt(name);
    if (n < INT32_MIN || n > INT32_MAX)
        throw Exception(QStringLiteral("Field \"%1\": %2 is out of the integer range").arg(name).arg(n));
    return int(n);
}

QString TClientDataSet::asString(const QString &name) const
{
    const TDataField *field = nullptr;
    const QVariant &v = current(name, &field);
    if (v.isNull())
        return QString();
    if (field->type == TFieldType::Blob)
        return QString::fromUtf8(v.toByteArray());
    if (field->type == TFieldType::Boolean)
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return v.toString();
}

QByteArray TClientDataSet::asBytes(const QString &name) const
{
    const TDataField *field = nullptr;
    const QVariant &v = current(name, &field);
    if (v.isNull())
        return QByteArray();
    if (field->type == TFieldType::Blob)
        return v.toByteArray();
    return asString(name).toUtf8();
}
