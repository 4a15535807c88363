#pragma once

#include <QString>
#include <exception>

// The plain error of the system: a message and nothing else. Handlers raise it,
// ErrorGuard catches it at the event-handler boundary. It must never unwind
// through Qt's event loop.
class Exception : public std::exception
{
public:
    explicit Exception(const QString &message);

    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

    // Text of any caught exception, for re-raising as a plain error.
    static QString messageOf(const std::exception &e);

private:
    QString m_message;
    QByteArray m_utf8;
};
