// measure.*: Qt timer probes for the benchmarks and tests.
//   startTimer(intervalMs[, type[, onTick]]) -> id     type: "precise" | "coarse" | "veryCoarse"
//   stopTimer(id) -> { start, interval, ticks: Float64Array, foreignThreadTicks } | undefined
//   remainingTime(id) -> ms until the probe's next tick, as the dispatcher tells Qt (-1: none)
//   now() -> ms on the probes' clock
//   jpegCost(png, rect, quality, repeats) -> Float64Array: ms of each JPEG encoding of the
//     rectangle of a PNG picture (the desktop's), the encoder alone

#include "JsValues.h"
#include "Probes.h"
#include "TimerProbe.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QPointer>

#include <uv.h>

#include <climits>
#include <map>
#include <memory>

namespace {

using js::Args;

// A probe may be stopped from its own tick: probes always go by deleteLater().
std::map<int, QPointer<TimerProbe>> &probes()
{
    static auto *s_pProbes = new std::map<int, QPointer<TimerProbe>>;
    return *s_pProbes;
}

void discard(TimerProbe *pProbe)
{
    if (pProbe) {
        pProbe->stop();
        pProbe->deleteLater();
    }
}

int s_iNextId = 1;

// A Float64Array of n numbers, and where they are written.
napi_value float64Array(napi_env env, size_t n, double **ppData)
{
    void *pData = nullptr;
    napi_value buffer, array;
    if (napi_create_arraybuffer(env, n * sizeof(double), &pData, &buffer) != napi_ok
        || napi_create_typedarray(env, napi_float64_array, n, buffer, 0, &array) != napi_ok)
        return nullptr;
    *ppData = static_cast<double *>(pData);
    return array;
}
bool s_bTeardownAdded = false;

bool toTimerType(napi_env env, napi_value value, Qt::TimerType *pType)
{
    if (js::isUndefined(env, value)) {
        *pType = Qt::CoarseTimer;
        return true;
    }
    QString name;
    if (!js::toString(env, value, &name))
        return false;
    if (name == QLatin1String("precise"))
        *pType = Qt::PreciseTimer;
    else if (name == QLatin1String("coarse"))
        *pType = Qt::CoarseTimer;
    else if (name == QLatin1String("veryCoarse"))
        *pType = Qt::VeryCoarseTimer;
    else
        return false;
    return true;
}

void startTimer(Args &info)
{
    napi_env env = info.env;
    int iInterval = 0;
    Qt::TimerType type;
    if (!js::toInt(env, info[0], &iInterval) || iInterval < 0)
        return js::throwTypeError(env, QStringLiteral("startTimer: interval must be a whole number of ms >= 0"));
    if (!toTimerType(env, info[1], &type))
        return js::throwTypeError(env, QStringLiteral("startTimer: type must be \"precise\", \"coarse\" or \"veryCoarse\""));
    if (info.length() > 2 && !js::isUndefined(env, info[2]) && !js::isFunction(env, info[2]))
        return js::throwTypeError(env, QStringLiteral("startTimer: onTick must be a function"));
    if (!applicationRunning())
        return js::throwError(env, QStringLiteral("startTimer: the Qt application is not running"));

    if (!s_bTeardownAdded) {
        releaseAtQuit([] {
            for (auto &entry : probes())
                discard(entry.second);
            probes().clear();
        });
        s_bTeardownAdded = true;
    }
    const int iId = s_iNextId++;
    auto *pProbe = new TimerProbe(iInterval, type);
    probes()[iId] = pProbe;
    if (info.length() > 2 && js::isFunction(env, info[2])) {
        napi_ref onTick = nullptr;
        if (napi_create_reference(env, info[2], 1, &onTick) != napi_ok)
            return;
        const std::shared_ptr<napi_ref__> pOnTick(onTick, [env](napi_ref ref) {
            if (environmentAlive())
                napi_delete_reference(env, ref);
        });
        // A plain call, as add-ons make from their Qt slots: the scope (ticks and
        // microtasks after it) is the shell's; a throw goes where Node sends one from
        // its own callbacks, as Node-API leaves that to the caller.
        pProbe->setTickHook([env, pOnTick] {
            if (!environmentAlive())
                return;
            napi_handle_scope scope;
            if (napi_open_handle_scope(env, &scope) != napi_ok)
                return;
            napi_value fn, global, result, exception;
            if (napi_get_reference_value(env, pOnTick.get(), &fn) == napi_ok && napi_get_global(env, &global) == napi_ok
                && napi_call_function(env, global, fn, 0, nullptr, &result) == napi_pending_exception
                && napi_get_and_clear_last_exception(env, &exception) == napi_ok)
                napi_fatal_exception(env, exception);
            napi_close_handle_scope(env, scope);
        });
    }
    info.result = js::num(env, iId);
}

void stopTimer(Args &info)
{
    napi_env env = info.env;
    int iId = 0;
    if (!js::toInt(env, info[0], &iId))
        return js::throwTypeError(env, QStringLiteral("stopTimer: id must be a number"));
    auto it = probes().find(iId);
    if (it == probes().end() || !it->second)
        return; // undefined
    TimerProbe *pProbe = it->second;
    pProbe->stop();
    const std::vector<uint64_t> &ticks = pProbe->ticksNs();
    double *pMs = nullptr;
    const napi_value array = float64Array(env, ticks.size(), &pMs);
    for (size_t i = 0; i < ticks.size() && pMs; ++i)
        pMs[i] = double(ticks[i]) / 1e6;

    napi_value result = js::object(env);
    js::set(env, result, "start", js::num(env, double(pProbe->startNs()) / 1e6));
    js::set(env, result, "interval", js::num(env, pProbe->interval()));
    js::set(env, result, "ticks", array);
    js::set(env, result, "foreignThreadTicks", js::num(env, pProbe->foreignThreadTicks()));
    probes().erase(it);
    discard(pProbe);
    info.result = result;
}

void remainingTime(Args &info)
{
    int iId = 0;
    auto it = js::toInt(info.env, info[0], &iId) ? probes().find(iId) : probes().end();
    info.result = js::num(info.env, it != probes().end() && it->second ? it->second->remainingTime() : -1);
}

void now(Args &info)
{
    info.result = js::num(info.env, double(uv_hrtime()) / 1e6);
}

void jpegCost(Args &info)
{
    napi_env env = info.env;
    QRect rc;
    int iQuality = 0;
    int iRepeats = 0;
    bool bBuffer = false;
    void *pPng = nullptr;
    size_t uPngLength = 0;
    if (napi_is_buffer(env, info[0], &bBuffer) != napi_ok || !bBuffer
        || napi_get_buffer_info(env, info[0], &pPng, &uPngLength) != napi_ok || uPngLength > size_t(INT_MAX)
        || !js::toRect(env, info[1], &rc) || !js::toInt(env, info[2], &iQuality)
        || !js::toInt(env, info[3], &iRepeats) || iRepeats < 1 || iRepeats > 100000)
        return js::throwTypeError(env, QStringLiteral("jpegCost(png, rect, quality, repeats): a Buffer, a rectangle, numbers"));
    if (!applicationRunning())
        return js::throwError(env, QStringLiteral("jpegCost: the Qt application is not running"));
    const QImage image = QImage::fromData(static_cast<const uchar *>(pPng), int(uPngLength), "PNG").copy(rc);
    if (image.isNull())
        return js::throwError(env, QStringLiteral("jpegCost: no picture in that rectangle"));
    double *pMs = nullptr;
    const napi_value array = float64Array(env, size_t(iRepeats), &pMs);
    for (int i = 0; i < iRepeats && pMs; ++i) {
        const uint64_t uStart = uv_hrtime();
        QByteArray bytes;
        QBuffer device(&bytes);
        image.save(&device, "JPEG", iQuality);
        pMs[i] = double(uv_hrtime() - uStart) / 1e6;
    }
    info.result = array;
}

} // namespace

napi_value makeMeasureBinding(napi_env env)
{
    napi_value object = js::object(env);
    js::setMethod(env, object, "startTimer", startTimer);
    js::setMethod(env, object, "stopTimer", stopTimer);
    js::setMethod(env, object, "remainingTime", remainingTime);
    js::setMethod(env, object, "now", now);
    js::setMethod(env, object, "jpegCost", jpegCost);
    return object;
}
