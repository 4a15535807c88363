#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class QTcpSocket;

// A blocking RFC 1939 client: every call waits for the server's answer on the
// calling thread without processing events, and raises Exception with the
// server's "-ERR" text or the connection's message when it fails. Meant for
// the UI thread of the mailbox; do not share one instance between threads.
// Replies are read without a time limit; only the connect attempt has one.
class Pop3Client
{
public:
    // A reply line longer than this (without its line break) is an error.
    static constexpr int MaxLineLength = 65536;
    static constexpr int ConnectTimeoutMs = 15000;

    Pop3Client();
    ~Pop3Client();
    Pop3Client(const Pop3Client &) = delete;
    Pop3Client &operator=(const Pop3Client &) = delete;

    void setHost(const QString &host) { m_host = host; }
    void setPort(int port) { m_port = port; }
    void setUserName(const QString &user) { m_user = user; }
    void setPassword(const QString &password) { m_password = password; }
    const QString &host() const { return m_host; }
    int port() const { return m_port; }

    // Opens the connection, reads the greeting, logs in with USER and PASS.
    void connectToServer();
    bool connected() const;
    // QUIT (the server then removes the messages deleted in this session)
    // and close. Does nothing when not connected.
    void disconnectFromServer();

    int messageCount();               // STAT
    qint64 mailboxSize();             // LIST, the sum of the sizes; -1 when refused or unreadable
    qint64 messageSize(int number);   // LIST n; -1 when refused or unreadable
    QByteArray headers(int number);   // TOP n 0, the header lines as sent (CRLF)
    QByteArray retrieve(int number);  // RETR n, the whole message as sent (CRLF)
    void deleteMessage(int number);   // DELE n

private:
    // Sends one command and reads its status line; "-ERR" raises.
    QByteArray command(const QByteArray &line);
    // Like command, but a "-ERR" comes back as false with the line in status.
    bool tryCommand(const QByteArray &line, QByteArray *status);
    QByteArray readStatus(bool *ok);
    QByteArray readMultiLine();
    QByteArray readLine();
    void sendLine(const QByteArray &line);
    void fillBuffer();
    [[noreturn]] void failConnection(const QString &what);
    void dropConnection();
    QString serverName() const;

    QString m_host;
    int m_port = 110;
    QString m_user;
    QString m_password;
    std::unique_ptr<QTcpSocket> m_socket;
    QByteArray m_buffer;
    int m_bufferPos = 0;
};
