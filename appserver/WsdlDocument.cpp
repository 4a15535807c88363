#include "WsdlDocument.h"

#include "HTTPRIO.h"

QByteArray WsdlDocument::itremlinSvr(const QString &endpoint)
{
    const QString ns = QString::fromLatin1(THTTPRIO::Namespace);
    QString wsdl = QStringLiteral(R"(<?xml version="1.0" encoding="utf-8"?>
<definitions xmlns="http://schemas.xmlsoap.org/wsdl/" xmlns:xs="http://www.w3.org/2001/XMLSchema"
  name="ITremlinSvrservice" targetNamespace="http://tempuri.org/" xmlns:tns="http://tempuri.org/"
  xmlns:soap="http://schemas.xmlsoap.org/wsdl/soap/" xmlns:soapenc="http://schemas.xmlsoap.org/soap/encoding/">
  <message name="UpFile0Request">
    <part name="AFileBase64" type="xs:string"/>
    <part name="SaveDir" type="xs:string"/>
    <part name="AfileName" type="xs:string"/>
  </message>
  <message name="UpFile0Response">
    <part name="AfileName" type="xs:string"/>
    <part name="return" type="xs:boolean"/>
  </message>
  <message name="DeleteFile1Request">
    <part name="AFileName" type="xs:string"/>
  </message>
  <message name="DeleteFile1Response">
    <part name="return" type="xs:boolean"/>
  </message>
  <portType name="ITremlinSvr">
    <operation name="UpFile">
      <input message="tns:UpFile0Request"/>
      <output message="tns:UpFile0Response"/>
    </operation>
    <operation name="DeleteFile">
      <input message="tns:DeleteFile1Request"/>
      <output message="tns:DeleteFile1Response"/>
    </operation>
  </portType>
  <binding name="ITremlinSvrbinding" type="tns:ITremlinSvr">
    <soap:binding style="rpc" transport="http://schemas.xmlsoap.org/soap/http"/>
%OPERATIONS%
  </binding>
  <service name="ITremlinSvrservice">
    <port name="ITremlinSvrPort" binding="tns:ITremlinSvrbinding">
      <soap:address location="%ENDPOINT%"/>
    </port>
  </service>
</definitions>
)");
    QString operations;
    for (const QString &op : {QStringLiteral("UpFile"), QStringLiteral("DeleteFile")}) {
        operations += QStringLiteral(R"(    <operation name="%1">
      <soap:operation soapAction="%2" style="rpc"/>
      <input><soap:body use="encoded" encodingStyle="http://schemas.xmlsoap.org/soap/encoding/" namespace="%3"/></input>
      <output><soap:body use="encoded" encodingStyle="http://schemas.xmlsoap.org/soap/encoding/" namespace="%3"/></output>
    </operation>
)")
                          .arg(op, THTTPRIO::soapAction(op), ns);
    }
    wsdl.replace(QLatin1String("%OPERATIONS%"), operations);
    wsdl.replace(QLatin1String("%ENDPOINT%"), endpoint.toHtmlEscaped());
    return wsdl.toUtf8();
}
