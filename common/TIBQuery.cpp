#include "TIBQuery.h"

#include "Exception.h"
#include "PictureLoader.h"

#include <QSqlError>
#include <QSqlQuery>
#include <cmath>

TIBQuery::TIBQuery(TIBDatabase *database, TIBTransaction *transaction, QObject *parent)
    : TIBStatement(database, transaction, parent)
{
}

void TIBQuery::open()
{
    QSqlQuery &q = run();
    m_record = q.record();
    m_eof = !q.next();
    if (m_eof && q.lastError().isValid())
        fail(QStringLiteral("The first row cannot be read"));
    m_empty = m_eof;
}

void TIBQuery::close()
{
    TIBStatement::close();
    m_record.clear();
    m_empty = true;
    m_eof = true;
}

void TIBQuery::next()
{
    if (!isActive() || m_eof)
        return;
    m_eof = !query()->next();
    if (m_eof && query()->lastError().isValid())
        fail(QStringLiteral("The next row cannot be read"));
}

bool TIBQuery::fieldExists(const QString &name) const
{
    return m_record.indexOf(name) >= 0;
}

int TIBQuery::indexOf(const QString &name) const
{
    if (!isActive())
        throw Exception(QStringLiteral("The query is not open: %1").arg(sql()));
    const int index = m_record.indexOf(name);
    if (index < 0)
        throw Exception(QStringLiteral("Field \"%1\" not found").arg(name));
    return index;
}

QVariant TIBQuery::value(const QString &name) const
{
    const int index = indexOf(name);
    if (m_eof)
        return QVariant();
    return query()->value(index);
}

bool TIBQuery::isNull(const QString &name) const
{
    const int index = indexOf(name);
    return m_eof || query()->isNull(index);
}

QString TIBQuery::asString(const QString &name) const
{
    if (isNull(name))
        return QString();
    return value(name).toString();
}

int TIBQuery::asInteger(const QString &name) const
{
    if (isNull(name))
        return 0;
    const QVariant v = value(name);
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok)
        throw Exception(QStringLiteral("Field \"%1\" is not a number: %2").arg(name, v.toString()));
    return int(std::lround(d));
}

double TIBQuery::asDouble(const QString &name) const
{
    if (isNull(name))
        return 0;
    return value(name).toDouble();
}

QByteArray TIBQuery::asBytes(const QString &name) const
{
    if (isNull(name))
        return QByteArray();
    return value(name).toByteArray();
}

std::optional<QImage> TIBQuery::asPicture(const QString &name) const
{
    if (isNull(name))
        return std::nullopt;
    try {
        return PictureLoader::load(asBytes(name));
    } catch (const Exception &e) {
        throw Exception(QStringLiteral("%1: %2").arg(name, e.message()));
    }
}

std::optional<QIcon> TIBQuery::asIcon(const QString &name) const
{
    const QByteArray bytes = asBytes(name);
    if (bytes.isEmpty())
        return std::nullopt;
    try {
        return PictureLoader::loadIcon(bytes);
    } catch (const Exception &e) {
        throw Exception(QStringLiteral("%1: %2").arg(name, e.message()));
    }
}
