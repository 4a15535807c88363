#pragma once

#include <QByteArray>
#include <QString>

// The WSDL of ITremlinSvr (RPC style, SOAP encoding) for a given endpoint.
class WsdlDocument
{
public:
    static QByteArray itremlinSvr(const QString &endpoint);
};
