#pragma once

#include <QString>

class KDSoapMessage;

// Turns a faulted reply into the text the user reads. Transport failures
// (which the SOAP library reports as faults with a numeric code) name the
// address; a fault of the server carries the server's own message.
namespace SoapFault {

bool isTransportFault(const KDSoapMessage &reply);
QString faultString(const KDSoapMessage &reply);
// Throws Exception when the reply is a fault; address names the endpoint.
void raiseIfFault(const KDSoapMessage &reply, const QString &address);

} // namespace SoapFault
