#pragma once

#include <QObject>
#include <QString>

class KDSoapMessage;

// SOAP invoker for the server's invokable interface ITremlinSvr: RPC style,
// encoded use, SOAP action "<namespace>#<operation>". The endpoint is read
// from the soap:address of the WSDL at wsdlLocation() on the first call,
// unless setURL() gives it.
//
// A call waits in a local event loop, so pending window events are handled
// while the request is sent and answered: callers must expect re-entry.
// Failures throw Exception with the server's or the transport's text.
class THTTPRIO : public QObject
{
    Q_OBJECT
public:
    static constexpr const char InterfaceId[] = "{98E7B453-398E-8394-66AB-0C42874FC63E}";
    static constexpr const char Namespace[] = "urn:TremlinSvrIntf-ITremlinSvr";
    static constexpr const char SoapActionPattern[] = "urn:TremlinSvrIntf-ITremlinSvr#%operationName%";
    static constexpr const char WsdlEncoding[] = "utf-8";

    explicit THTTPRIO(QObject *parent = nullptr);
    ~THTTPRIO() override;

    const QString &wsdlLocation() const { return m_wsdlLocation; }
    void setWSDLLocation(const QString &location);
    // Endpoint in use; empty until the WSDL has been read or setURL() called.
    const QString &url() const { return m_url; }
    void setURL(const QString &url) { m_url = url; }

    int timeout() const { return m_timeoutMs; }
    void setTimeout(int milliseconds) { m_timeoutMs = milliseconds; }

    // ITremlinSvr. UpFile may change the file name; the server's name is
    // written back to aFileName.
    bool UpFile(const QString &aFileBase64, const QString &saveDir, QString &aFileName);
    bool DeleteFile(const QString &aFileName);

    // Any operation of the interface, for module code; returns the reply.
    KDSoapMessage invoke(const QString &operation, const KDSoapMessage &arguments);

    static QString soapAction(const QString &operation);

signals:
    // The request body is on its way; a handler may process window events.
    void postingData(qint64 sent, qint64 total);

private:
    QString endpoint();
    QString readEndpointFromWsdl();

    QString m_wsdlLocation;
    QString m_url;
    int m_timeoutMs = 60000;
};
