// shell.node: the desktop shell's Qt application, run on Node's script thread and
// served from Node's own event loop, plus the controls scripts use to drive the
// simulated desktop and the stand-in components.

#include "Bindings.h"
#include "JsValues.h"
#include "MessageOutput.h"
#include "Shell.h"
#include "ScriptScope.h"

#include <QCoreApplication>

#include <node_api.h>
#include <uv.h>

namespace {

using js::Args;

void onEnvironmentCleanup(void *)
{
    // Qt objects going now may still reach script callbacks (which cannot run any more).
    ScriptScope::withHandleScope([] { Shell::instance().shutdown(); });
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

uv_loop_t *eventLoop(napi_env env)
{
    uv_loop_t *pLoop = nullptr;
    napi_get_uv_event_loop(env, &pLoop);
    return pLoop;
}

// start([{ platform }]) -> { platform }
void start(Args &info)
{
    napi_env env = info.env;
    QString strPlatform;
    if (info.length() > 0 && !js::isNullOrUndefined(env, info[0])) {
        if (!js::isObject(env, info[0]))
            return js::throwTypeError(env, QStringLiteral("start(options): options must be an object"));
        napi_value platform = js::get(env, info[0], "platform");
        if (!js::isUndefined(env, platform) && !js::toString(env, platform, &strPlatform))
            return js::throwTypeError(env, QStringLiteral("start(options): platform must be a string"));
    }
    uv_loop_t *pLoop = eventLoop(env);
    if (pLoop != uv_default_loop())
        return js::throwError(env, QStringLiteral("shell: the Qt application runs on the main thread only"));

    Shell &shell = Shell::instance();
    const bool bFirst = shell.state() == Shell::State::NotStarted;
    QString strError;
    if (!shell.start(pLoop, strPlatform, &strError))
        return js::throwError(env, QStringLiteral("shell: ") + strError);
    if (bFirst) {
        ScriptScope::install(env);
        shell.setGuard(ScriptScope::guard());
        napi_add_env_cleanup_hook(env, onEnvironmentCleanup, nullptr);
    }
    napi_value result = js::object(env);
    js::set(env, result, "platform", js::str(env, shell.platform()));
    info.result = result;
}

// qtApplication() -> "none", "shell" (the shell's own) or "other" (one the shell did not
// make, as a desktop shell that embeds the add-on runs it): only reads, makes nothing
void qtApplication(Args &info)
{
    const char *pszOwner = !QCoreApplication::instance() ? "none" : Shell::instance().ownsApplication() ? "shell" : "other";
    info.result = js::str(info.env, pszOwner);
}

void state(Args &info)
{
    info.result = js::str(info.env, stateName(Shell::instance().state()));
}

void platform(Args &info)
{
    const Shell &shell = Shell::instance();
    if (shell.state() == Shell::State::NotStarted)
        info.result = js::null(info.env);
    else
        info.result = js::str(info.env, shell.platform());
}

void platforms(Args &info)
{
    const QStringList list = Shell::availablePlatforms();
    napi_value array = js::array(info.env, size_t(list.size()));
    for (int i = 0; i < list.size(); ++i)
        js::setIndex(info.env, array, uint32_t(i), js::str(info.env, list.at(i)));
    info.result = array;
}

void processEvents(Args &info)
{
    info.result = js::boolean(info.env, Shell::instance().processEvents());
}

// debugOutput([on]) -> whether Qt's debug and info lines (the add-on's own among them)
// reach stderr; off until asked
void debugOutput(Args &info)
{
    napi_env env = info.env;
    if (info.length() > 0 && !js::isUndefined(env, info[0])) {
        if (js::typeOf(env, info[0]) != napi_boolean)
            return js::throwTypeError(env, QStringLiteral("debugOutput(on): on must be a boolean"));
        MessageOutput::setDebugEnabled(js::truthy(env, info[0]));
    }
    info.result = js::boolean(env, MessageOutput::debugEnabled());
}

void shutdown(Args &info)
{
    Shell &shell = Shell::instance();
    shell.shutdown();
    info.result = js::boolean(info.env, shell.applicationKept());
}

} // namespace

NAPI_MODULE_INIT(/* env, exports */)
{
    js::setMethod(env, exports, "start", start);
    js::setMethod(env, exports, "state", state);
    js::setMethod(env, exports, "qtApplication", qtApplication);
    // Qt, the shell's objects and the desktop's Qt windows belong to the main thread:
    // a worker gets nothing that could reach them.
    if (eventLoop(env) != uv_default_loop())
        return exports;
    js::setMethod(env, exports, "debugOutput", debugOutput);
    js::setMethod(env, exports, "platform", platform);
    js::setMethod(env, exports, "platforms", platforms);
    js::setMethod(env, exports, "processEvents", processEvents);
    js::setMethod(env, exports, "shutdown", shutdown);
#ifdef SHELL_DESKTOP
    js::set(env, exports, "desktop", makeDesktopBinding(env));
#endif
#ifdef SHELL_COMPONENT
    js::set(env, exports, "component", makeComponentBinding(env));
#endif
    return exports;
}
