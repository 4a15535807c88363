#include "ClinfoSchema.h"

#include "DbNames.h"
#include "FirebirdClient.h"
#include "TIBDatabase.h"
#include "TIBSQL.h"
#include "TIBTransaction.h"

namespace {

// Flags and modes are integers, TOP_HEIGHT a floating number (it is written
// as one), texts UTF-8, pictures and the icon binary BLOBs.
const char *const Statements[] = {
    "CREATE TABLE CLIENT_INFO ("
    " ID INTEGER NOT NULL PRIMARY KEY,"
    " SYS_CAPTION VARCHAR(255),"
    " SYS_ICO BLOB SUB_TYPE BINARY,"
    " COPYRIGHT VARCHAR(255),"
    " FORM_STATE INTEGER,"
    " FORM_STYLE INTEGER,"
    " TOP_OPEN INTEGER,"
    " TOP_HEIGHT DOUBLE PRECISION,"
    " LOGO BLOB SUB_TYPE BINARY,"
    " TOP_BG_GROUND BLOB SUB_TYPE BINARY,"
    " TOP_RIGHT BLOB SUB_TYPE BINARY,"
    " BTN_BACKGROUND BLOB SUB_TYPE BINARY,"
    " SYS_GROUND BLOB SUB_TYPE BINARY,"
    " SYS_SHOW BLOB SUB_TYPE BINARY,"
    " FORM_ICO_MIN BLOB SUB_TYPE BINARY,"
    " FORM_ICO_CLOSE BLOB SUB_TYPE BINARY,"
    " LOGO_SHOWMODULE INTEGER,"
    " TOP_BG_SHOWMODULE INTEGER,"
    " TOP_RIGHT_SHOWMODULE INTEGER,"
    " SYS_GROUNDMODULE INTEGER,"
    " SYS_SHOWMODULE INTEGER)",
    "CREATE TABLE LOGIN_INFO ("
    " ID INTEGER NOT NULL PRIMARY KEY,"
    " BACKGROUND BLOB SUB_TYPE BINARY,"
    " BGFLG INTEGER,"
    " BTN_SET_IMG BLOB SUB_TYPE BINARY,"
    " BTN_LOGIN_IMG BLOB SUB_TYPE BINARY,"
    " BTN_CLOSE_IMG BLOB SUB_TYPE BINARY,"
    " TXT_NAME_LTWH VARCHAR(47),"
    " TXT_PWD_LTWH VARCHAR(47),"
    " BTN_SET_LTWH VARCHAR(47),"
    " BTN_LOGIN_LTWH VARCHAR(47),"
    " BTN_CLOSE_LTWH VARCHAR(47))",
};

void run(TIBSQL &statement, const QString &sql)
{
    statement.setSQL(sql);
    statement.execQuery();
}

} // namespace

void ClinfoSchema::create(TIBDatabase &database)
{
    FirebirdClient::createDatabase(database.databaseName(), database.paramValue(QStringLiteral("user_name")),
                                   database.paramValue(QStringLiteral("password")));
    TIBTransaction *transaction = database.defaultTransaction();
    TIBSQL statement(&database, transaction);
    for (const char *sql : Statements)
        run(statement, QString::fromLatin1(sql));
    // Tables exist for other statements only once their creation is committed.
    transaction->commit();
    for (const char *table : {DbNames::ClientInfo::Table, DbNames::LoginInfo::Table})
        run(statement, QStringLiteral("INSERT INTO %1 (ID) VALUES (1)").arg(QLatin1String(table)));
    transaction->commit();
}
