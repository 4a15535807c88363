// A second process on the database: prints one column of the first row of
// "Select * from  client_info" (or of LOGIN_INFO row 1), the way another
// program reads the file at its start. Blobs print as their size.
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: ovido_dbreader FILE TABLE COLUMN\n");
        return 2;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QIBASE"));
    db.setDatabaseName(QString::fromLocal8Bit(argv[1]));
    db.setUserName(QStringLiteral("SYSDBA"));
    db.setConnectOptions(QStringLiteral("ISC_DPB_LC_CTYPE=UTF8"));
    if (!db.open()) {
        std::fprintf(stderr, "%s\n", qPrintable(db.lastError().text()));
        return 1;
    }
    const QString table = QString::fromLatin1(argv[2]).toUpper();
    QSqlQuery q(db);
    q.exec(table == QLatin1String("CLIENT_INFO") ? QStringLiteral("Select * from  client_info")
                                                 : QStringLiteral("SELECT * FROM LOGIN_INFO where id=1"));
    if (!q.next()) {
        std::fprintf(stderr, "no row: %s\n", qPrintable(q.lastError().text()));
        return 1;
    }
    const QVariant v = q.record().value(QString::fromLatin1(argv[3]));
    if (v.isNull())
        std::printf("NULL\n");
    else if (v.type() == QVariant::ByteArray)
        std::printf("blob:%d\n", v.toByteArray().size());
    else
        std::printf("%s\n", v.toString().toUtf8().constData());
    return 0;
}
