#pragma once

#include <QByteArray>
#include <QSharedPointer>
#include <QStringList>

namespace KMime {
class Content;
class Message;
}

// One MIME part of a retrieved message: an attachment (file name as it stood
// in the header, encoded words and all; content type; content decoded only
// when it is saved) or a text part (its lines, in display characters).
class MailPart
{
public:
    enum class Kind { Attachment, Text };

    MailPart(QSharedPointer<KMime::Message> message, KMime::Content *content);

    Kind kind() const { return m_kind; }
    bool isAttachment() const { return m_kind == Kind::Attachment; }
    const QByteArray &fileName() const { return m_fileName; }
    const QByteArray &contentType() const { return m_contentType; }
    QStringList lines() const;
    QByteArray decodedContent() const;

    // Writes the decoded content to the path, replacing the file only once
    // everything is written. Throws Exception ("Error saving attachment.")
    // with the file's error when that fails.
    void saveTo(const QString &path) const;

private:
    QSharedPointer<KMime::Message> m_message; // keeps m_content alive
    KMime::Content *m_content;
    Kind m_kind = Kind::Text;
    QByteArray m_fileName;
    QByteArray m_contentType;
};
