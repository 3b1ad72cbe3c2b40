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
    int iScriptCallDepth = 0;               // > 0 while one of the class's methods runs
    int iThrownAtDepth = 0;                 // the method call whose callback threw, 0: none
    int iDeliveryDepth = 0;                 // > 0 while a notification reaches the callback
};

// Never destroyed by static destructors: at process exit the engine may already be gone.
ModuleState &moduleState();

// Marks a method call of the class, so that a notification raised inside it is told
// from one raised by a Qt event (a host shell may enter the context for those too).
class ScriptCallScope
{
public:
    ScriptCallScope();
    ~ScriptCallScope();
    ScriptCallScope(const ScriptCallScope &) = delete;
    ScriptCallScope &operator=(const ScriptCallScope &) = delete;
};

// At environment teardown, and at process.exit(), which skips the teardown hooks: forget
// the script handles and delete the manager, while the Qt application (torn down by the
// host shell's own hook, which runs later, or kept to the end) still exists.
void registerModuleCleanup(v8::Isolate *isolate);

} // namespace WindowControlNode
