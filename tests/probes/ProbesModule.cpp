// probes.node: Qt objects, pipes and timers that show how the shell serves Qt, and the
// clock and encoder measurements of the benches. Tests and benches load it; the shell
// and the product never do.

#include "Probes.h"

#include "JsValues.h"

#include <QCoreApplication>
#include <QPointer>

#include <uv.h>

#include <map>

namespace {
bool s_bQuitting = false;
bool s_bEnvironmentAlive = false;
int s_iNextId = 1;

std::map<int, QPointer<QObject>> &objects()
{
    static auto *s_pObjects = new std::map<int, QPointer<QObject>>;
    return *s_pObjects;
}
} // namespace

bool environmentAlive()
{
    return s_bEnvironmentAlive;
}

bool requireRunning(napi_env env, const char *pszName)
{
    if (QCoreApplication::instance() && !s_bQuitting)
        return true;
    js::throwError(env, QStringLiteral("%1: the Qt application is not running").arg(QLatin1String(pszName)));
    return false;
}

int keep(QObject *pObject)
{
    if (s_iNextId == 1) {
        // deleteLater: a probe may be gone from inside its own event.
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, [] {
            s_bQuitting = true;
            for (auto &entry : objects())
                if (entry.second)
                    entry.second->deleteLater();
            objects().clear();
        });
    }
    objects()[s_iNextId] = pObject;
    return s_iNextId++;
}

QObject *kept(napi_env env, napi_value id)
{
    int iId = 0;
    auto it = js::toInt(env, id, &iId) ? objects().find(iId) : objects().end();
    return it == objects().end() ? nullptr : it->second.data();
}

NAPI_MODULE_INIT(/* env, exports */)
{
    // Qt belongs to the main thread: a worker gets nothing that could reach it.
    uv_loop_t *pLoop = nullptr;
    if (napi_get_uv_event_loop(env, &pLoop) != napi_ok || pLoop != uv_default_loop() || s_bEnvironmentAlive)
        return exports;
    // Runs before Node-API's own end of the environment, which was set up first.
    s_bEnvironmentAlive = true;
    napi_add_env_cleanup_hook(env, [](void *) { s_bEnvironmentAlive = false; }, nullptr);
    js::set(env, exports, "measure", makeMeasureBinding(env));
    js::set(env, exports, "qt", makeQtObjectsBinding(env));
    return exports;
}
