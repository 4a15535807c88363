#include "HTTPRIO.h"

#include "Exception.h"
#include "SoapFault.h"

#include <KDSoapClient/KDSoapClientInterface.h>
#include <KDSoapClient/KDSoapMessage.h>
#include <KDSoapClient/KDSoapPendingCallWatcher.h>

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QXmlStreamReader>

constexpr const char THTTPRIO::InterfaceId[];
constexpr const char THTTPRIO::Namespace[];
constexpr const char THTTPRIO::SoapActionPattern[];
constexpr const char THTTPRIO::WsdlEncoding[];

THTTPRIO::THTTPRIO(QObject *parent)
    : QObject(parent)
{
}

THTTPRIO::~THTTPRIO() = default;

void THTTPRIO::setWSDLLocation(const QString &location)
{
    if (location != m_wsdlLocation)
        m_url.clear(); // the endpoint comes from the new WSDL
    m_wsdlLocation = location;
}

QString THTTPRIO::soapAction(const QString &operation)
{
    return QString::fromLatin1(SoapActionPattern).replace(QLatin1String("%operationName%"), operation);
}

QString THTTPRIO::readEndpointFromWsdl()
{
    if (m_wsdlLocation.isEmpty())
        throw Exception(QStringLiteral("The SOAP invoker has neither a WSDL location nor an address"));
    QNetworkAccessManager manager;
    QNetworkRequest request{QUrl(m_wsdlLocation)};
    request.setTransferTimeout(m_timeoutMs);
    QNetworkReply *reply = manager.get(request);
    QEventLoop loop;
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    reply->deleteLater();
    if (reply->error() != QNetworkReply::NoError)
        throw Exception(QStringLiteral("Cannot read the WSDL at %1: %2").arg(m_wsdlLocation, reply->errorString()));

    QXmlStreamReader xml(reply->readAll());
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("address")) {
            const QString location = xml.attributes().value(QLatin1String("location")).toString();
            if (!location.isEmpty())
                return location;
        }
    }
    if (xml.hasError())
        throw Exception(QStringLiteral("The WSDL at %1 is not well-formed: %2").arg(m_wsdlLocation, xml.errorString()));
    throw Exception(QStringLiteral("The WSDL at %1 names no service address").arg(m_wsdlLocation));
}

QString THTTPRIO::endpoint()
{
    if (m_url.isEmpty())
        m_url = readEndpointFromWsdl();
    return m_url;
}

KDSoapMessage THTTPRIO::invoke(const QString &operation, const KDSoapMessage &arguments)
{
    const QString address = endpoint();
    KDSoapClientInterface client(address, QString::fromLatin1(Namespace));
    client.setSoapVersion(KDSoapClientInterface::SOAP1_1);
    client.setStyle(KDSoapClientInterface::RPCStyle);
    client.setTimeout(m_timeoutMs);

    KDSoapMessage request = arguments;
    request.setUse(KDSoapMessage::EncodedUse);
    KDSoapPendingCall call = client.asyncCall(operation, request, soapAction(operation));
    KDSoapPendingCallWatcher watcher(call);
    QEventLoop loop;
    connect(&watcher, &KDSoapPendingCallWatcher::finished, &loop, &QEventLoop::quit);
    emit postingData(0, -1);
    if (!call.isFinished())
        loop.exec();

    KDSoapMessage reply = call.returnMessage();
    SoapFault::raiseIfFault(reply, address);
    return reply;
}

namespace {
QString xsdNamespace()
{
    return QStringLiteral("http://www.w3.org/2001/XMLSchema");
}

QVariant replyValue(const KDSoapMessage &reply, const QString &name)
{
    const KDSoapValueList &children = reply.childValues();
    for (const KDSoapValue &v : children) {
        if (v.name() == name)
            return v.value();
    }
    return QVariant();
}

bool booleanResult(const KDSoapMessage &reply, const QString &operation)
{
    const QVariant result = replyValue(reply, QStringLiteral("return"));
    if (!result.isValid())
        throw Exception(QStringLiteral("The reply to %1 carries no result").arg(operation));
    const QString text = result.toString().trimmed();
    return text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || text == QLatin1String("1");
}
} // namespace

bool THTTPRIO::UpFile(const QString &aFileBase64, const QString &saveDir, QString &aFileName)
{
    KDSoapMessage args;
    args.addArgument(QStringLiteral("AFileBase64"), aFileBase64, xsdNamespace(), QStringLiteral("string"));
    args.addArgument(QStringLiteral("SaveDir"), saveDir, xsdNamespace(), QStringLiteral("string"));
    args.addArgument(QStringLiteral("AfileName"), aFileName, xsdNamespace(), QStringLiteral("string"));
    const KDSoapMessage reply = invoke(QStringLiteral("UpFile"), args);
    const bool ok = booleanResult(reply, QStringLiteral("UpFile"));
    const QVariant name = replyValue(reply, QStringLiteral("AfileName"));
    if (name.isValid())
        aFileName = name.toString();
    return ok;
}

bool THTTPRIO::DeleteFile(const QString &aFileName)
{
    KDSoapMessage args;
    args.addArgument(QStringLiteral("AFileName"), aFileName, xsdNamespace(), QStringLiteral("string"));
    return booleanResult(invoke(QStringLiteral("DeleteFile"), args), QStringLiteral("DeleteFile"));
}
