#pragma once

#include "UserInfo.h"

#include <QByteArray>
#include <QString>

// An owning copy of a TUserInfo: the side that keeps a record copies the
// texts it was handed, and hands out a view whose pointers stay valid while
// this object lives and is not changed.
class SignInRecord
{
public:
    SignInRecord() = default;
    explicit SignInRecord(const TUserInfo &raw) { assign(raw); }

    void assign(const TUserInfo &raw);
    void clear() { assign(TUserInfo{}); }
    // Record as it crosses a library boundary (NULL for empty texts).
    const TUserInfo &raw() const { return m_raw; }

    int number() const { return m_raw.Number; }
    QString text1() const { return QString::fromUtf8(m_text1); }
    QString text2() const { return QString::fromUtf8(m_text2); }
    QString welcomeTail() const { return QString::fromUtf8(m_welcomeTail); }
    QString welcomeHead() const { return QString::fromUtf8(m_welcomeHead); }
    QString rights() const { return QString::fromUtf8(m_rights); }
    bool signedIn() const { return (m_raw.SignedIn & 0xFF) != 0; }

    void setNumber(int value);
    void setTexts(const QString &text1, const QString &text2, const QString &welcomeTail,
                  const QString &welcomeHead, const QString &rights);
    void setSignedIn(bool value);

    SignInRecord(const SignInRecord &other) { assign(other.raw()); }
    SignInRecord &operator=(const SignInRecord &other)
    {
        if (this != &other)
            assign(other.raw());
        return *this;
    }

private:
    void refresh();

    TUserInfo m_raw{};
    QByteArray m_text1, m_text2, m_welcomeTail, m_welcomeHead, m_rights;
};
