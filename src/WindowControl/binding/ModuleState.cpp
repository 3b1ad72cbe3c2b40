#include "ModuleState.h"

#include <node.h>

#include <QtGlobal>

#include "manager/WindowControlManager.h"

namespace WindowControlNode {

ModuleState &moduleState()
{
    static ModuleState *pState = new ModuleState;
    return *pState;
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
    state.bUnloading = true;
    WindowControlManager::DeleteInstance();
    state.callback.Reset();
    state.constructor.Reset();
    state.context.Reset();
}

void onProcessExit(const v8::FunctionCallbackInfo<v8::Value> &)
{
    // From here on Qt's queued work (a shell flushing it, a library's thread) would
    // call the callback from inside exit processing, where a second process.exit()
    // changes the exit code and skips the remaining listeners.
    ModuleState &state = moduleState();
    state.bExiting = true;
    // process.exit() called from inside a request or a notification: the module's own
    // frames are still on the stack and would run on if a later exit listener threw.
    // The exit processing after the listeners (AtExit) deletes the manager then.
    if (state.iScriptCallDepth > 0 || state.iDeliveryDepth > 0)
        return;
    cleanupModule(nullptr);
}

} // namespace

void registerModuleCleanup(v8::Isolate *isolate)
{
    node::AddEnvironmentCleanupHook(isolate, &cleanupModule, nullptr);
    // process.exit() skips the cleanup hooks but runs these: without them the hosts would
    // never be deleted, and a taskbar hidden for a full-screen page would stay hidden.
    const v8::Local<v8::Context> context = isolate->GetCurrentContext();
    if (node::Environment *pEnv = node::GetCurrentEnvironment(context))
        node::AtExit(pEnv, &cleanupModule, nullptr);

    // At process 'exit', ended or exited, before the listeners already there (the
    // shell's among them): the windows go and the taskbars come back while the script's
    // own exit listeners can still look.
    v8::TryCatch tryCatch(isolate);
    const auto text = [isolate](const char *psz) { return v8::String::NewFromUtf8(isolate, psz).ToLocalChecked(); };
    v8::Local<v8::Value> process, prepend;
    v8::Local<v8::Function> listener;
    if (context->Global()->Get(context, text("process")).ToLocal(&process) && process->IsObject()
        && process.As<v8::Object>()->Get(context, text("prependListener")).ToLocal(&prepend) && prepend->IsFunction()
        && v8::Function::New(context, &onProcessExit).ToLocal(&listener)) {
        v8::Local<v8::Value> argv[2] = {text("exit"), listener};
        const v8::MaybeLocal<v8::Value> result = prepend.As<v8::Function>()->Call(context, process, 2, argv);
        Q_UNUSED(result)
    }
}

} // namespace WindowControlNode
