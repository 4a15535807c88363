#pragma once

#include <QByteArray>
#include <QObject>
#include <QPair>
#include <QString>
#include <QVector>

// Client of the application server's data-access service (IAppServerSOAP)
// over SOAP 1.1 / HTTP. The host owns it and hands a pointer to the login
// plug-in and to every module.
//
// Calls block the calling thread until the server answers (window events are
// not processed meanwhile); every failure, from an unreachable server to a
// provider error, throws Exception carrying the server's or transport's text.
class TSoapConnection : public QObject
{
    Q_OBJECT
public:
    static constexpr const char InterfaceId[] = "{C99F4735-D6D2-495C-8CA2-E53E5A439E61}";
    static constexpr const char Namespace[] = "urn:Midas-IAppServerSOAP";

    using Params = QVector<QPair<QString, QString>>;

    explicit TSoapConnection(QObject *parent = nullptr);
    ~TSoapConnection() override;

    // Address of the service: base address followed by the service path.
    const QString &url() const { return m_url; }
    void setURL(const QString &url) { m_url = url; }
    QString serverGUID() const { return QString::fromLatin1(InterfaceId); }

    // Connecting only marks the connection in use: no request is made. A
    // connection without an address cannot be opened.
    bool connected() const { return m_connected; }
    void open();
    void close() { m_connected = false; }

    int timeout() const { return m_timeoutMs; }
    void setTimeout(int milliseconds) { m_timeoutMs = milliseconds; }

    // AS_GetRecords of a provider, all records: the data packet (XML).
    // Params are provider parameters (name, value), empty for the catalogue.
    QByteArray getRecords(const QString &providerName, const Params &params = Params());

private:
    QString m_url;
    int m_timeoutMs = 60000;
    bool m_connected = false;
};
