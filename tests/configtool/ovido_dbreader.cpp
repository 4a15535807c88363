// A second process on the database, reading through the database layer as
// another program does at its start: prints one column of the first row of
// "Select * from  client_info", or of LOGIN_INFO row 1. Blobs print as their size.
#include "Exception.h"
#include "FirebirdEnvironment.h"
#include "TIBDatabase.h"
#include "TIBQuery.h"
#include "TIBTransaction.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: ovido_dbreader FILE TABLE COLUMN\n");
        return 2;
    }
    try {
        FirebirdEnvironment::prepare();
        // The transaction outlives the database, which rolls it back when it goes.
        TIBTransaction tran;
        TIBDatabase db;
        db.setDefaultTransaction(&tran);
        tran.setDefaultDatabase(&db);
        db.setDatabaseName(QString::fromLocal8Bit(argv[1]));
        db.params() << QStringLiteral("user_name=SYSDBA") << QStringLiteral("password=quillbark");
        TIBQuery q(&db, &tran);
        const bool client = QString::fromLatin1(argv[2]).compare(QLatin1String("CLIENT_INFO"), Qt::CaseInsensitive) == 0;
        q.setSQL(client ? QStringLiteral("Select * from  client_info")
                        : QStringLiteral("SELECT * FROM LOGIN_INFO where id=1"));
        q.open();
        if (q.isEmpty()) {
            std::fprintf(stderr, "no row\n");
            return 1;
        }
        const QString column = QString::fromLatin1(argv[3]);
        const QVariant v = q.value(column);
        if (q.isNull(column))
            std::printf("NULL\n");
        else if (v.type() == QVariant::ByteArray)
            std::printf("blob:%d\n", v.toByteArray().size());
        else
            std::printf("%s\n", v.toString().toUtf8().constData());
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", Exception::messageOf(e).toUtf8().constData());
        return 1;
    }
    return 0;
}
