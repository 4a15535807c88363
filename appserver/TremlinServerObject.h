#pragma once

#include <KDSoapServer/KDSoapServerObjectInterface.h>

#include <QObject>

class TremlinSoapServer;

// Answers one connection's requests for TremlinSoapServer. A failing call
// becomes a SOAP fault with the cause as its text; the server goes on.
class TremlinServerObject : public QObject, public KDSoapServerObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(KDSoapServerObjectInterface)
public:
    explicit TremlinServerObject(TremlinSoapServer *server);

    void processRequest(const KDSoapMessage &request, KDSoapMessage &response, const QByteArray &soapAction) override;
    void processRequestWithPath(const KDSoapMessage &request, KDSoapMessage &response, const QByteArray &soapAction,
                                const QString &path) override;
    QIODevice *processFileRequest(const QString &path, QByteArray &contentType) override;

private:
    // Each returns a short text for the log line.
    QString getRecords(const KDSoapMessage &request, KDSoapMessage &response);
    QString upFile(const KDSoapMessage &request, KDSoapMessage &response);
    QString deleteFile(const KDSoapMessage &request, KDSoapMessage &response);

    TremlinSoapServer *m_server;
};
