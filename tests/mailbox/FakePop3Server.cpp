#include "FakePop3Server.h"

#include <QElapsedTimer>
#include <QMutexLocker>
#include <QTcpServer>
#include <QTcpSocket>

namespace {
constexpr int StepTimeoutMs = 10000;
constexpr int TrailingTimeoutMs = 2000;
}

FakePop3Server::FakePop3Server(const QByteArray &transcript)
{
    addTranscript(transcript);
}

FakePop3Server::~FakePop3Server()
{
    wait();
}

void FakePop3Server::addTranscript(const QByteArray &transcript)
{
    for (QByteArray line : transcript.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        if (line.startsWith("C: "))
            expect(line.mid(3));
        else if (line.startsWith("S: "))
            reply(line.mid(3));
        else if (line.trimmed() == "CLOSE")
            addClose();
        else if (line.trimmed() == "ACCEPT")
            addAccept();
        else
            qFatal("Bad transcript line: %s", line.constData());
    }
}

void FakePop3Server::expect(const QByteArray &line) { m_steps.append({Kind::Expect, line}); }
void FakePop3Server::reply(const QByteArray &line) { m_steps.append({Kind::Send, line + "\r\n"}); }
void FakePop3Server::replyRaw(const QByteArray &bytes) { m_steps.append({Kind::Send, bytes}); }
void FakePop3Server::addClose() { m_steps.append({Kind::Close, {}}); }
void FakePop3Server::addAccept() { m_steps.append({Kind::Accept, {}}); }

quint16 FakePop3Server::start()
{
    QThread::start();
    m_listening.acquire();
    return m_port;
}

bool FakePop3Server::finish(int timeoutMs)
{
    return wait(timeoutMs);
}

QStringList FakePop3Server::failures() const
{
    QMutexLocker lock(&m_mutex);
    return m_failures;
}

int FakePop3Server::remainingSteps() const
{
    QMutexLocker lock(&m_mutex);
    return m_steps.size() - m_done;
}

QList<QByteArray> FakePop3Server::received() const
{
    QMutexLocker lock(&m_mutex);
    return m_received;
}

QString FakePop3Server::problems() const
{
    QStringList all = failures();
    const int left = remainingSteps();
    if (left > 0)
        all << QStringLiteral("%1 transcript step(s) not played").arg(left);
    return all.join(QLatin1String("; "));
}

void FakePop3Server::fail(const QString &text)
{
    QMutexLocker lock(&m_mutex);
    m_failures << text;
}

void FakePop3Server::run()
{
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, 0))
        fail(QStringLiteral("listen: ") + server.errorString());
    m_port = server.serverPort();
    m_listening.release();

    QTcpSocket *socket = nullptr;
    auto accept = [&]() -> bool {
        delete socket;
        socket = nullptr;
        if (!server.waitForNewConnection(StepTimeoutMs)) {
            fail(QStringLiteral("no connection from the client"));
            return false;
        }
        socket = server.nextPendingConnection();
        return true;
    };
    auto readLine = [&](QByteArray *line, int timeoutMs) -> bool {
        QElapsedTimer timer;
        timer.start();
        while (!socket->canReadLine()) {
            if (socket->state() != QAbstractSocket::ConnectedState || timer.elapsed() > timeoutMs)
                return false;
            socket->waitForReadyRead(100);
        }
        *line = socket->readLine();
        line->chop(line->endsWith("\r\n") ? 2 : 1);
        QMutexLocker lock(&m_mutex);
        m_received << *line;
        return true;
    };

    bool ok = accept();
    for (int i = 0; ok && i < m_steps.size(); ++i) {
        const Step &step = m_steps.at(i);
        switch (step.kind) {
        case Kind::Accept:
            ok = accept();
            break;
        case Kind::Close:
            if (socket) {
                socket->flush();
                socket->disconnectFromHost();
                if (socket->state() != QAbstractSocket::UnconnectedState)
                    socket->waitForDisconnected(1000);
            }
            break;
        case Kind::Send:
            if (!socket || socket->state() != QAbstractSocket::ConnectedState) {
                fail(QStringLiteral("client gone before the reply %1").arg(QString::fromUtf8(step.data.trimmed())));
                ok = false;
                break;
            }
            socket->write(step.data);
            while (socket->bytesToWrite() > 0 && socket->waitForBytesWritten(StepTimeoutMs)) {}
            break;
        case Kind::Expect: {
            QByteArray line;
            if (!socket || !readLine(&line, StepTimeoutMs)) {
                fail(QStringLiteral("expected \"%1\", the client sent nothing").arg(QString::fromUtf8(step.data)));
                ok = false;
            } else if (line != step.data) {
                fail(QStringLiteral("unexpected command \"%1\", expected \"%2\"")
                         .arg(QString::fromUtf8(line), QString::fromUtf8(step.data)));
                ok = false;
            }
            break;
        }
        }
        if (ok) {
            QMutexLocker lock(&m_mutex);
            m_done = i + 1;
        }
    }

    // Anything the client sends after the transcript is unexpected too.
    if (ok && socket && socket->state() == QAbstractSocket::ConnectedState) {
        QByteArray line;
        if (readLine(&line, TrailingTimeoutMs) || socket->bytesAvailable() > 0)
            fail(QStringLiteral("unexpected command \"%1\" after the end of the transcript")
                     .arg(QString::fromUtf8(line.isEmpty() ? socket->readAll() : line)));
    }
    if (socket)
        socket->abort();
    delete socket;
}
