#pragma once

#include "UserInfo.h"

#include <QStringList>

class QWidget;
class TSoapConnection;
class THTTPRIO;

// The entry points that cross a library boundary. Host and libraries share
// one Qt instance, so Qt objects are passed by pointer. An entry point may
// throw; the caller catches and re-raises a plain Exception with the message.
extern "C" {

// Login plug-in: fills the zeroed record; the result is ignored.
typedef void (*LoginCreateFormFn)(TSoapConnection *connection, TUserInfo *record);

// Module library: the twelve arguments of the host, the module's form back.
typedef QWidget *(*ModuleCreateFormFn)(TSoapConnection *connection, THTTPRIO *invoker,
                                       int32_t number, const char *text1, const char *text2,
                                       const char *welcomeTail, const char *welcomeHead,
                                       const char *rights, int32_t signedIn,
                                       QStringList *rightsList, QWidget *hostPanel,
                                       QStringList *parameterList);

typedef void (*ModuleFreeFormFn)();
}

namespace EntryPoints {
constexpr const char CreateForm[] = "Create_FormInDllAsChild";
constexpr const char FreeForm[] = "Free_FormInDllAsChild";
// A module form sets this property to true while a blocking call of its own
// processes window events; the host then postpones releasing the module
// (its code is still running) until the property is false again.
constexpr const char BusyProperty[] = "moduleBusy";
} // namespace EntryPoints
