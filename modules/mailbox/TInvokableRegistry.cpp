#include "TInvokableRegistry.h"

namespace zaskar {

TInvokableRegistry &TInvokableRegistry::instance()
{
    static TInvokableRegistry registry;
    return registry;
}

void TInvokableRegistry::registerInterface(const Interface &entry)
{
    for (Interface &existing : m_entries) {
        if (existing.name.compare(entry.name, Qt::CaseInsensitive) == 0) {
            existing = entry;
            return;
        }
    }
    m_entries.append(entry);
}

const TInvokableRegistry::Interface *TInvokableRegistry::find(const QString &name) const
{
    for (const Interface &e : m_entries) {
        if (e.name.compare(name, Qt::CaseInsensitive) == 0)
            return &e;
    }
    return nullptr;
}

QString TInvokableRegistry::soapAction(const QString &interfaceName, const QString &operation) const
{
    const Interface *e = find(interfaceName);
    if (!e)
        return QString();
    QString action = e->soapActionPattern;
    return action.replace(QLatin1String("%operationName%"), operation);
}

} // namespace zaskar
