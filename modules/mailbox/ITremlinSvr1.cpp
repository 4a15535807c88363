#include "ITremlinSvr1.h"

#include "TInvokableRegistry.h"

namespace zaskar {

void registerITremlinSvr()
{
    TInvokableRegistry::Interface entry;
    entry.name = QStringLiteral("ITremlinSvr");
    entry.guid = QStringLiteral("{98E7B453-398E-8394-66AB-0C42874FC63E}");
    entry.nameSpace = QStringLiteral("urn:TremlinSvrIntf-ITremlinSvr");
    entry.encoding = QStringLiteral("utf-8");
    entry.soapActionPattern = QStringLiteral("urn:TremlinSvrIntf-ITremlinSvr#%operationName%");
    TInvokableRegistry::instance().registerInterface(entry);
}

} // namespace zaskar
