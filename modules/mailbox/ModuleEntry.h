#pragma once

#include "UserInfo.h"

#include <functional>

class QStringList;
class QWidget;
class TSoapConnection;
class THTTPRIO;

namespace zaskar {

// The work of a module library's two entry points, for any module form: a
// library's exported functions forward here with a factory for its form.
class ModuleEntry
{
public:
    // Creates the form as a child of the host panel.
    using FormFactory = std::function<QWidget *(QWidget *hostPanel)>;

    // Returns the existing form untouched (the arguments are then not
    // stored); otherwise stores the arguments, creates, stores and shows the
    // form. Errors of creating or showing propagate to the host.
    static QWidget *createForm(const FormFactory &factory, TSoapConnection *connection,
                               THTTPRIO *invoker, const TUserInfo &record,
                               QStringList *rightsList, QWidget *hostPanel);
    // Destroys the form, if any; the rest of the state stays.
    static void freeForm();
};

} // namespace zaskar
