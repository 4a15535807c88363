#pragma once

#include <KDSoapServer/KDSoapServer.h>

#include <QByteArray>
#include <QString>

class ServerDatabase;
class UploadStore;

// The reference application server: the data-access service (AS_GetRecords
// on the providers "prvMdChientSel" and "prvSignIn"), the invokable
// interface ITremlinSvr (UpFile, DeleteFile) and its WSDL. Answers on the
// thread that owns it; one log line per request on stderr.
class TremlinSoapServer : public KDSoapServer
{
    Q_OBJECT
public:
    struct Paths {
        QString dataAccess = QStringLiteral("/tremlinSvr.dll/soap/ISoapDM");
        QString wsdl = QStringLiteral("/tremlinsvr.dll/wsdl/ITremlinSvr");
        QString invokable = QStringLiteral("/tremlinsvr.dll/soap/ITremlinSvr");
    };

    TremlinSoapServer(ServerDatabase *db, UploadStore *uploads, const Paths &paths, QObject *parent = nullptr);

    QObject *createServerObject() override;

    const Paths &paths() const { return m_paths; }
    ServerDatabase *database() const { return m_db; }
    UploadStore *uploads() const { return m_uploads; }
    // The whole SOAP reply to AS_GetRecords("prvMdChientSel"), built on the
    // first request and kept: the catalogue only changes by recreating the
    // database, and writing megabytes of Base64 through the message writer
    // on every request would cost more than the fetch itself.
    const QByteArray &catalogueReply();
    // Base address as clients reach it, e.g. "http://127.0.0.1:8181".
    QString baseUrl() const;
    void setPublicHost(const QString &host) { m_publicHost = host; }

    void logRequest(const QString &line);

private:
    ServerDatabase *m_db;
    UploadStore *m_uploads;
    Paths m_paths;
    QByteArray m_catalogueReply;
    QString m_publicHost = QStringLiteral("127.0.0.1");
};
