#pragma once

#include "SignInRecord.h"

#include <QString>

class TDM;
class TmainForm;

// Steps 3 and 4 of the program start: the sign-in through the login plug-in
// and, when it succeeds, the main window. Holds the program-wide sign-in
// record, so it must live as long as the main window.
class ProgramStart
{
public:
    static constexpr const char LoginPluginName[] = "Login.dll";

    explicit ProgramStart(TDM *dm);

    // The main window (not yet shown, owned by the caller), or nullptr: the
    // user declined (quiet end) or the sign-in failed, which has then been
    // shown in the error box (failed() is true).
    TmainForm *signIn();

    const SignInRecord &user() const { return m_user; }
    bool failed() const { return m_failed; }

private:
    TDM *m_dm;
    SignInRecord m_user;
    bool m_failed = false;
};
