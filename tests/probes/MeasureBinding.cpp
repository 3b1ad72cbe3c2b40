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

#include <node_buffer.h>

#include <uv.h>

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
bool s_bTeardownAdded = false;

bool toTimerType(v8::Isolate *pIsolate, v8::Local<v8::Value> value, Qt::TimerType *pType)
{
    if (value->IsUndefined()) {
        *pType = Qt::CoarseTimer;
        return true;
    }
    QString name;
    if (!js::toString(pIsolate, value, &name))
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

void startTimer(const Args &info)
{
    v8::Isolate *pIsolate = info.GetIsolate();
    int iInterval = 0;
    Qt::TimerType type;
    if (!js::toInt(info[0], &iInterval) || iInterval < 0)
        return js::throwTypeError(pIsolate, QStringLiteral("startTimer: interval must be a whole number of ms >= 0"));
    if (!toTimerType(pIsolate, info[1], &type))
        return js::throwTypeError(pIsolate, QStringLiteral("startTimer: type must be \"precise\", \"coarse\" or \"veryCoarse\""));
    if (info.Length() > 2 && !info[2]->IsUndefined() && !info[2]->IsFunction())
        return js::throwTypeError(pIsolate, QStringLiteral("startTimer: onTick must be a function"));
    if (!applicationRunning())
        return js::throwError(pIsolate, QStringLiteral("startTimer: the Qt application is not running"));

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
    if (info.Length() > 2 && info[2]->IsFunction()) {
        auto pOnTick = std::make_shared<v8::Global<v8::Function>>(pIsolate, info[2].As<v8::Function>());
        // A plain call, as add-ons make from their Qt slots: the scope (context, ticks
        // and microtasks after it, reporting of a throw) is the shell's.
        pProbe->setTickHook([pIsolate, pOnTick] {
            v8::HandleScope handleScope(pIsolate);
            v8::Local<v8::Context> context = pIsolate->GetCurrentContext();
            if (context.IsEmpty())
                return;
            pOnTick->Get(pIsolate)->Call(context, context->Global(), 0, nullptr).IsEmpty();
        });
    }
    info.GetReturnValue().Set(iId);
}

void stopTimer(const Args &info)
{
    v8::Isolate *pIsolate = info.GetIsolate();
    int iId = 0;
    if (!js::toInt(info[0], &iId))
        return js::throwTypeError(pIsolate, QStringLiteral("stopTimer: id must be a number"));
    auto it = probes().find(iId);
    if (it == probes().end() || !it->second)
        return; // undefined
    TimerProbe *pProbe = it->second;
    pProbe->stop();
    const std::vector<uint64_t> &ticks = pProbe->ticksNs();
    v8::Local<v8::ArrayBuffer> buffer = v8::ArrayBuffer::New(pIsolate, ticks.size() * sizeof(double));
    auto *pMs = static_cast<double *>(buffer->Data());
    for (size_t i = 0; i < ticks.size(); ++i)
        pMs[i] = double(ticks[i]) / 1e6;

    v8::Local<v8::Object> result = v8::Object::New(pIsolate);
    js::set(pIsolate, result, "start", v8::Number::New(pIsolate, double(pProbe->startNs()) / 1e6));
    js::set(pIsolate, result, "interval", v8::Integer::New(pIsolate, pProbe->interval()));
    js::set(pIsolate, result, "ticks", v8::Float64Array::New(buffer, 0, ticks.size()));
    js::set(pIsolate, result, "foreignThreadTicks", v8::Integer::New(pIsolate, pProbe->foreignThreadTicks()));
    probes().erase(it);
    discard(pProbe);
    info.GetReturnValue().Set(result);
}

void remainingTime(const Args &info)
{
    int iId = 0;
    auto it = js::toInt(info[0], &iId) ? probes().find(iId) : probes().end();
    info.GetReturnValue().Set(it != probes().end() && it->second ? it->second->remainingTime() : -1);
}

void now(const Args &info)
{
    info.GetReturnValue().Set(double(uv_hrtime()) / 1e6);
}

void jpegCost(const Args &info)
{
    v8::Isolate *pIsolate = info.GetIsolate();
    QRect rc;
    int iQuality = 0;
    int iRepeats = 0;
    if (!node::Buffer::HasInstance(info[0]) || !js::toRect(pIsolate, info[1], &rc) || !js::toInt(info[2], &iQuality)
        || !js::toInt(info[3], &iRepeats) || iRepeats < 1 || iRepeats > 100000)
        return js::throwTypeError(pIsolate, QStringLiteral("jpegCost(png, rect, quality, repeats): a Buffer, a rectangle, numbers"));
    if (!applicationRunning())
        return js::throwError(pIsolate, QStringLiteral("jpegCost: the Qt application is not running"));
    const QImage image = QImage::fromData(reinterpret_cast<const uchar *>(node::Buffer::Data(info[0])),
                                          int(node::Buffer::Length(info[0])), "PNG").copy(rc);
    if (image.isNull())
        return js::throwError(pIsolate, QStringLiteral("jpegCost: no picture in that rectangle"));
    v8::Local<v8::ArrayBuffer> buffer = v8::ArrayBuffer::New(pIsolate, size_t(iRepeats) * sizeof(double));
    auto *pMs = static_cast<double *>(buffer->Data());
    for (int i = 0; i < iRepeats; ++i) {
        const uint64_t uStart = uv_hrtime();
        QByteArray bytes;
        QBuffer device(&bytes);
        image.save(&device, "JPEG", iQuality);
        pMs[i] = double(uv_hrtime() - uStart) / 1e6;
    }
    info.GetReturnValue().Set(v8::Float64Array::New(buffer, 0, size_t(iRepeats)));
}

} // namespace

v8::Local<v8::Object> makeMeasureBinding(v8::Isolate *pIsolate)
{
    v8::Local<v8::Object> object = v8::Object::New(pIsolate);
    js::setMethod(pIsolate, object, "startTimer", startTimer);
    js::setMethod(pIsolate, object, "stopTimer", stopTimer);
    js::setMethod(pIsolate, object, "remainingTime", remainingTime);
    js::setMethod(pIsolate, object, "now", now);
    js::setMethod(pIsolate, object, "jpegCost", jpegCost);
    return object;
}
