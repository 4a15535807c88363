#include "Exception.h"

Exception::Exception(const QString &message)
    : m_message(message)
    , m_utf8(message.toUtf8())
{
}

QString Exception::messageOf(const std::exception &e)
{
    if (auto plain = dynamic_cast<const Exception *>(&e))
        return plain->message();
    return QString::fromUtf8(e.what());
}
