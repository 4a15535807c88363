#include "SignInRecord.h"

namespace {
QByteArray copyText(const char *text)
{
    return text ? QByteArray(text) : QByteArray();
}

const char *viewOf(const QByteArray &text)
{
    return text.isEmpty() ? nullptr : text.constData();
}
} // namespace

void SignInRecord::assign(const TUserInfo &raw)
{
    // Copy first: raw may point into this record.
    QByteArray t1 = copyText(raw.Text1), t2 = copyText(raw.Text2), tail = copyText(raw.WelcomeTail),
               head = copyText(raw.WelcomeHead), rights = copyText(raw.Rights);
    m_raw.Number = raw.Number;
    m_raw.SignedIn = raw.SignedIn;
    m_text1 = t1;
    m_text2 = t2;
    m_welcomeTail = tail;
    m_welcomeHead = head;
    m_rights = rights;
    refresh();
}

void SignInRecord::refresh()
{
    m_raw.Text1 = viewOf(m_text1);
    m_raw.Text2 = viewOf(m_text2);
    m_raw.WelcomeTail = viewOf(m_welcomeTail);
    m_raw.WelcomeHead = viewOf(m_welcomeHead);
    m_raw.Rights = viewOf(m_rights);
}

void SignInRecord::setNumber(int value)
{
    m_raw.Number = value;
}

void SignInRecord::setTexts(const QString &text1, const QString &text2, const QString &welcomeTail,
                            const QString &welcomeHead, const QString &rights)
{
    m_text1 = text1.toUtf8();
    m_text2 = text2.toUtf8();
    m_welcomeTail = welcomeTail.toUtf8();
    m_welcomeHead = welcomeHead.toUtf8();
    m_rights = rights.toUtf8();
    refresh();
}

void SignInRecord::setSignedIn(bool value)
{
    m_raw.SignedIn = value ? 1 : 0;
}
