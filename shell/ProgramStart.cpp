#include "ProgramStart.h"

#include "ErrorGuard.h"
#include "LoginPlugin.h"
#include "TDM.h"
#include "TmainForm.h"

constexpr const char ProgramStart::LoginPluginName[];

ProgramStart::ProgramStart(TDM *dm)
    : m_dm(dm)
{
}

TmainForm *ProgramStart::signIn()
{
    m_failed = !ErrorGuard::run([this] {
        LoginPlugin::RunLoginPlugin(QString::fromLatin1(LoginPluginName), m_dm->programDir(), m_dm->SoapConn, m_user);
    });
    if (m_failed || !m_user.signedIn())
        return nullptr;
    return new TmainForm(m_dm, m_user);
}
