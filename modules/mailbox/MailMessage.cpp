#include "MailMessage.h"

#include <KMime/HeaderParsing>
#include <KMime/Message>
#include <dlfcn.h>

namespace {

// The MIME libraries leave objects behind in the application when they are
// unloaded, and a later load of the module then crashes on them. The host
// unloads this module at will, so they stay mapped once loaded.
struct KeepMimeLibrariesLoaded {
    KeepMimeLibrariesLoaded()
    {
        for (const char *name : {"libKF5Codecs.so.5", "libKF5Mime.so.5"})
            dlopen(name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
    }
} keepMimeLibrariesLoaded;

// Splits a raw address list at the commas that stand outside quotes, angle
// brackets and comments.
QList<QByteArray> splitAddresses(const QByteArray &raw)
{
    QList<QByteArray> items;
    QByteArray current;
    bool quoted = false;
    int angle = 0;
    int comment = 0;
    for (int i = 0; i < raw.size(); ++i) {
        const char c = raw.at(i);
        if (quoted && c == '\\' && i + 1 < raw.size()) {
            current += c;
            current += raw.at(++i);
            continue;
        }
        if (c == '"' && comment == 0)
            quoted = !quoted;
        else if (!quoted && c == '(')
            ++comment;
        else if (!quoted && c == ')' && comment > 0)
            --comment;
        else if (!quoted && comment == 0 && c == '<')
            ++angle;
        else if (!quoted && comment == 0 && c == '>' && angle > 0)
            --angle;
        if (c == ',' && !quoted && angle == 0 && comment == 0) {
            items << current.trimmed();
            current.clear();
        } else {
            current += c;
        }
    }
    items << current.trimmed();
    items.removeAll(QByteArray());
    return items;
}

// "name <address>" with the name's quotes removed, or the bare address.
QByteArray addressText(const QByteArray &item)
{
    const int open = item.lastIndexOf('<');
    const int close = item.lastIndexOf('>');
    if (open < 0 || close < open)
        return item;
    const QByteArray address = item.mid(open + 1, close - open - 1).trimmed();
    QByteArray name = item.left(open).trimmed();
    if (name.size() >= 2 && name.startsWith('"') && name.endsWith('"'))
        name = name.mid(1, name.size() - 2).replace("\\\"", "\"");
    return name.isEmpty() ? address : name + " <" + address + ">";
}

} // namespace

MailMessage::MailMessage()
{
    clear();
}

void MailMessage::clear()
{
    m_parts.clear();
    m_head.clear();
    m_message.reset(new KMime::Message);
}

void MailMessage::parse(const QByteArray &raw)
{
    clear();
    const QByteArray content = KMime::CRLFtoLF(raw);
    QByteArray body;
    KMime::HeaderParsing::extractHeaderAndBody(content, m_head, body);
    // Headers alone (a check's TOP) need no parse of the whole message,
    // which costs more than the exchange with the server.
    if (body.isEmpty())
        return;
    m_message->setContent(content);
    m_message->parse();
    m_head = m_message->head();
    collectParts(m_message.data());
}

void MailMessage::collectParts(KMime::Content *content)
{
    // An enclosed message is one attachment, not a source of further parts.
    const QVector<KMime::Content *> children =
        content->bodyIsMessage() ? QVector<KMime::Content *>() : content->contents();
    if (children.isEmpty()) {
        // A headers-only message has no body to show as a part.
        if (content != m_message.data() || !m_message->body().isEmpty() || m_message->bodyIsMessage())
            m_parts.append(MailPart(m_message, content));
        return;
    }
    for (KMime::Content *child : children)
        collectParts(child);
}

QByteArray MailMessage::header(const char *name) const
{
    return KMime::extractHeader(m_head, name).trimmed();
}

QByteArray MailMessage::addressList(const char *name) const
{
    QList<QByteArray> texts;
    for (const QByteArray &item : splitAddresses(header(name)))
        texts << addressText(item);
    return texts.join(", ");
}

QByteArray MailMessage::fromText() const
{
    return addressList("From");
}

QByteArray MailMessage::toText() const
{
    return addressList("To");
}

QByteArray MailMessage::ccText() const
{
    return addressList("Cc");
}

QDateTime MailMessage::date() const
{
    const QByteArray raw = header("Date");
    if (raw.isEmpty())
        return QDateTime();
    KMime::Headers::Date date;
    date.from7BitString(raw);
    return date.dateTime().isValid() ? date.dateTime().toLocalTime() : QDateTime();
}

int MailMessage::priority() const
{
    const QByteArray x = header("X-Priority");
    if (!x.isEmpty() && x.at(0) >= '1' && x.at(0) <= '5')
        return x.at(0) - '0';
    const QByteArray importance = header("Importance").toLower();
    if (importance == "high")
        return 1;
    if (importance == "low")
        return 5;
    return 3;
}

QByteArray MailMessage::receiptRecipient() const
{
    const QByteArray disposition = header("Disposition-Notification-To");
    return disposition.isEmpty() ? header("Return-Receipt-To") : disposition;
}
