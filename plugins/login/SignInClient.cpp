#include "SignInClient.h"

#include "ClientDataSet.h"
#include "Exception.h"
#include "SoapConnection.h"

constexpr const char SignInClient::Provider[];

SignInRecord SignInClient::signIn(TSoapConnection *connection, const QString &user, const QString &password)
{
    if (!connection)
        throw Exception(QStringLiteral("The login plug-in was given no server connection"));
    TClientDataSet answer;
    answer.setObjectName(QString::fromLatin1(Provider));
    answer.loadFromDataPacket(connection->getRecords(
        QString::fromLatin1(Provider), {{QStringLiteral("UserName"), user}, {QStringLiteral("Password"), password}}));
    if (answer.recordCount() != 1)
        throw Exception(QStringLiteral("The server answered the sign-in of \"%1\" with %2 rows").arg(user).arg(answer.recordCount()));
    SignInRecord record;
    record.setNumber(answer.asInteger(QStringLiteral("Number")));
    record.setTexts(answer.asString(QStringLiteral("Text1")), answer.asString(QStringLiteral("Text2")),
                    answer.asString(QStringLiteral("WelcomeTail")), answer.asString(QStringLiteral("WelcomeHead")),
                    answer.asString(QStringLiteral("Rights")));
    record.setSignedIn(true);
    return record;
}
