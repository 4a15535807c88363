#include "SoapFault.h"

#include "Exception.h"

#include <KDSoapClient/KDSoapMessage.h>
#include <KDSoapClient/KDSoapValue.h>

namespace SoapFault {

namespace {
QString child(const KDSoapMessage &reply, const char *name)
{
    const KDSoapValueList &children = reply.childValues();
    for (const KDSoapValue &v : children) {
        if (v.name().compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return v.value().toString();
    }
    return QString();
}
} // namespace

bool isTransportFault(const KDSoapMessage &reply)
{
    bool numeric = false;
    child(reply, "faultcode").toInt(&numeric);
    return numeric;
}

QString faultString(const KDSoapMessage &reply)
{
    QString text = child(reply, "faultstring");
    if (text.isEmpty())
        text = reply.faultAsString();
    return text.trimmed();
}

void raiseIfFault(const KDSoapMessage &reply, const QString &address)
{
    if (!reply.isFault())
        return;
    const QString text = faultString(reply);
    // The library reports a reply it cannot parse as a fault of its own.
    if (text.startsWith(QLatin1String("XML error")))
        throw Exception(QStringLiteral("The reply of the application server at %1 is not a SOAP message: %2")
                            .arg(address, text));
    // An HTTP error status without a SOAP body.
    if (isTransportFault(reply) && text.contains(QLatin1String("server replied:")))
        throw Exception(QStringLiteral("The application server at %1 answered with an error: %2")
                            .arg(address, text.mid(text.indexOf(QLatin1String("server replied:")) + 15).trimmed()));
    if (isTransportFault(reply))
        throw Exception(QStringLiteral("The application server at %1 cannot be reached: %2")
                            .arg(address, text));
    throw Exception(text);
}

} // namespace SoapFault
