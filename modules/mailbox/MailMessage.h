#pragma once

#include "MailPart.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QSharedPointer>

namespace KMime {
class Message;
}

// A message parsed from the bytes a POP3 server sent (CRLF line ends), either
// headers only (TOP) or whole (RETR). Header texts come back raw: encoded
// words are left for DecodeHeaderText, 8-bit bytes as they were sent.
class MailMessage
{
public:
    MailMessage();

    void clear();
    void parse(const QByteArray &raw);

    QByteArray subject() const { return header("Subject"); }
    QByteArray fromText() const;  // "name <address>", or the bare address
    QByteArray toText() const;    // every "To" recipient, joined by ", "
    QByteArray ccText() const;
    QDateTime date() const;       // local time; invalid when the message has none
    QByteArray organization() const { return header("Organization"); }
    int priority() const;         // 1 (highest) to 5 (lowest), 3 when none is given
    QByteArray receiptRecipient() const;
    // In message order; a message that is not multipart is its own one part.
    const QList<MailPart> &parts() const { return m_parts; }

    // The unfolded raw text of a header, empty when it is missing.
    QByteArray header(const char *name) const;

private:
    void collectParts(KMime::Content *content);
    QByteArray addressList(const char *name) const;

    QSharedPointer<KMime::Message> m_message;
    QByteArray m_head; // LF line ends
    QList<MailPart> m_parts;
};
