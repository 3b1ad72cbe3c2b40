#include "ModuleState.h"

#include "CollectionWatch.h"

#include <QtGlobal>

#include <cstdlib>

#include "manager/WindowControlManager.h"

namespace WindowControlNode {

ModuleState &moduleState()
{
    static ModuleState *pState = new ModuleState;
    return *pState;
}

void resetCallback(ModuleState &state)
{
    const napi_ref callback = state.callback;
    state.callback = nullptr;
    // Past the environment's end its references are gone with it.
    if (callback && !state.bUnloading)
        napi_delete_reference(state.env, callback);
}

ScriptCallScope::ScriptCallScope()
{
    ModuleState &state = moduleState();
    ++state.iScriptCallDepth;
    state.bExceptionPending = false;
}

ScriptCallScope::~ScriptCallScope()
{
    ModuleState &state = moduleState();
    // A pending exception now reaches this method's caller.
    state.bExceptionPending = false;
    --state.iScriptCallDepth;
}

namespace {

// Runs once or twice: at environment teardown, and from process exit processing.
void cleanupModule(void *)
{
    ModuleState &state = moduleState();
    resetCallback(state);
    if (state.constructor && !state.bUnloading) {
        napi_delete_reference(state.env, state.constructor);
        releaseCollectionWatch(state.env);
    }
    state.constructor = nullptr;
    state.bUnloading = true;
    WindowControlManager::DeleteInstance();
}

// The C library's exit, after Node's exit processing: the engine may not be called any
// more, its references go with the process.
void cleanupAtExit()
{
    ModuleState &state = moduleState();
    if (state.bUnloading)
        return;
    state.bUnloading = true;
    state.callback = nullptr;
    state.constructor = nullptr;
    WindowControlManager::DeleteInstance();
}

napi_value onProcessExit(napi_env, napi_callback_info)
{
    // From here on Qt's queued work (a shell flushing it, a library's thread) would
    // call the callback from inside exit processing, where a second process.exit()
    // changes the exit code and skips the remaining listeners.
    ModuleState &state = moduleState();
    state.bExiting = true;
    WindowControlManager::closeToOtherThreads();
    // process.exit() called from inside a request or a notification (or an uncaught
    // exception of the callback): the module's own frames are still on the stack and
    // would run on if a later exit listener threw. The manager goes at the C library's
    // exit then, which Node calls once the listeners are done; registered now, so that it
    // runs before the destructors of everything Qt has made since the module loaded.
    if (state.iScriptCallDepth > 0 || state.iDeliveryDepth > 0) {
        static bool s_bAtExit = false;
        if (!s_bAtExit) {
            s_bAtExit = true;
            std::atexit(&cleanupAtExit);
        }
        return nullptr;
    }
    cleanupModule(nullptr);
    return nullptr;
}

bool isFunction(napi_env env, napi_value value)
{
    napi_valuetype type = napi_undefined;
    return napi_typeof(env, value, &type) == napi_ok && type == napi_function;
}

} // namespace

void registerModuleCleanup(napi_env env)
{
    napi_add_env_cleanup_hook(env, &cleanupModule, nullptr);

    // At process 'exit', ended or exited, before the listeners already there (the
    // shell's among them): the windows go and the taskbars come back while the script's
    // own exit listeners can still look.
    napi_value global, process, prepend, event, listener, result;
    if (napi_get_global(env, &global) == napi_ok && napi_get_named_property(env, global, "process", &process) == napi_ok
        && napi_get_named_property(env, process, "prependListener", &prepend) == napi_ok && isFunction(env, prepend)
        && napi_create_string_utf8(env, "exit", NAPI_AUTO_LENGTH, &event) == napi_ok
        && napi_create_function(env, "onProcessExit", NAPI_AUTO_LENGTH, &onProcessExit, nullptr, &listener) == napi_ok) {
        napi_value argv[2] = {event, listener};
        napi_call_function(env, process, prepend, 2, argv, &result);
    }
    // A process object that is not Node's own: no listener, and no exception either.
    bool bPending = false;
    if (napi_is_exception_pending(env, &bPending) == napi_ok && bPending) {
        napi_value exception;
        napi_get_and_clear_last_exception(env, &exception);
    }
}

} // namespace WindowControlNode
