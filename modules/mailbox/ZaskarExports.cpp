// The two exported entry points of the Zaskar module library; everything
// else in the library is hidden.
#include "EntryPoints.h"
#include "ModuleEntry.h"
#include "ModuleLibrary.h"
#include "TDllForm1.h"

#include <type_traits>

#define ZASKAR_EXPORT extern "C" __attribute__((visibility("default")))

namespace {
zaskar::ModuleLibrary library;
}

ZASKAR_EXPORT QWidget *Create_FormInDllAsChild(TSoapConnection *connection, THTTPRIO *invoker,
                                               int32_t number, const char *text1, const char *text2,
                                               const char *welcomeTail, const char *welcomeHead,
                                               const char *rights, int32_t signedIn,
                                               QStringList *rightsList, QWidget *hostPanel,
                                               QStringList * /*parameterList: not read*/)
{
    const TUserInfo record{number, text1, text2, welcomeTail, welcomeHead, rights, signedIn};
    return zaskar::ModuleEntry::createForm([](QWidget *panel) { return new zaskar::TDllForm1(panel); },
                                           connection, invoker, record, rightsList, hostPanel);
}

ZASKAR_EXPORT void Free_FormInDllAsChild()
{
    zaskar::ModuleEntry::freeForm();
}

static_assert(std::is_same<decltype(&Create_FormInDllAsChild), ModuleCreateFormFn>::value,
              "Create_FormInDllAsChild must match the host's declaration");
static_assert(std::is_same<decltype(&Free_FormInDllAsChild), ModuleFreeFormFn>::value,
              "Free_FormInDllAsChild must match the host's declaration");
