#pragma once

#include <v8.h>

namespace WindowControlNode {

// What the module keeps across calls, one copy per loaded module.
struct ModuleState
{
    v8::Global<v8::Function> constructor;   // the class's constructor, for calls without new
    v8::Global<v8::Value> callback;         // the notification callback; any value SetCallback got
    v8::Global<v8::Context> context;        // entered for notifications outside a script call
    bool bUnloading = false;                // the environment is going away: no more calls into it
    bool bExiting = false;                  // process exit has begun: no notification reaches the script
    bool bExceptionPending = false;         // the callback's exception is on its way to a method's caller
    int iScriptCallDepth = 0;               // > 0 while one of the class's methods runs
    int iDeliveryDepth = 0;                 // > 0 while a notification reaches the callback
    int iDeliveryCallDepth = 0;             // iScriptCallDepth when the innermost delivery began
};

// Never destroyed by static destructors: at process exit the engine may already be gone.
ModuleState &moduleState();

// Marks a method call of the class, so that a notification raised inside it is told
// from one raised by a Qt event (a shell may enter the context for those too).
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
// the script handles are forgotten and the manager deleted, while the Qt application
// (torn down by the shell's own listener and hook, which run later) still exists.
void registerModuleCleanup(v8::Isolate *isolate);

} // namespace WindowControlNode
