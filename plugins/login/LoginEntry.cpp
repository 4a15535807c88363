#include "EntryPoints.h"
#include "Exception.h"
#include "SignInClient.h"
#include "SignInRecord.h"
#include "TLoginDialog.h"

// The record's texts must outlive the call: they stay here, in the plug-in,
// which the host never unloads.
static SignInRecord signedInUser;

// Without a person (tests, demo): TREMLIN_LOGIN_CANCEL=1 declines at once;
// TREMLIN_LOGIN_USER (with TREMLIN_LOGIN_PASSWORD) signs in once without a
// window, and a refusal or an unreachable server raises its message.
extern "C" Q_DECL_EXPORT void Create_FormInDllAsChild(TSoapConnection *connection, TUserInfo *record)
{
    if (qEnvironmentVariableIntValue("TREMLIN_LOGIN_CANCEL") != 0)
        return;
    if (qEnvironmentVariableIsSet("TREMLIN_LOGIN_USER")) {
        signedInUser = SignInClient::signIn(connection, qEnvironmentVariable("TREMLIN_LOGIN_USER"),
                                            qEnvironmentVariable("TREMLIN_LOGIN_PASSWORD"));
    } else {
        TLoginDialog dialog(connection);
        if (dialog.exec() != QDialog::Accepted)
            return;
        signedInUser = dialog.record();
    }
    *record = signedInUser.raw();
}

static_assert(std::is_same<decltype(&Create_FormInDllAsChild), LoginCreateFormFn>::value,
              "the entry point matches the host's declaration");
