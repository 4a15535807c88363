#pragma once

#include <QList>
#include <QString>

namespace zaskar {

// What module code needs to call an invokable interface of the application
// server through the invoker the host hands it: its namespace, encoding and
// SOAP action pattern, by interface name.
class TInvokableRegistry
{
public:
    struct Interface
    {
        QString name;
        QString guid;
        QString nameSpace;
        QString encoding;
        // "%operationName%" stands for the operation's name.
        QString soapActionPattern;
        QString documentation;
        QString externalName;
    };

    static TInvokableRegistry &instance();

    // A second registration of the same name replaces the first.
    void registerInterface(const Interface &entry);
    // Null when the name was never registered (names match ignoring case).
    const Interface *find(const QString &name) const;
    // The SOAP action of one operation; empty for an unknown interface.
    QString soapAction(const QString &interfaceName, const QString &operation) const;

private:
    TInvokableRegistry() = default;
    QList<Interface> m_entries;
};

} // namespace zaskar
