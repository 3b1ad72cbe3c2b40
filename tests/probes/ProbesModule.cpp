// probes.node: Qt objects, pipes and timers that show how the shell serves Qt, and the
// clock and encoder measurements of the benches. Tests and benches load it; the shell
// and the product never do.

#include "Probes.h"

#include "JsValues.h"

#include <QCoreApplication>

#include <uv.h>

namespace {
bool s_bQuitting = false;
bool s_bEnvironmentAlive = false;

void onEnvironmentCleanup(void *)
{
    s_bEnvironmentAlive = false;
}
} // namespace

bool environmentAlive()
{
    return s_bEnvironmentAlive;
}

bool applicationRunning()
{
    return QCoreApplication::instance() && !s_bQuitting;
}

void releaseAtQuit(std::function<void()> fn)
{
    static bool s_bWatching = false;
    if (!s_bWatching && QCoreApplication::instance()) {
        s_bWatching = true;
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, [] { s_bQuitting = true; });
    }
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, std::move(fn));
}

NAPI_MODULE_INIT(/* env, exports */)
{
    // Qt belongs to the main thread: a worker gets nothing that could reach it.
    uv_loop_t *pLoop = nullptr;
    if (napi_get_uv_event_loop(env, &pLoop) != napi_ok || pLoop != uv_default_loop() || s_bEnvironmentAlive)
        return exports;
    // Runs before Node-API's own end of the environment, which was set up first.
    s_bEnvironmentAlive = true;
    napi_add_env_cleanup_hook(env, onEnvironmentCleanup, nullptr);
    js::set(env, exports, "measure", makeMeasureBinding(env));
    js::set(env, exports, "qt", makeQtObjectsBinding(env));
    return exports;
}
