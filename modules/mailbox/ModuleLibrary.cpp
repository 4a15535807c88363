#include "ModuleLibrary.h"

#include "ITremlinSvr1.h"
#include "ModuleEntry.h"
#include "ModuleState.h"
#include "TDM.h"

namespace zaskar {

ModuleLibrary::ModuleLibrary()
{
    registerITremlinSvr();
    // Owned here, not by the application: the host's application object
    // outlives this library's code.
    m_dataModule = new TDM;
    ModuleState::instance().setDataModule(m_dataModule);
}

ModuleLibrary::~ModuleLibrary()
{
    ModuleEntry::freeForm();
    ModuleState::instance().setDataModule(nullptr);
    delete m_dataModule;
}

} // namespace zaskar
