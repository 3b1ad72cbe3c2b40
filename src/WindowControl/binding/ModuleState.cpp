#include "ModuleState.h"

#include <node.h>

#include "manager/WindowControlManager.h"

namespace WindowControlNode {

ModuleState &moduleState()
{
    static ModuleState *pState = new ModuleState;
    return *pState;
}

ScriptCallScope::ScriptCallScope()
{
    ++moduleState().iScriptCallDepth;
}

ScriptCallScope::~ScriptCallScope()
{
    ModuleState &state = moduleState();
    if (state.iThrownAtDepth == state.iScriptCallDepth)
        state.iThrownAtDepth = 0;
    --state.iScriptCallDepth;
}

namespace {

void cleanupModule(void *)
{
    ModuleState &state = moduleState();
    state.bUnloading = true;
    WindowControlManager::DeleteInstance();
    state.callback.Reset();
    state.constructor.Reset();
    state.context.Reset();
}

} // namespace

void registerModuleCleanup(v8::Isolate *isolate)
{
    node::AddEnvironmentCleanupHook(isolate, &cleanupModule, nullptr);
}

} // namespace WindowControlNode
