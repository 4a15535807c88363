#include "SoapConnection.h"

#include "Base64Text.h"
#include "Exception.h"
#include "SoapFault.h"

#include <KDSoapClient/KDSoapClientInterface.h>
#include <KDSoapClient/KDSoapMessage.h>

constexpr const char TSoapConnection::InterfaceId[];
constexpr const char TSoapConnection::Namespace[];

TSoapConnection::TSoapConnection(QObject *parent)
    : QObject(parent)
{
}

TSoapConnection::~TSoapConnection() = default;

void TSoapConnection::open()
{
    if (m_url.isEmpty())
        throw Exception(QStringLiteral("The SOAP connection has no server address"));
    m_connected = true;
}

QByteArray TSoapConnection::getRecords(const QString &providerName, const Params &params)
{
    open();
    const QString ns = QString::fromLatin1(Namespace);
    KDSoapClientInterface client(m_url, ns);
    client.setSoapVersion(KDSoapClientInterface::SOAP1_1);
    client.setStyle(KDSoapClientInterface::RPCStyle);
    client.setTimeout(m_timeoutMs);

    KDSoapMessage request;
    request.setUse(KDSoapMessage::EncodedUse);
    const QString xsd = QStringLiteral("http://www.w3.org/2001/XMLSchema");
    request.addArgument(QStringLiteral("ProviderName"), providerName, xsd, QStringLiteral("string"));
    request.addArgument(QStringLiteral("Count"), -1, xsd, QStringLiteral("int"));
    request.addArgument(QStringLiteral("Options"), 0, xsd, QStringLiteral("int"));
    request.addArgument(QStringLiteral("CommandText"), QString(), xsd, QStringLiteral("string"));
    KDSoapValueList paramList;
    for (const auto &p : params)
        paramList.append(KDSoapValue(p.first, p.second, xsd, QStringLiteral("string")));
    request.addArgument(QStringLiteral("Params"), paramList);
    request.addArgument(QStringLiteral("OwnerData"), QString(), xsd, QStringLiteral("string"));

    QByteArray packet;
    bool found = false, valid = false;
    {
        const KDSoapMessage reply = client.call(QStringLiteral("AS_GetRecords"), request,
                                                ns + QStringLiteral("#AS_GetRecords"));
        SoapFault::raiseIfFault(reply, m_url);
        const KDSoapValueList &children = reply.childValues();
        for (const KDSoapValue &v : children) {
            if (v.name() == QLatin1String("return")) {
                const QString text = v.value().toString();
                found = true;
                valid = Base64Text::decode(text.constData(), text.size(), &packet);
                break;
            }
        }
        if (!found)
            throw Exception(QStringLiteral("The reply of %1 to AS_GetRecords(\"%2\") carries no data packet")
                                .arg(m_url, providerName));
    }
    if (!valid)
        throw Exception(QStringLiteral("The data packet of \"%1\" from %2 is not valid Base64").arg(providerName, m_url));
    return packet;
}
