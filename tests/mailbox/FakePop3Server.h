#pragma once

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QSemaphore>
#include <QStringList>
#include <QThread>

// A scripted POP3 server on 127.0.0.1, port 0, in its own thread. The
// transcript holds "C: line" (the exact line the client must send next),
// "S: line" (a canned reply line), "ACCEPT" (wait for the next connection)
// and "CLOSE" (drop the connection). The first step waits for a connection
// by itself. A client line that differs from the transcript is recorded as
// a failure and the connection is dropped.
class FakePop3Server : public QThread
{
    Q_OBJECT
public:
    explicit FakePop3Server(const QByteArray &transcript = QByteArray());
    ~FakePop3Server() override;

    void addTranscript(const QByteArray &transcript);
    void expect(const QByteArray &line);
    void reply(const QByteArray &line);
    void replyRaw(const QByteArray &bytes); // sent as it is, no line break added
    void addClose();
    void addAccept();

    // Starts listening; returns the port.
    quint16 start();
    // Waits for the end of the script (and of the client's connection).
    bool finish(int timeoutMs = 20000);

    QStringList failures() const;
    int remainingSteps() const;
    QList<QByteArray> received() const;
    // Failures and unplayed steps as one text, empty when all went to plan.
    QString problems() const;

protected:
    void run() override;

private:
    enum class Kind { Expect, Send, Close, Accept };
    struct Step {
        Kind kind;
        QByteArray data;
    };
    void fail(const QString &text);

    QList<Step> m_steps;
    mutable QMutex m_mutex;
    QStringList m_failures;
    QList<QByteArray> m_received;
    int m_done = 0;
    quint16 m_port = 0;
    QSemaphore m_listening;
};
