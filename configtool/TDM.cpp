#include "TDM.h"

#include "DbNames.h"
#include "Exception.h"
#include "IniFile.h"
#include "TIBDatabase.h"
#include "TIBQuery.h"
#include "TIBSQL.h"
#include "TIBTransaction.h"

TDM::TDM(const QString &programDir, QObject *parent)
    : QObject(parent)
    , IBDB(new TIBDatabase(this))
    , IBTran(new TIBTransaction(this))
    , IBUpico(new TIBSQL(IBDB, IBTran, this))
    , IBSelect(new TIBQuery(IBDB, IBTran, this))
{
    IBDB->setLoginPrompt(false);
    IBDB->setSQLDialect(3);
    IBDB->setIdleTimer(0);
    IBDB->setDefaultTransaction(IBTran);
    IBTran->setDefaultDatabase(IBDB);
    DataModuleCreate(programDir);
}

TDM::~TDM()
{
    // What was not committed is rolled back with the connection.
    IBDB->close();
}

void TDM::DataModuleCreate(const QString &programDir)
{
    const TIniFile ini(programDir + QStringLiteral("Config.ini"));
    const QString password = ini.readString(QStringLiteral("Local"), QStringLiteral("PWD"),
                                            QString::fromLatin1(DbNames::DefaultPassword));
    const QString file = ini.readString(QStringLiteral("Local"), QStringLiteral("file"),
                                        QString::fromLatin1(DbNames::DefaultFile));
    IBDB->close();
    IBDB->params().clear();
    IBDB->params() << QStringLiteral("user_name=%1").arg(QLatin1String(DbNames::User))
                   << QStringLiteral("password=") + password;
    // Plain concatenation: the key names a file relative to the program directory.
    IBDB->setDatabaseName(programDir + file);
}

QString TDM::databaseName() const
{
    return IBDB->databaseName();
}

QStringList TDM::params() const
{
    return IBDB->params();
}

void TDM::updateColumn(const QString &statement, const QString &param, const QVariant &value, bool commitNow)
{
    try {
        IBUpico->close();
        IBUpico->setSQL(statement);
        IBUpico->setParamInteger(QStringLiteral("sid"), 1);
        switch (value.type()) {
        case QVariant::ByteArray:
            IBUpico->setParamBlob(param, value.toByteArray());
            break;
        case QVariant::Double:
            IBUpico->setParamDouble(param, value.toDouble());
            break;
        case QVariant::Int:
            IBUpico->setParamInteger(param, value.toInt());
            break;
        default:
            IBUpico->setParamString(param, value.toString());
        }
        IBUpico->execQuery();
        if (commitNow)
            IBTran->commit();
    } catch (const std::exception &e) {
        // A plain error with the database's message; nothing is rolled back.
        throw Exception(Exception::messageOf(e));
    }
    emit columnUpdated(statement, value);
}

void TDM::commit()
{
    IBTran->commit();
}

bool TDM::inTransaction() const
{
    return IBTran->inTransaction();
}

void TDM::openSelect(const QString &statement)
{
    IBSelect->close();
    IBSelect->setSQL(statement);
    IBSelect->setParamInteger(QStringLiteral("sid"), 1);
    IBSelect->open();
}

void TDM::closeSelect()
{
    IBSelect->close();
}

bool TDM::selectHasRow() const
{
    return IBSelect->isActive() && !IBSelect->isEmpty();
}

int TDM::selectInteger(const QString &field) const
{
    return IBSelect->asInteger(field);
}

QString TDM::selectText(const QString &field) const
{
    return IBSelect->asString(field);
}

bool TDM::selectIsNull(const QString &field) const
{
    return IBSelect->isNull(field);
}

QByteArray TDM::selectBlob(const QString &field) const
{
    return IBSelect->asBytes(field);
}
