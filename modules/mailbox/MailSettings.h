#pragma once

#include <QString>

// The mail settings of the module, read from Mail.ini in the host program's
// directory (never written). A missing or unreadable file gives the defaults.
class MailSettings
{
public:
    QString pop3Server;
    int pop3Port = 110;
    QString pop3User;
    QString pop3Password;
    // Read and kept, used by nothing.
    QString smtpServer;
    int smtpPort = 25;
    QString smtpUser;
    QString smtpPassword;
    QString personalEmail;
    int smtpAuthenticationType = 0;

    static MailSettings load(const QString &fileName);
    // <host program's directory>/Mail.ini, or the directory set for tests.
    static QString defaultFileName();
    static void setDirectory(const QString &directory);
};
