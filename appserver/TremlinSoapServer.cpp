#include "TremlinSoapServer.h"

#include "ServerDatabase.h"
#include "TremlinServerObject.h"

#include <QDateTime>
#include <cstdio>

TremlinSoapServer::TremlinSoapServer(ServerDatabase *db, UploadStore *uploads, const Paths &paths, QObject *parent)
    : KDSoapServer(parent)
    , m_db(db)
    , m_uploads(uploads)
    , m_paths(paths)
{
    setPath(m_paths.dataAccess);
    setUse(KDSoapMessage::EncodedUse);
}

QObject *TremlinSoapServer::createServerObject()
{
    return new TremlinServerObject(this);
}

const QString &TremlinSoapServer::catalogueBase64()
{
    if (m_catalogue.isEmpty())
        m_catalogue = QString::fromLatin1(m_db->cataloguePacket().toBase64());
    return m_catalogue;
}

QString TremlinSoapServer::baseUrl() const
{
    return QStringLiteral("http://%1:%2").arg(m_publicHost).arg(serverPort());
}

void TremlinSoapServer::logRequest(const QString &line)
{
    const QByteArray text = QDateTime::currentDateTime().toString(Qt::ISODateWithMs).toUtf8() + ' ' + line.toUtf8() + '\n';
    fputs(text.constData(), stderr);
    fflush(stderr);
}
