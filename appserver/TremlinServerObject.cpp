#include "TremlinServerObject.h"

#include "Exception.h"
#include "HTTPRIO.h"
#include "ServerDatabase.h"
#include "SoapConnection.h"
#include "TremlinSoapServer.h"
#include "UploadStore.h"
#include "WsdlDocument.h"

#include <KDSoapClient/KDSoapValue.h>

#include <QAbstractSocket>
#include <QBuffer>
#include <QElapsedTimer>

namespace {

const QString Xsd = QStringLiteral("http://www.w3.org/2001/XMLSchema");

const KDSoapValue *argument(const KDSoapMessage &request, const char *name)
{
    const KDSoapValueList &children = request.childValues();
    for (const KDSoapValue &v : children) {
        if (v.name().compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return &v;
    }
    return nullptr;
}

QString textArgument(const KDSoapMessage &request, const char *name)
{
    const KDSoapValue *v = argument(request, name);
    if (!v)
        throw Exception(QStringLiteral("The request lacks the argument %1").arg(QLatin1String(name)));
    return v->value().toString();
}

QString paramValue(const KDSoapMessage &request, const char *name)
{
    const KDSoapValue *params = argument(request, "Params");
    if (params) {
        const KDSoapValueList &children = params->childValues();
        for (const KDSoapValue &p : children) {
            if (p.name().compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
                return p.value().toString();
        }
    }
    throw Exception(QStringLiteral("The request lacks the parameter %1").arg(QLatin1String(name)));
}

bool samePath(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

TremlinServerObject::TremlinServerObject(TremlinSoapServer *server)
    : m_server(server)
{
}

void TremlinServerObject::processRequest(const KDSoapMessage &request, KDSoapMessage &response,
                                         const QByteArray &soapAction)
{
    processRequestWithPath(request, response, soapAction, m_server->path());
}

void TremlinServerObject::processRequestWithPath(const KDSoapMessage &request, KDSoapMessage &response,
                                                 const QByteArray &soapAction, const QString &path)
{
    QElapsedTimer timer;
    timer.start();
    const QString method = request.name();
    QString detail, outcome = QStringLiteral("ok");
    try {
        if (samePath(path, m_server->paths().dataAccess)) {
            setResponseNamespace(QString::fromLatin1(TSoapConnection::Namespace));
            if (method == QLatin1String("AS_GetRecords"))
                detail = getRecords(request, response);
            else
                throw Exception(QStringLiteral("The data-access service has no operation \"%1\"").arg(method));
        } else if (samePath(path, m_server->paths().invokable)) {
            setResponseNamespace(QString::fromLatin1(THTTPRIO::Namespace));
            if (method == QLatin1String("UpFile"))
                detail = upFile(request, response);
            else if (method == QLatin1String("DeleteFile"))
                detail = deleteFile(request, response);
            else
                throw Exception(QStringLiteral("ITremlinSvr has no operation \"%1\"").arg(method));
        } else {
            throw Exception(QStringLiteral("No SOAP service at %1").arg(path));
        }
    } catch (const std::exception &e) {
        const QString message = Exception::messageOf(e);
        setFault(QStringLiteral("Server"), message);
        outcome = QStringLiteral("fault: ") + message;
    }
    Q_UNUSED(soapAction);
    const QAbstractSocket *socket = serverSocket();
    m_server->logRequest(QStringLiteral("%1 POST %2 %3%4 %5 (%6 ms)")
                             .arg(socket ? socket->peerAddress().toString() : QStringLiteral("-"), path,
                                  method.isEmpty() ? QStringLiteral("(no operation)") : method, detail, outcome)
                             .arg(timer.elapsed()));
}

QString TremlinServerObject::getRecords(const KDSoapMessage &request, KDSoapMessage &response)
{
    const QString provider = textArgument(request, "ProviderName");
    QString base64;
    int records = 0;
    if (provider.compare(QLatin1String("prvMdChientSel"), Qt::CaseInsensitive) == 0) {
        const QByteArray &reply = m_server->catalogueReply();
        prepareDelayedResponse(); // answered here, with the prepared reply
        writeXML(reply);
        return QStringLiteral("(%1) %2 bytes").arg(provider).arg(reply.size());
    } else if (provider.compare(QLatin1String("prvSignIn"), Qt::CaseInsensitive) == 0) {
        base64 = QString::fromLatin1(
            m_server->database()->signInPacket(paramValue(request, "UserName"), paramValue(request, "Password")).toBase64());
        records = 1;
    } else {
        throw Exception(QStringLiteral("Provider \"%1\" not found").arg(provider));
    }
    response = KDSoapValue(QStringLiteral("AS_GetRecordsResponse"), QVariant());
    response.addArgument(QStringLiteral("return"), base64, Xsd, QStringLiteral("base64Binary"));
    response.addArgument(QStringLiteral("RecsOut"), records, Xsd, QStringLiteral("int"));
    response.addArgument(QStringLiteral("Params"), QString(), Xsd, QStringLiteral("string"));
    response.addArgument(QStringLiteral("OwnerData"), QString(), Xsd, QStringLiteral("string"));
    return QStringLiteral("(%1) %2 bytes").arg(provider).arg(base64.size());
}

QString TremlinServerObject::upFile(const KDSoapMessage &request, KDSoapMessage &response)
{
    const QString dir = textArgument(request, "SaveDir");
    const QString name = m_server->uploads()->store(textArgument(request, "AFileBase64"), dir,
                                                    textArgument(request, "AfileName"));
    response = KDSoapValue(QStringLiteral("UpFileResponse"), QVariant());
    response.addArgument(QStringLiteral("AfileName"), name, Xsd, QStringLiteral("string"));
    response.addArgument(QStringLiteral("return"), true, Xsd, QStringLiteral("boolean"));
    return QStringLiteral("(%1/%2)").arg(dir, name);
}

QString TremlinServerObject::deleteFile(const KDSoapMessage &request, KDSoapMessage &response)
{
    const QString name = textArgument(request, "AFileName");
    const bool removed = m_server->uploads()->remove(name);
    response = KDSoapValue(QStringLiteral("DeleteFileResponse"), QVariant());
    response.addArgument(QStringLiteral("return"), removed, Xsd, QStringLiteral("boolean"));
    return QStringLiteral("(%1) %2").arg(name, removed ? QStringLiteral("deleted") : QStringLiteral("not found"));
}

QIODevice *TremlinServerObject::processFileRequest(const QString &path, QByteArray &contentType)
{
    if (!samePath(path, m_server->paths().wsdl)) {
        m_server->logRequest(QStringLiteral("GET %1 not found").arg(path));
        return nullptr;
    }
    auto *buffer = new QBuffer;
    buffer->setData(WsdlDocument::itremlinSvr(m_server->baseUrl() + m_server->paths().invokable));
    buffer->open(QIODevice::ReadOnly);
    contentType = "text/xml; charset=utf-8";
    m_server->logRequest(QStringLiteral("GET %1 WSDL").arg(path));
    return buffer;
}
