#pragma once

#include <QObject>
#include <QString>

class TClientDataSet;
class THTTPRIO;
class TIBDatabase;
class TIBQuery;
class TIBTransaction;
class TSoapConnection;

// Brastel's data module: the connections to the application server and the
// settings read from Config.ini at creation. Created first, before the
// sign-in, and kept until the program ends. Creation connects nothing.
class TDM : public QObject
{
    Q_OBJECT
public:
    // Defaults of Config.ini.
    static constexpr const char DefaultUrl[] = "http://127.0.0.1:8181";
    static constexpr const char DefaultFsvr[] = "/tremlinSvr.dll/soap/ISoapDM";
    static constexpr const char DefaultWsdl[] = "/tremlinsvr.dll/wsdl/ITremlinSvr";
    static constexpr int DefaultNavWidth = 230;
    static constexpr int DefaultNavFongSize = 25;
    static constexpr const char CatalogueProvider[] = "prvMdChientSel";
    static constexpr const char InfoStatement[] = "Select * from  client_info";

    // programDir with its trailing separator; empty: the executable's.
    explicit TDM(const QString &programDir = QString(), QObject *parent = nullptr);
    ~TDM() override;

    TSoapConnection *SoapConn;
    TClientDataSet *cdsMdChientSel;
    TSoapConnection *ThreadConn;
    THTTPRIO *mainHTTPRIO;
    TIBDatabase *IBDB;
    TIBTransaction *IBTran;
    TIBQuery *IBQinfo;

    // Values kept for the life of the program.
    const QString &programDir() const { return m_programDir; }
    const QString &url() const { return m_url; } // exactly as read
    int navWidth() const { return m_navWidth; }
    int navFongSize() const { return m_navFongSize; }
    const QString &dbFile() const { return m_dbFile; }
    const QString &dbPassword() const { return m_dbPassword; }
    QString configFile() const;

public slots:
    // Reads Config.ini and sets the addresses; runs once, from the constructor.
    void DataModuleCreate();
    // Keeps the windows answering while the invoker sends a request.
    void mainHTTPRIOHTTPWebNode1PostingData(qint64 sent, qint64 total);

private:
    QString m_programDir;
    QString m_url;
    QString m_fsvr;
    QString m_wsdl;
    QString m_dbPassword;
    QString m_dbFile;
    int m_navWidth = DefaultNavWidth;
    int m_navFongSize = DefaultNavFongSize;
};
