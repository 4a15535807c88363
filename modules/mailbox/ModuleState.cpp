#include "ModuleState.h"

namespace zaskar {

ModuleState &ModuleState::instance()
{
    static ModuleState state;
    return state;
}

void ModuleState::store(TSoapConnection *connection, THTTPRIO *invoker, const TUserInfo &record,
                        QStringList *rightsList, QWidget *hostPanel)
{
    m_connection = connection;
    m_invoker = invoker;
    m_signIn.assign(record);
    m_rightsList = rightsList;
    m_hostPanel = hostPanel;
}

} // namespace zaskar
