#include "ModuleEntry.h"

#include "ModuleState.h"

namespace zaskar {

QWidget *ModuleEntry::createForm(const FormFactory &factory, TSoapConnection *connection,
                                 THTTPRIO *invoker, const TUserInfo &record,
                                 QStringList *rightsList, QWidget *hostPanel)
{
    ModuleState &state = ModuleState::instance();
    if (QWidget *existing = state.form())
        return existing;
    // The panel is stored first: the form sizes itself to it while it loads.
    state.store(connection, invoker, record, rightsList, hostPanel);
    QWidget *form = factory(hostPanel);
    // Stored before showing: a form whose show fails stays the module's form.
    state.setForm(form);
    form->show();
    return form;
}

void ModuleEntry::freeForm()
{
    ModuleState &state = ModuleState::instance();
    QWidget *form = state.form();
    state.setForm(nullptr);
    delete form;
}

} // namespace zaskar
