// measure.*: Qt timer probes for the benchmarks and tests.
//   startTimer(intervalMs[, type[, onTick]]) -> id     type: "precise" | "coarse" | "veryCoarse"
//   stopTimer(id) -> { start, interval, ticks: [ms...], foreignThreadTicks } | undefined
//   remainingTime(id) -> ms until the probe's next tick, as the dispatcher tells Qt (-1: none)
//   now() -> ms on the probes' clock
//   jpegCost(png, rect, quality, repeats) -> [ms...] of each JPEG encoding of the rectangle
//     of a PNG picture (the desktop's), the encoder alone

#include "JsValues.h"
#include "Probes.h"
#include "TimerProbe.h"

#include <QBuffer>
#include <QImage>

#include <uv.h>

#include <algorithm>
#include <climits>
#include <memory>

namespace {

using js::Args;

double ms(uint64_t uNs)
{
    return double(uNs) / 1e6;
}

napi_value numbers(napi_env env, const std::vector<double> &values)
{
    napi_value array = js::array(env, values.size());
    for (size_t i = 0; i < values.size(); ++i)
        js::setIndex(env, array, uint32_t(i), js::num(env, values[i]));
    return array;
}

// The onTick function, called as add-ons call from their Qt slots: the scope (ticks and
// microtasks after it) is the shell's; a throw goes where Node sends one from its own
// callbacks, as Node-API leaves that to the caller.
std::function<void()> tickCall(napi_env env, napi_value fn)
{
    napi_ref ref = nullptr;
    if (napi_create_reference(env, fn, 1, &ref) != napi_ok)
        return {};
    const std::shared_ptr<napi_ref__> pRef(ref, [env](napi_ref r) {
        if (environmentAlive())
            napi_delete_reference(env, r);
    });
    return [env, pRef] {
        napi_handle_scope scope;
        if (!environmentAlive() || napi_open_handle_scope(env, &scope) != napi_ok)
            return;
        napi_value value, global, result, exception;
        if (napi_get_reference_value(env, pRef.get(), &value) == napi_ok && napi_get_global(env, &global) == napi_ok
            && napi_call_function(env, global, value, 0, nullptr, &result) == napi_pending_exception
            && napi_get_and_clear_last_exception(env, &exception) == napi_ok)
            napi_fatal_exception(env, exception);
        napi_close_handle_scope(env, scope);
    };
}

void startTimer(Args &info)
{
    static const std::pair<const char *, Qt::TimerType> types[] = {
        {"precise", Qt::PreciseTimer}, {"coarse", Qt::CoarseTimer}, {"veryCoarse", Qt::VeryCoarseTimer}};
    napi_env env = info.env;
    int iInterval = 0;
    QString strType = QStringLiteral("coarse");
    if (!js::checkArg(info, 0, js::toInt(env, info[0], &iInterval) && iInterval >= 0, "startTimer", "a whole number of ms >= 0")
        || (!js::isUndefined(env, info[1]) && !js::argString(info, 1, &strType, "startTimer"))
        || !js::checkArg(info, 2, js::isUndefined(env, info[2]) || js::isFunction(env, info[2]), "startTimer", "a function"))
        return;
    const auto *pType = std::find_if(std::begin(types), std::end(types),
                                     [&](const auto &type) { return strType == QLatin1String(type.first); });
    if (!js::checkArg(info, 1, pType != std::end(types), "startTimer", "\"precise\", \"coarse\" or \"veryCoarse\"")
        || !requireRunning(env, "startTimer"))
        return;
    auto fnTick = js::isFunction(env, info[2]) ? tickCall(env, info[2]) : std::function<void()>();
    info.result = js::num(env, keep(new TimerProbe(iInterval, pType->second, std::move(fnTick))));
}

void stopTimer(Args &info)
{
    auto *pProbe = qobject_cast<TimerProbe *>(kept(info.env, info[0]));
    if (!pProbe)
        return; // undefined
    pProbe->stop();
    std::vector<double> ticks;
    for (uint64_t uNs : pProbe->m_ticksNs)
        ticks.push_back(ms(uNs));
    napi_value result = js::object(info.env);
    js::set(info.env, result, "start", js::num(info.env, ms(pProbe->m_uStartNs)));
    js::set(info.env, result, "interval", js::num(info.env, pProbe->m_iInterval));
    js::set(info.env, result, "ticks", numbers(info.env, ticks));
    js::set(info.env, result, "foreignThreadTicks", js::num(info.env, pProbe->m_iForeignThreadTicks));
    pProbe->deleteLater();   // maybe stopped from its own tick
    info.result = result;
}

void jpegCost(Args &info)
{
    napi_env env = info.env;
    QRect rc;
    int iQuality = 0, iRepeats = 0;
    bool bBuffer = false;
    void *pPng = nullptr;
    size_t uPngLength = 0;
    if (napi_is_buffer(env, info[0], &bBuffer) != napi_ok || !bBuffer
        || napi_get_buffer_info(env, info[0], &pPng, &uPngLength) != napi_ok || uPngLength > size_t(INT_MAX)
        || !js::toRect(env, info[1], &rc) || !js::toInt(env, info[2], &iQuality)
        || !js::toInt(env, info[3], &iRepeats) || iRepeats < 1 || iRepeats > 100000)
        return js::throwTypeError(env, QStringLiteral("jpegCost(png, rect, quality, repeats): a Buffer, a rectangle, numbers"));
    if (!requireRunning(env, "jpegCost"))
        return;
    const QImage image = QImage::fromData(static_cast<const uchar *>(pPng), int(uPngLength), "PNG").copy(rc);
    if (image.isNull())
        return js::throwError(env, QStringLiteral("jpegCost: no picture in that rectangle"));
    std::vector<double> costs;
    for (int i = 0; i < iRepeats; ++i) {
        const uint64_t uStart = uv_hrtime();
        QByteArray bytes;
        QBuffer device(&bytes);
        image.save(&device, "JPEG", iQuality);
        costs.push_back(ms(uv_hrtime() - uStart));
    }
    info.result = numbers(env, costs);
}

} // namespace

napi_value makeMeasureBinding(napi_env env)
{
    napi_value object = js::object(env);
    js::setMethod(env, object, "startTimer", startTimer);
    js::setMethod(env, object, "stopTimer", stopTimer);
    js::setMethod(env, object, "remainingTime", [](Args &info) {
        auto *pProbe = qobject_cast<TimerProbe *>(kept(info.env, info[0]));
        info.result = js::num(info.env, pProbe ? pProbe->remainingTime() : -1);
    });
    js::setMethod(env, object, "now", [](Args &info) { info.result = js::num(info.env, ms(uv_hrtime())); });
    js::setMethod(env, object, "jpegCost", jpegCost);
    return object;
}
