#pragma once

#include "DataPacket.h"

#include <QObject>
#include <QString>

class TSoapConnection;

// A read-only client dataset over one data packet: rows in the server's
// order, a cursor, fields by name without regard to case.
//
// open() fetches the provider whole through the remote server. Without a
// remote server or provider name it reopens the packet last loaded with
// loadFromDataPacket(), so tests can fill it without a server.
class TClientDataSet : public QObject
{
    Q_OBJECT
public:
    explicit TClientDataSet(QObject *parent = nullptr);

    void setRemoteServer(TSoapConnection *connection) { m_remoteServer = connection; }
    TSoapConnection *remoteServer() const { return m_remoteServer; }
    void setProviderName(const QString &name) { m_providerName = name; }
    const QString &providerName() const { return m_providerName; }

    // Throws Exception with the server's (or the packet's) message; the
    // dataset is then closed.
    void open();
    void close();
    bool isActive() const { return m_active; }

    // Parses and opens the packet; throws Exception when it is broken, and
    // the dataset is then closed.
    void loadFromDataPacket(const QByteArray &xmlPacket);

    int recordCount() const;
    int recNo() const { return m_row + 1; } // 1-based, as the cursor stands
    void first();
    void next();
    bool eof() const;
    bool bof() const { return m_row <= 0; }

    int fieldCount() const { return m_packet.fields().size(); }
    const QVector<TDataField> &fields() const { return m_packet.fields(); }
    bool fieldExists(const QString &name) const;

    // Field access on the current row. An unknown field, a closed dataset or
    // a cursor past the end throws Exception. NULL reads as 0, "" and empty.
    qint64 asLargeInt(const QString &name) const;
    int asInteger(const QString &name) const;
    QString asString(const QString &name) const;
    QByteArray asBytes(const QString &name) const;
    bool isNull(const QString &name) const;
    QVariant value(const QString &name) const;

private:
    const QVariant &current(const QString &name, const TDataField **field = nullptr) const;

    TSoapConnection *m_remoteServer = nullptr;
    QString m_providerName;
    QByteArray m_loadedPacket;
    TDataPacket m_packet;
    int m_row = 0;
    bool m_active = false;
};
