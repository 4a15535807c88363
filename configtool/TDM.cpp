#include "TDM.h"

#include "DbNames.h"
#include "Exception.h"
#include "IniFile.h"

#include <QAtomicInt>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

struct TDM::Private {
    QString connectionName;
    std::unique_ptr<QSqlQuery> select;
    bool selectOnRow = false;
    bool transaction = false;

    QSqlDatabase db() const { return QSqlDatabase::database(connectionName, false); }

    [[noreturn]] static void fail(const QSqlError &error)
    {
        QString text = error.databaseText().trimmed();
        if (text.isEmpty())
            text = error.text().trimmed();
        throw Exception(text);
    }

    void ensureOpen()
    {
        QSqlDatabase database = db();
        if (!database.isOpen() && !database.open())
            fail(database.lastError());
        if (!transaction) {
            if (!database.transaction())
                fail(database.lastError());
            transaction = true;
        }
    }
};

TDM::TDM(const QString &programDir, QObject *parent)
    : QObject(parent), d(new Private)
{
    static QAtomicInt serial;
    d->connectionName = QStringLiteral("ovido-%1").arg(serial.fetchAndAddRelaxed(1));
    QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), d->connectionName);
    DataModuleCreate(programDir);
}

TDM::~TDM()
{
    d->select.reset();
    {
        QSqlDatabase database = d->db();
        if (database.isOpen()) {
            if (d->transaction)
                database.rollback();
            database.close();
        }
    }
    QSqlDatabase::removeDatabase(d->connectionName);
}

void TDM::DataModuleCreate(const QString &programDir)
{
    const TIniFile ini(programDir + QStringLiteral("Config.ini"));
    const QString password = ini.readString(QStringLiteral("Local"), QStringLiteral("PWD"),
                                            QString::fromLatin1(DbNames::DefaultPassword));
    const QString file = ini.readString(QStringLiteral("Local"), QStringLiteral("file"),
                                        QString::fromLatin1(DbNames::DefaultFile));
    closeSelect();
    QSqlDatabase database = d->db();
    if (database.isOpen())
        database.close();
    d->transaction = false;
    m_params = QStringList{QStringLiteral("user_name=%1").arg(QLatin1String(DbNames::User)),
                           QStringLiteral("password=") + password};
    // Plain concatenation: the key names a file relative to the program directory.
    m_databaseName = programDir + file;
    database.setDatabaseName(m_databaseName);
    database.setUserName(QString::fromLatin1(DbNames::User));
    database.setPassword(password);
    database.setConnectOptions(QStringLiteral("ISC_DPB_LC_CTYPE=UTF8"));
}

void TDM::updateColumn(const QString &statement, const QString &param, const QVariant &value,
                       bool commitNow)
{
    d->ensureOpen();
    QSqlQuery update(d->db());
    if (!update.prepare(statement))
        Private::fail(update.lastError());
    update.bindValue(QStringLiteral(":sid"), 1);
    update.bindValue(QLatin1Char(':') + param, value);
    if (!update.exec())
        Private::fail(update.lastError());
    update.finish();
    if (commitNow)
        commit();
    emit columnUpdated(statement, value);
}

void TDM::commit()
{
    QSqlDatabase database = d->db();
    if (!d->transaction || !database.isOpen())
        throw Exception(QStringLiteral("Transaction is not active"));
    closeSelect();
    if (!database.commit())
        Private::fail(database.lastError());
    d->transaction = false;
}

bool TDM::inTransaction() const
{
    return d->transaction;
}

void TDM::openSelect(const QString &statement)
{
    closeSelect();
    d->ensureOpen();
    d->select.reset(new QSqlQuery(d->db()));
    d->select->setForwardOnly(true);
    if (!d->select->prepare(statement))
        Private::fail(d->select->lastError());
    d->select->bindValue(QStringLiteral(":sid"), 1);
    if (!d->select->exec())
        Private::fail(d->select->lastError());
    d->selectOnRow = d->select->next();
}

void TDM::closeSelect()
{
    d->select.reset();
    d->selectOnRow = false;
}

bool TDM::selectHasRow() const
{
    return d->selectOnRow;
}

static QVariant fieldValue(const std::unique_ptr<QSqlQuery> &q, bool onRow, const QString &field)
{
    if (!q || !onRow)
        throw Exception(QStringLiteral("Dataset not open"));
    const int index = q->record().indexOf(field);
    if (index < 0)
        throw Exception(QStringLiteral("Field '%1' not found").arg(field));
    return q->value(index);
}

int TDM::selectInteger(const QString &field) const
{
    const QVariant v = fieldValue(d->select, d->selectOnRow, field);
    return v.isNull() ? 0 : v.toInt();
}

QString TDM::selectText(const QString &field) const
{
    const QVariant v = fieldValue(d->select, d->selectOnRow, field);
    return v.isNull() ? QString() : v.toString();
}

bool TDM::selectIsNull(const QString &field) const
{
    return fieldValue(d->select, d->selectOnRow, field).isNull();
}

QByteArray TDM::selectBlob(const QString &field) const
{
    return fieldValue(d->select, d->selectOnRow, field).toByteArray();
}
