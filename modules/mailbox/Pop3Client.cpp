#include "Pop3Client.h"

#include "Exception.h"

#include <QTcpSocket>

namespace {

QString text(const QByteArray &bytes)
{
    return QString::fromUtf8(bytes);
}

// Text of a "-ERR" line for the user; the bare status when the server gave none.
QString refusal(const QByteArray &status)
{
    const QByteArray rest = status.mid(4).trimmed();
    return rest.isEmpty() ? QStringLiteral("The POP3 server refused the command (-ERR).") : text(rest);
}

bool parseNumber(const QByteArray &field, qint64 *value)
{
    bool ok = false;
    *value = field.toLongLong(&ok);
    return ok && *value >= 0;
}

} // namespace

Pop3Client::Pop3Client() = default;

Pop3Client::~Pop3Client()
{
    // No QUIT here: leaving without it never removes messages.
    dropConnection();
}

QString Pop3Client::serverName() const
{
    return QStringLiteral("%1:%2").arg(m_host).arg(m_port);
}

bool Pop3Client::connected() const
{
    return m_socket && m_socket->state() == QAbstractSocket::ConnectedState;
}

void Pop3Client::connectToServer()
{
    dropConnection();
    if (m_host.trimmed().isEmpty())
        throw Exception(QStringLiteral("No POP3 server is configured."));

    m_socket = std::make_unique<QTcpSocket>();
    m_socket->connectToHost(m_host, quint16(m_port));
    if (!m_socket->waitForConnected(ConnectTimeoutMs)) {
        const QString reason = m_socket->error() == QAbstractSocket::SocketTimeoutError
            ? QStringLiteral("no answer within %1 s").arg(ConnectTimeoutMs / 1000)
            : m_socket->errorString();
        dropConnection();
        throw Exception(QStringLiteral("Cannot connect to the POP3 server %1: %2").arg(serverName(), reason));
    }

    try {
        bool ok = false;
        const QByteArray greeting = readStatus(&ok);
        if (!ok)
            throw Exception(refusal(greeting));
        command("USER " + m_user.toUtf8());
        command("PASS " + m_password.toUtf8());
    } catch (...) {
        // A half-open session is of no use; close it without QUIT.
        dropConnection();
        throw;
    }
}

void Pop3Client::disconnectFromServer()
{
    if (!connected()) {
        dropConnection();
        return;
    }
    QByteArray status;
    bool ok = false;
    try {
        ok = tryCommand("QUIT", &status);
    } catch (...) {
        dropConnection();
        throw;
    }
    dropConnection();
    if (!ok)
        throw Exception(refusal(status));
}

int Pop3Client::messageCount()
{
    const QByteArray status = command("STAT");
    const QList<QByteArray> fields = status.simplified().split(' ');
    qint64 count = 0;
    if (fields.size() < 2 || !parseNumber(fields.at(1), &count) || count > INT_MAX)
        throw Exception(QStringLiteral("Unexpected reply of the POP3 server to STAT: %1").arg(text(status)));
    return int(count);
}

qint64 Pop3Client::mailboxSize()
{
    QByteArray status;
    if (!tryCommand("LIST", &status))
        return -1;
    const QByteArray listing = readMultiLine();
    qint64 total = 0;
    bool readable = true;
    for (const QByteArray &line : listing.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() == 1 && fields.at(0).isEmpty())
            continue; // the empty piece after the last line break
        qint64 size = 0;
        if (fields.size() < 2 || !parseNumber(fields.at(1), &size))
            readable = false;
        else
            total += size;
    }
    return readable ? total : -1;
}

qint64 Pop3Client::messageSize(int number)
{
    QByteArray status;
    if (!tryCommand("LIST " + QByteArray::number(number), &status))
        return -1;
    const QList<QByteArray> fields = status.simplified().split(' ');
    qint64 size = 0;
    if (fields.size() < 3 || !parseNumber(fields.at(2), &size))
        return -1;
    return size;
}

QByteArray Pop3Client::headers(int number)
{
    command("TOP " + QByteArray::number(number) + " 0");
    return readMultiLine();
}

QByteArray Pop3Client::retrieve(int number)
{
    command("RETR " + QByteArray::number(number));
    return readMultiLine();
}

void Pop3Client::deleteMessage(int number)
{
    command("DELE " + QByteArray::number(number));
}

QByteArray Pop3Client::command(const QByteArray &line)
{
    QByteArray status;
    if (!tryCommand(line, &status))
        throw Exception(refusal(status));
    return status;
}

bool Pop3Client::tryCommand(const QByteArray &line, QByteArray *status)
{
    if (!connected())
        throw Exception(QStringLiteral("Not connected to the POP3 server."));
    sendLine(line);
    bool ok = false;
    *status = readStatus(&ok);
    return ok;
}

QByteArray Pop3Client::readStatus(bool *ok)
{
    const QByteArray line = readLine();
    if (line.startsWith("+OK")) {
        *ok = true;
    } else if (line.startsWith("-ERR")) {
        *ok = false;
    } else {
        // After garbage nothing that follows can be trusted.
        dropConnection();
        throw Exception(QStringLiteral("Unexpected reply of the POP3 server %1: %2")
                            .arg(serverName(), text(line.left(200))));
    }
    return line;
}

QByteArray Pop3Client::readMultiLine()
{
    QByteArray body;
    for (;;) {
        const QByteArray line = readLine();
        if (line == ".")
            return body;
        // Dot-unstuffing: a line the server began with a dot got a second one.
        if (line.startsWith('.'))
            body.append(line.constData() + 1, line.size() - 1);
        else
            body.append(line);
        body.append("\r\n");
    }
}

QByteArray Pop3Client::readLine()
{
    for (;;) {
        const int eol = m_buffer.indexOf('\n', m_bufferPos);
        if (eol >= 0) {
            int end = eol;
            if (end > m_bufferPos && m_buffer.at(end - 1) == '\r')
                --end;
            if (end - m_bufferPos > MaxLineLength) {
                dropConnection();
                throw Exception(QStringLiteral("The POP3 server sent a line longer than %1 bytes.").arg(MaxLineLength));
            }
            QByteArray line = m_buffer.mid(m_bufferPos, end - m_bufferPos);
            m_bufferPos = eol + 1;
            return line;
        }
        if (m_buffer.size() - m_bufferPos > MaxLineLength + 1) {
            dropConnection();
            throw Exception(QStringLiteral("The POP3 server sent a line longer than %1 bytes.").arg(MaxLineLength));
        }
        fillBuffer();
    }
}

void Pop3Client::fillBuffer()
{
    if (m_bufferPos > 0) {
        m_buffer.remove(0, m_bufferPos);
        m_bufferPos = 0;
    }
    if (!m_socket)
        throw Exception(QStringLiteral("Not connected to the POP3 server."));
    // Replies are awaited without a time limit.
    while (m_socket->bytesAvailable() == 0) {
        if (m_socket->state() != QAbstractSocket::ConnectedState || !m_socket->waitForReadyRead(-1))
            failConnection(m_socket->errorString());
    }
    m_buffer.append(m_socket->readAll());
}

void Pop3Client::sendLine(const QByteArray &line)
{
    const QByteArray data = line + "\r\n";
    if (m_socket->write(data) != data.size())
        failConnection(m_socket->errorString());
    // Straight to the socket; wait only when it cannot take it all at once.
    m_socket->flush();
    while (m_socket->bytesToWrite() > 0) {
        if (!m_socket->waitForBytesWritten(-1))
            failConnection(m_socket->errorString());
    }
}

void Pop3Client::failConnection(const QString &what)
{
    const QString name = serverName();
    dropConnection();
    throw Exception(QStringLiteral("Connection to the POP3 server %1 lost: %2").arg(name, what));
}

void Pop3Client::dropConnection()
{
    if (m_socket) {
        m_socket->abort();
        m_socket.reset();
    }
    m_buffer.clear();
    m_bufferPos = 0;
}
