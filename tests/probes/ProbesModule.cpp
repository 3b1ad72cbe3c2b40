// probes.node: Qt objects, pipes and timers that show how the shell serves Qt, and the
// clock and encoder measurements of the benches. Tests and benches load it; the shell
// and the product never do.

#include "Probes.h"

#include "JsValues.h"

#include <QCoreApplication>

#include <uv.h>

namespace {
bool s_bQuitting = false;
} // namespace

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

NODE_MODULE_INIT(/* exports, module, context */)
{
    v8::Isolate *pIsolate = context->GetIsolate();
    // Qt belongs to the main thread: a worker gets nothing that could reach it.
    if (node::GetCurrentEventLoop(pIsolate) != uv_default_loop())
        return;
    js::set(pIsolate, exports, "measure", makeMeasureBinding(pIsolate));
    js::set(pIsolate, exports, "qt", makeQtObjectsBinding(pIsolate));
}
