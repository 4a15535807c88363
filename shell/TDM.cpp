#include "TDM.h"

#include "ClientDataSet.h"
#include "DbNames.h"
#include "HTTPRIO.h"
#include "IniFile.h"
#include "LibraryPath.h"
#include "SoapConnection.h"
#include "TIBDatabase.h"
#include "TIBQuery.h"
#include "TIBTransaction.h"

#include <QCoreApplication>

constexpr const char TDM::DefaultUrl[];
constexpr const char TDM::DefaultFsvr[];
constexpr const char TDM::DefaultWsdl[];
constexpr const char TDM::CatalogueProvider[];
constexpr const char TDM::InfoStatement[];

TDM::TDM(const QString &programDir, QObject *parent)
    : QObject(parent)
    , SoapConn(new TSoapConnection(this))
    , cdsMdChientSel(new TClientDataSet(this))
    , ThreadConn(new TSoapConnection(this))
    , mainHTTPRIO(new THTTPRIO(this))
    , IBDB(new TIBDatabase(this))
    , IBTran(new TIBTransaction(this))
    , IBQinfo(new TIBQuery(IBDB, IBTran, this))
    , m_programDir(programDir)
{
    setObjectName(QStringLiteral("DM"));
    SoapConn->setObjectName(QStringLiteral("SoapConn"));
    cdsMdChientSel->setObjectName(QStringLiteral("cdsMdChientSel"));
    ThreadConn->setObjectName(QStringLiteral("ThreadConn"));
    mainHTTPRIO->setObjectName(QStringLiteral("mainHTTPRIO"));
    IBDB->setObjectName(QStringLiteral("IBDB"));
    IBTran->setObjectName(QStringLiteral("IBTran"));
    IBQinfo->setObjectName(QStringLiteral("IBQinfo"));

    // Design settings of the database components.
    IBDB->params() << QStringLiteral("user_name=%1").arg(QLatin1String(DbNames::User))
                   << QStringLiteral("password=%1").arg(QLatin1String(DbNames::DefaultPassword));
    IBDB->setLoginPrompt(false);
    IBDB->setSQLDialect(3);
    IBDB->setIdleTimer(0);
    IBDB->setDefaultTransaction(IBTran);
    IBTran->setDefaultDatabase(IBDB);
    IBQinfo->setSQL(QString::fromLatin1(InfoStatement));

    cdsMdChientSel->setRemoteServer(SoapConn);
    cdsMdChientSel->setProviderName(QString::fromLatin1(CatalogueProvider));
    connect(mainHTTPRIO, &THTTPRIO::postingData, this, &TDM::mainHTTPRIOHTTPWebNode1PostingData);

    DataModuleCreate();
}

TDM::~TDM() = default;

QString TDM::configFile() const
{
    return m_programDir + QStringLiteral("Config.ini");
}

void TDM::DataModuleCreate()
{
    if (m_programDir.isEmpty())
        m_programDir = LibraryPath::programDir();
    else if (!m_programDir.endsWith(QLatin1Char('/')))
        m_programDir += QLatin1Char('/');

    const TIniFile ini(configFile());
    const QString server = QStringLiteral("Server"), local = QStringLiteral("Local");
    m_url = ini.readString(server, QStringLiteral("url"), QString::fromLatin1(DefaultUrl));
    m_fsvr = ini.readString(server, QStringLiteral("fsvr"), QString::fromLatin1(DefaultFsvr));
    m_wsdl = ini.readString(server, QStringLiteral("wsdl"), QString::fromLatin1(DefaultWsdl));
    m_dbPassword = ini.readString(local, QStringLiteral("pwd"), QString::fromLatin1(DbNames::DefaultPassword));
    m_dbFile = ini.readString(local, QStringLiteral("file"), m_programDir + QString::fromLatin1(DbNames::DefaultFile));
    m_navWidth = ini.readInteger(local, QStringLiteral("NavWidth"), DefaultNavWidth);
    m_navFongSize = ini.readInteger(local, QStringLiteral("NavFongSize"), DefaultNavFongSize);

    // The paths are appended as they stand: no separator is added or removed.
    SoapConn->close();
    SoapConn->setURL(m_url + m_fsvr);
    mainHTTPRIO->setWSDLLocation(m_url + m_wsdl);
    IBDB->close();
    IBDB->setDatabaseName(m_dbFile);
    IBDB->params() << QStringLiteral("password=") + m_dbPassword;
}

void TDM::mainHTTPRIOHTTPWebNode1PostingData(qint64, qint64)
{
    QCoreApplication::processEvents();
}
