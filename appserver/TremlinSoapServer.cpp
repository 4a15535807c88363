#include "TremlinSoapServer.h"

#include "ServerDatabase.h"
#include "SoapConnection.h"
#include "TremlinServerObject.h"

#include <QDateTime>
#include <cstdio>

TremlinSoapServer::TremlinSoapServer(ServerDatabase *db, UploadStore *uploads, const Paths &paths, QObject *parent)
    : KDSoapServer(parent)
    , m_db(db)
    , m_uploads(uploads)
    , m_paths(paths)
{
    setPath(m_paths.dataAccess);
    setUse(KDSoapMessage::EncodedUse);
}

QObject *TremlinSoapServer::createServerObject()
{
    return new TremlinServerObject(this);
}

const QByteArray &TremlinSoapServer::catalogueReply()
{
    if (m_catalogueReply.isEmpty()) {
        m_catalogueReply = QByteArrayLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
            "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\""
            " xmlns:soap-enc=\"http://schemas.xmlsoap.org/soap/encoding/\""
            " xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\""
            " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"><soap:Body>"
            "<n1:AS_GetRecordsResponse xmlns:n1=\"");
        m_catalogueReply += TSoapConnection::Namespace;
        m_catalogueReply += "\"><return xsi:type=\"xsd:base64Binary\">";
        m_catalogueReply += m_db->cataloguePacket().toBase64(); // Base64 needs no escaping
        m_catalogueReply += "</return><RecsOut xsi:type=\"xsd:int\">-1</RecsOut>"
                            "<Params xsi:type=\"xsd:string\"/><OwnerData xsi:type=\"xsd:string\"/>"
                            "</n1:AS_GetRecordsResponse></soap:Body></soap:Envelope>\n";
    }
    return m_catalogueReply;
}

QString TremlinSoapServer::baseUrl() const
{
    return QStringLiteral("http://%1:%2").arg(m_publicHost).arg(serverPort());
}

void TremlinSoapServer::logRequest(const QString &line)
{
    const QByteArray text = QDateTime::currentDateTime().toString(Qt::ISODateWithMs).toUtf8() + ' ' + line.toUtf8() + '\n';
    fputs(text.constData(), stderr);
    fflush(stderr);
}
