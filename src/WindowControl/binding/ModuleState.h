#pragma once

#include <node_api.h>

namespace WindowControlNode {

// What the module keeps across calls, one copy per loaded module.
struct ModuleState
{
    napi_env env = nullptr;                 // the environment the class was registered in
    napi_ref constructor = nullptr;         // the class's constructor, for calls without new
    napi_ref callback = nullptr;            // the notification callback, when SetCallback got a function
    bool bUnloading = false;                // the environment is going away: no more calls into it
    bool bExiting = false;                  // process exit has begun: no notification reaches the script
    bool bExceptionPending = false;         // the callback's exception is on its way to a method's caller
    int iScriptCallDepth = 0;               // > 0 while one of the class's methods runs
    int iDeliveryDepth = 0;                 // > 0 while a notification reaches the callback
    int iDeliveryCallDepth = 0;             // iScriptCallDepth when the innermost delivery began
};

// Never destroyed by static destructors: at process exit the engine may already be gone.
ModuleState &moduleState();

// Forgets the notification callback (a collected object, SetCallback, the module's end).
void resetCallback(ModuleState &state);

// Marks a method call of the class, so that a notification raised inside it is told
// from one raised by a Qt event (a shell may open a callback scope for those too).
// Control passes from the script to the module where it begins and back where it ends:
// past either, no exception of the callback is pending inside the module.
class ScriptCallScope
{
public:
    ScriptCallScope();
    ~ScriptCallScope();
    ScriptCallScope(const ScriptCallScope &) = delete;
    ScriptCallScope &operator=(const ScriptCallScope &) = delete;
};

// At environment teardown, and at process exit ('exit' event, first of its listeners;
// process.exit() skips the teardown hooks): no notification reaches the script any more,
// the script references are released and the manager deleted, while the Qt application
// (torn down by the shell's own listener and hook, which run later) still exists.
void registerModuleCleanup(napi_env env);

} // namespace WindowControlNode
