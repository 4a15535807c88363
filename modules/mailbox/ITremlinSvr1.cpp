#include "ITremlinSvr1.h"

#include "HTTPRIO.h"
#include "TInvokableRegistry.h"

namespace zaskar {

void registerITremlinSvr()
{
    TInvokableRegistry::Interface entry;
    entry.name = QStringLiteral("ITremlinSvr");
    entry.guid = QLatin1String(THTTPRIO::InterfaceId);
    entry.nameSpace = QLatin1String(THTTPRIO::Namespace);
    entry.encoding = QLatin1String(THTTPRIO::WsdlEncoding);
    entry.soapActionPattern = QLatin1String(THTTPRIO::SoapActionPattern);
    TInvokableRegistry::instance().registerInterface(entry);
}

} // namespace zaskar
