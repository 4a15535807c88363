#include "MailPart.h"

#include "Exception.h"
#include "TextCodec.h"

#include <KMime/Message>
#include <QSaveFile>
#include <QTextCodec>

namespace {

// Value of one parameter of a raw header ("name=value" after ';'), quotes
// removed, encoded words left as they stand.
QByteArray rawParameter(const QByteArray &header, const QByteArray &name)
{
    QList<QByteArray> params;
    QByteArray current;
    bool quoted = false;
    for (int i = 0; i < header.size(); ++i) {
        const char c = header.at(i);
        if (c == '\\' && quoted && i + 1 < header.size()) {
            current += header.at(++i);
            continue;
        }
        if (c == '"')
            quoted = !quoted;
        if (c == ';' && !quoted) {
            params << current;
            current.clear();
        } else {
            current += c;
        }
    }
    params << current;
    for (int i = 1; i < params.size(); ++i) {
        const int eq = params.at(i).indexOf('=');
        if (eq < 0 || params.at(i).left(eq).trimmed().toLower() != name)
            continue;
        QByteArray value = params.at(i).mid(eq + 1).trimmed();
        if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
            value = value.mid(1, value.size() - 2);
        return value;
    }
    return QByteArray();
}

QByteArray rawFileName(KMime::Content *content)
{
    const QByteArray head = KMime::CRLFtoLF(content->head());
    QByteArray name = rawParameter(KMime::extractHeader(head, "Content-Disposition"), "filename");
    if (name.isEmpty())
        name = rawParameter(KMime::extractHeader(head, "Content-Type"), "name");
    if (name.isEmpty()) {
        // RFC 2231 forms ("filename*=") are decoded by the parser already.
        if (auto *cd = content->contentDisposition(false))
            name = cd->filename().toUtf8();
        if (name.isEmpty()) {
            if (auto *ct = content->contentType(false))
                name = ct->name().toUtf8();
        }
    }
    return name;
}

} // namespace

MailPart::MailPart(QSharedPointer<KMime::Message> message, KMime::Content *content)
    : m_message(std::move(message))
    , m_content(content)
{
    auto *ct = content->contentType(false);
    m_contentType = ct ? ct->mimeType() : QByteArray("text/plain");
    if (m_contentType.isEmpty())
        m_contentType = "text/plain";
    m_fileName = rawFileName(content);
    auto *cd = content->contentDisposition(false);
    const bool attachmentDisposition = cd && cd->disposition() == KMime::Headers::CDattachment;
    const bool text = m_contentType.startsWith("text/");
    m_kind = (attachmentDisposition || !m_fileName.isEmpty() || !text) ? Kind::Attachment : Kind::Text;
}

QByteArray MailPart::decodedContent() const
{
    // An enclosed message is parsed into its own tree; save it as it was sent.
    if (m_content->bodyIsMessage() && m_content->bodyAsMessage())
        return m_content->bodyAsMessage()->encodedContent();
    return m_content->decodedContent();
}

QStringList MailPart::lines() const
{
    QString text;
    auto *ct = m_content->contentType(false);
    const QByteArray charset = ct ? ct->charset() : QByteArray();
    if (!charset.isEmpty() && QTextCodec::codecForName(charset))
        text = m_content->decodedText();
    else
        text = TextCodec::toDisplay(m_content->decodedContent());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    // Line breaks at the end are no lines of the text.
    while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

void MailPart::saveTo(const QString &path) const
{
    const QByteArray data = decodedContent();
    QSaveFile file(path);
    QString reason;
    if (!file.open(QIODevice::WriteOnly))
        reason = file.errorString();
    else if (file.write(data) != data.size() || !file.commit())
        reason = file.errorString();
    if (!reason.isEmpty()) {
        file.cancelWriting();
        throw Exception(QStringLiteral("Error saving attachment.\n%1: %2").arg(path, reason));
    }
}
