// A second program on the same database file, for the tests:
//   dbprobe read FILE COLUMN         prints the column of the shell's first row
//   dbprobe write FILE COLUMN TEXT   updates row 1 and commits
//   dbprobe hammer FILE              rewrites LOGO with large pictures until killed
#include "Exception.h"
#include "TIBDatabase.h"
#include "TIBQuery.h"
#include "TIBSQL.h"
#include "TIBTransaction.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QTextStream>

#include <cstdio>

namespace {

QByteArray picture(int round)
{
    QImage image(1200, 800, QImage::Format_RGB32);
    image.fill(QColor::fromHsv((round * 37) % 360, 200, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

int run(const QStringList &args)
{
    QTextStream out(stdout);
    TIBDatabase database;
    TIBTransaction transaction;
    database.setDefaultTransaction(&transaction);
    database.setDatabaseName(args.value(2));
    database.params() << QStringLiteral("user_name=SYSDBA") << QStringLiteral("password=quillbark");
    const QString command = args.value(1);
    if (command == QLatin1String("read")) {
        TIBQuery query(&database, &transaction);
        query.setSQL(QStringLiteral("Select * from  client_info"));
        query.open();
        out << query.asString(args.value(3)) << Qt::flush;
        return 0;
    }
    if (command == QLatin1String("write")) {
        TIBSQL sql(&database, &transaction);
        sql.setSQL(QStringLiteral("Update CLIENT_INFO Set %1 = :sValue where id=:sid").arg(args.value(3)));
        sql.setParamInteger(QStringLiteral("sid"), 1);
        sql.setParamString(QStringLiteral("sValue"), args.value(4));
        sql.execQuery();
        transaction.commit();
        return 0;
    }
    if (command == QLatin1String("hammer")) {
        TIBSQL sql(&database, &transaction);
        for (int round = 0;; ++round) {
            sql.setSQL(QStringLiteral("Update CLIENT_INFO Set LOGO = :bico, COPYRIGHT = :sRound where id=:sid"));
            sql.setParamInteger(QStringLiteral("sid"), 1);
            sql.setParamBlob(QStringLiteral("bico"), picture(round));
            sql.setParamString(QStringLiteral("sRound"), QString::number(round));
            sql.execQuery();
            transaction.commit();
            if (round == 0)
                out << "ready" << Qt::endl;
        }
    }
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    try {
        return run(app.arguments());
    } catch (const std::exception &e) {
        QTextStream(stderr) << Exception::messageOf(e) << Qt::endl;
        return 1;
    }
}
