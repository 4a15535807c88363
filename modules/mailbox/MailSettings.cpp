#include "MailSettings.h"

#include "IniFile.h"
#include "LibraryPath.h"

#include <QDir>

namespace {

QString &directoryOverride()
{
    static QString dir;
    return dir;
}

int portOf(const QString &text, int fallback)
{
    int value = 0;
    return TIniFile::parseDecimal(text, &value) ? value : fallback;
}

} // namespace

MailSettings MailSettings::load(const QString &fileName)
{
    const TIniFile ini(fileName);
    MailSettings s;
    s.pop3Server = ini.readString("Pop3", "ServerName", QString());
    s.pop3Port = portOf(ini.readString("Pop3", "ServerPort", "110"), 110);
    s.pop3User = ini.readString("Pop3", "ServerUser", QString());
    s.pop3Password = ini.readString("Pop3", "ServerPassword", QString());
    s.smtpServer = ini.readString("Smtp", "ServerName", QString());
    s.smtpPort = portOf(ini.readString("Smtp", "ServerPort", "25"), 25);
    s.smtpUser = ini.readString("Smtp", "ServerUser", QString());
    s.smtpPassword = ini.readString("Smtp", "ServerPassword", QString());
    s.personalEmail = ini.readString("Email", "PersonalEmail", QString());
    s.smtpAuthenticationType = ini.readInteger("Smtp", "SMTPAuthenticationType", 0);
    return s;
}

QString MailSettings::defaultFileName()
{
    const QString dir = directoryOverride().isEmpty() ? LibraryPath::programDir()
                                                      : QDir(directoryOverride()).absolutePath() + QLatin1Char('/');
    return dir + QStringLiteral("Mail.ini");
}

void MailSettings::setDirectory(const QString &directory)
{
    directoryOverride() = directory;
}
