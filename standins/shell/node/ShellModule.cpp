// shell.node: the desktop shell's Qt application, run on Node's script thread and
// served from Node's own event loop, plus the controls scripts use to drive the
// simulated desktop and the stand-in components.

#include "Bindings.h"
#include "JsValues.h"
#include "MessageOutput.h"
#include "Shell.h"
#include "ScriptScope.h"

#include <QCoreApplication>

#include <node.h>
#include <uv.h>

namespace {

using js::Args;

void onEnvironmentCleanup(void *)
{
    // Qt objects going now may still reach script callbacks (which cannot run any more).
    ScriptScope::withContext([] { Shell::instance().shutdown(); });
    // The handles just closed are freed in their close callbacks, which need one turn.
    uv_run(uv_default_loop(), UV_RUN_NOWAIT);
}

const char *stateName(Shell::State state)
{
    switch (state) {
    case Shell::State::NotStarted: return "not started";
    case Shell::State::Running: return "running";
    case Shell::State::Ended: return "ended";
    }
    return "";
}

// start([{ platform }]) -> { platform }
void start(const Args &info)
{
    v8::Isolate *pIsolate = info.GetIsolate();
    QString strPlatform;
    if (info.Length() > 0 && !info[0]->IsUndefined() && !info[0]->IsNull()) {
        if (!info[0]->IsObject())
            return js::throwTypeError(pIsolate, QStringLiteral("start(options): options must be an object"));
        v8::Local<v8::Value> platform = js::get(pIsolate, info[0].As<v8::Object>(), "platform");
        if (!platform->IsUndefined() && !js::toString(pIsolate, platform, &strPlatform))
            return js::throwTypeError(pIsolate, QStringLiteral("start(options): platform must be a string"));
    }
    uv_loop_t *pLoop = node::GetCurrentEventLoop(pIsolate);
    if (pLoop != uv_default_loop())
        return js::throwError(pIsolate, QStringLiteral("shell: the Qt application runs on the main thread only"));

    Shell &shell = Shell::instance();
    const bool bFirst = shell.state() == Shell::State::NotStarted;
    QString strError;
    if (!shell.start(pLoop, strPlatform, &strError))
        return js::throwError(pIsolate, QStringLiteral("shell: ") + strError);
    if (bFirst) {
        ScriptScope::install(pIsolate, pIsolate->GetCurrentContext());
        shell.setGuard(ScriptScope::guard());
        node::AddEnvironmentCleanupHook(pIsolate, onEnvironmentCleanup, nullptr);
    }
    v8::Local<v8::Object> result = v8::Object::New(pIsolate);
    js::set(pIsolate, result, "platform", js::str(pIsolate, shell.platform()));
    info.GetReturnValue().Set(result);
}

// qtApplication() -> "none", "shell" (the shell's own) or "other" (one the shell did not
// make, as a desktop shell that embeds the add-on runs it): only reads, makes nothing
void qtApplication(const Args &info)
{
    const char *pszOwner = !QCoreApplication::instance() ? "none" : Shell::instance().ownsApplication() ? "shell" : "other";
    info.GetReturnValue().Set(js::str(info.GetIsolate(), pszOwner));
}

void state(const Args &info)
{
    info.GetReturnValue().Set(js::str(info.GetIsolate(), stateName(Shell::instance().state())));
}

void platform(const Args &info)
{
    const Shell &shell = Shell::instance();
    if (shell.state() == Shell::State::NotStarted)
        return info.GetReturnValue().SetNull();
    info.GetReturnValue().Set(js::str(info.GetIsolate(), shell.platform()));
}

void platforms(const Args &info)
{
    v8::Isolate *pIsolate = info.GetIsolate();
    const QStringList list = Shell::availablePlatforms();
    v8::Local<v8::Array> array = v8::Array::New(pIsolate, list.size());
    for (int i = 0; i < list.size(); ++i)
        array->Set(pIsolate->GetCurrentContext(), uint32_t(i), js::str(pIsolate, list.at(i))).Check();
    info.GetReturnValue().Set(array);
}

void processEvents(const Args &info)
{
    info.GetReturnValue().Set(Shell::instance().processEvents());
}

// debugOutput([on]) -> whether Qt's debug and info lines (the add-on's own among them)
// reach stderr; off until asked
void debugOutput(const Args &info)
{
    if (info.Length() > 0 && !info[0]->IsUndefined()) {
        if (!info[0]->IsBoolean())
            return js::throwTypeError(info.GetIsolate(), QStringLiteral("debugOutput(on): on must be a boolean"));
        MessageOutput::setDebugEnabled(info[0]->IsTrue());
    }
    info.GetReturnValue().Set(MessageOutput::debugEnabled());
}

void shutdown(const Args &info)
{
    Shell &shell = Shell::instance();
    shell.shutdown();
    info.GetReturnValue().Set(shell.applicationKept());
}

} // namespace

NODE_MODULE_INIT(/* exports, module, context */)
{
    v8::Isolate *pIsolate = context->GetIsolate();
    js::setMethod(pIsolate, exports, "start", start);
    js::setMethod(pIsolate, exports, "state", state);
    js::setMethod(pIsolate, exports, "qtApplication", qtApplication);
    // Qt, the shell's objects and the desktop's Qt windows belong to the main thread:
    // a worker gets nothing that could reach them.
    if (node::GetCurrentEventLoop(pIsolate) != uv_default_loop())
        return;
    js::setMethod(pIsolate, exports, "debugOutput", debugOutput);
    js::setMethod(pIsolate, exports, "platform", platform);
    js::setMethod(pIsolate, exports, "platforms", platforms);
    js::setMethod(pIsolate, exports, "processEvents", processEvents);
    js::setMethod(pIsolate, exports, "shutdown", shutdown);
#ifdef SHELL_DESKTOP
    js::set(pIsolate, exports, "desktop", makeDesktopBinding(pIsolate));
#endif
#ifdef SHELL_COMPONENT
    js::set(pIsolate, exports, "component", makeComponentBinding(pIsolate));
#endif
}
