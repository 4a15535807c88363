#include "ModuleLibrary.h"

#include "ITremlinSvr1.h"
#include "ModuleEntry.h"

namespace zaskar {

ModuleLibrary::ModuleLibrary()
{
    registerITremlinSvr();
}

ModuleLibrary::~ModuleLibrary()
{
    ModuleEntry::freeForm();
}

} // namespace zaskar
