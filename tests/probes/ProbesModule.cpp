// probes.node: Qt objects, pipes and timers that show how the shell serves Qt, and the
// clock and encoder measurements of the benches. Tests and benches load it; the shell
// and the product never do.
//   measure.startTimer(intervalMs[, type[, onTick]]) -> id   type: "precise" | "coarse" | "veryCoarse"
//   measure.stopTimer(id) -> { start, interval, ticks: Float64Array, foreignThreadTicks } | undefined
//   measure.remainingTime(id) -> ms until the next tick, as the dispatcher tells Qt (-1: none)
//   measure.now() -> ms on the probes' clock
//   measure.jpegCost(png, rect, quality, repeats) -> Float64Array: ms of each JPEG encoding
//     of the rectangle of a PNG picture (the desktop's), the encoder alone
//   qt.createObject() -> id      postEvent(id)      received(id) -> n | -1 (gone)
//   qt.deleteLater(id)           exists(id) -> bool
//   qt.showWidget(title, rect) -> { id, handle }   (handle: winId() as decimal text)
//   qt.geometry(id) -> the widget's geometry as Qt sees it, or null
//   qt.createPipe() -> id    writePipe(id, text[, delayMs])   (with a delay: from another thread)
//   qt.pipeReceived(id) -> text read by the pipe's socket notifier so far
//   qt.runNestedLoop() -> exit code of a QEventLoop::exec() run from here
//   qt.makeApplication(platform) -> platform: a QApplication ("offscreen" or "minimal") with
//     Qt's own event dispatcher, which nothing here runs; null when one exists already

#include "JsValues.h"
#include "Probe.h"

#include <QApplication>
#include <QBuffer>
#include <QEventLoop>
#include <QImage>
#include <QPointer>
#include <QWidget>

#include <node_buffer.h>

#include <uv.h>

#include <map>
#include <memory>

namespace {

using js::Args;

bool s_bQuitting = false;
int s_iNextId = 1;

// Probes and widgets by id; each goes by deleteLater(), as one may go from its own tick.
std::map<int, QPointer<QObject>> &objects()
{
    static auto *s_pObjects = new std::map<int, QPointer<QObject>>;
    return *s_pObjects;
}

// A Qt application runs on this thread and has not begun to quit: the probes are Qt
// objects of an add-on like any other, and go before whoever owns the application deletes it.
bool requireRunning(v8::Isolate *pIsolate, const char *pszName)
{
    if (QCoreApplication::instance() && !s_bQuitting)
        return true;
    js::throwError(pIsolate, QStringLiteral("%1: the Qt application is not running").arg(QLatin1String(pszName)));
    return false;
}

int keep(QObject *pObject)
{
    static bool s_bTeardownAdded = false;
    if (!s_bTeardownAdded) {
        s_bTeardownAdded = true;
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, [] {
            s_bQuitting = true;
            for (auto &entry : objects()) {
                if (auto *pProbe = qobject_cast<Probe *>(entry.second.data()))
                    pProbe->stopTicking();
                if (entry.second)
                    entry.second->deleteLater();
            }
            objects().clear();
        });
    }
    objects()[s_iNextId] = pObject;
    return s_iNextId++;
}

template <typename T = QObject> T *find(const Args &info)
{
    int iId = 0;
    auto it = js::toInt(info[0], &iId) ? objects().find(iId) : objects().end();
    return it == objects().end() ? nullptr : qobject_cast<T *>(it->second.data());
}

bool toTimerType(v8::Isolate *pIsolate, v8::Local<v8::Value> value, Qt::TimerType *pType)
{
    QString name = QStringLiteral("coarse");
    if (!value->IsUndefined() && !js::toString(pIsolate, value, &name))
        return false;
    *pType = name == QLatin1String("precise") ? Qt::PreciseTimer
           : name == QLatin1String("veryCoarse") ? Qt::VeryCoarseTimer : Qt::CoarseTimer;
    return name == QLatin1String("precise") || name == QLatin1String("coarse") || name == QLatin1String("veryCoarse");
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
    if (!requireRunning(pIsolate, "startTimer"))
        return;
    std::function<void()> fnTick;
    if (info.Length() > 2 && info[2]->IsFunction()) {
        auto pOnTick = std::make_shared<v8::Global<v8::Function>>(pIsolate, info[2].As<v8::Function>());
        // A plain call, as add-ons make from their Qt slots: the scope (context, ticks
        // and microtasks after it, reporting of a throw) is the shell's.
        fnTick = [pIsolate, pOnTick] {
            v8::HandleScope handleScope(pIsolate);
            v8::Local<v8::Context> context = pIsolate->GetCurrentContext();
            if (!context.IsEmpty())
                pOnTick->Get(pIsolate)->Call(context, context->Global(), 0, nullptr).IsEmpty();
        };
    }
    auto *pProbe = new Probe;
    pProbe->startTicking(iInterval, type, std::move(fnTick));
    info.GetReturnValue().Set(keep(pProbe));
}

void stopTimer(const Args &info)
{
    v8::Isolate *pIsolate = info.GetIsolate();
    int iId = 0;
    if (!js::toInt(info[0], &iId))
        return js::throwTypeError(pIsolate, QStringLiteral("stopTimer: id must be a number"));
    Probe *pProbe = find<Probe>(info);
    if (!pProbe || pProbe->startNs() == 0)
        return;   // undefined: no such timer
    pProbe->stopTicking();
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
    objects().erase(iId);
    pProbe->deleteLater();
    info.GetReturnValue().Set(result);
}

void remainingTime(const Args &info)
{
    Probe *pProbe = find<Probe>(info);
    info.GetReturnValue().Set(pProbe ? pProbe->remainingTime() : -1);
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
    if (!requireRunning(pIsolate, "jpegCost"))
        return;
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

void createObject(const Args &info)
{
    if (requireRunning(info.GetIsolate(), "createObject"))
        info.GetReturnValue().Set(keep(new Probe));
}

void postEvent(const Args &info)
{
    Probe *pProbe = find<Probe>(info);
    if (!pProbe)
        return js::throwTypeError(info.GetIsolate(), QStringLiteral("postEvent: no such object"));
    pProbe->post();
}

void received(const Args &info)
{
    Probe *pProbe = find<Probe>(info);
    info.GetReturnValue().Set(pProbe ? pProbe->received() : -1);
}

void deleteLater(const Args &info)
{
    if (QObject *pObject = find(info))
        pObject->deleteLater();
}

void exists(const Args &info)
{
    info.GetReturnValue().Set(find(info) != nullptr);
}

void showWidget(const Args &info)
{
    v8::Isolate *pIsolate = info.GetIsolate();
    QString strTitle;
    QRect rc;
    if (!js::toString(pIsolate, info[0], &strTitle) || !js::toRect(pIsolate, info[1], &rc))
        return js::throwTypeError(pIsolate, QStringLiteral("showWidget(title, rect): a string and {x, y, width, height}"));
    if (!requireRunning(pIsolate, "showWidget"))
        return;
    auto *pWidget = new QWidget;
    pWidget->setWindowTitle(strTitle);
    pWidget->setGeometry(rc);
    pWidget->show();
    v8::Local<v8::Object> result = v8::Object::New(pIsolate);
    js::set(pIsolate, result, "id", v8::Integer::New(pIsolate, keep(pWidget)));
    js::set(pIsolate, result, "handle", js::str(pIsolate, QString::number(quintptr(pWidget->winId()))));
    info.GetReturnValue().Set(result);
}

void geometry(const Args &info)
{
    auto *pWidget = find<QWidget>(info);
    if (!pWidget)
        return info.GetReturnValue().SetNull();
    info.GetReturnValue().Set(js::rect(info.GetIsolate(), pWidget->geometry()));
}

void createPipe(const Args &info)
{
    if (!requireRunning(info.GetIsolate(), "createPipe"))
        return;
    auto *pProbe = new Probe;
    if (!pProbe->openPipe()) {
        delete pProbe;
        return js::throwError(info.GetIsolate(), QStringLiteral("createPipe: no pipe"));
    }
    info.GetReturnValue().Set(keep(pProbe));
}

void writePipe(const Args &info)
{
    v8::Isolate *pIsolate = info.GetIsolate();
    Probe *pProbe = find<Probe>(info);
    QString text;
    int iDelay = -1;
    if (!pProbe || !js::toString(pIsolate, info[1], &text)
        || (!info[2]->IsUndefined() && (!js::toInt(info[2], &iDelay) || iDelay < 0 || iDelay > 60000)))
        return js::throwTypeError(pIsolate, QStringLiteral("writePipe(id, text[, delayMs]): no such pipe or bad arguments"));
    pProbe->write(text.toUtf8(), iDelay);
}

void pipeReceived(const Args &info)
{
    Probe *pProbe = find<Probe>(info);
    if (!pProbe)
        return info.GetReturnValue().SetNull();
    info.GetReturnValue().Set(js::str(info.GetIsolate(), QString::fromUtf8(pProbe->pipeReceived())));
}

void runNestedLoop(const Args &info)
{
    if (!requireRunning(info.GetIsolate(), "runNestedLoop"))
        return;
    QEventLoop loop;
    info.GetReturnValue().Set(loop.exec());
}

void makeApplication(const Args &info)
{
    static int s_argc = 3;
    static char s_arg0[] = "node", s_arg1[] = "-platform", s_arg2[16] = {};
    static char *s_argv[] = {s_arg0, s_arg1, s_arg2, nullptr};
    QString strPlatform;
    if (!js::argString(info, 0, &strPlatform, "makeApplication", "\"offscreen\" or \"minimal\"")
        || !js::checkArg(info, 0, strPlatform == QLatin1String("offscreen") || strPlatform == QLatin1String("minimal"),
                         "makeApplication", "\"offscreen\" or \"minimal\""))
        return;
    if (QCoreApplication::instance())
        return info.GetReturnValue().SetNull();
    qstrncpy(s_arg2, strPlatform.toLatin1().constData(), sizeof(s_arg2));
    new QApplication(s_argc, s_argv);   // kept for the life of the process, as a shell keeps its own
    info.GetReturnValue().Set(js::str(info.GetIsolate(), QGuiApplication::platformName()));
}

} // namespace

NODE_MODULE_INIT(/* exports, module, context */)
{
    v8::Isolate *pIsolate = context->GetIsolate();
    // Qt belongs to the main thread: a worker gets nothing that could reach it.
    if (node::GetCurrentEventLoop(pIsolate) != uv_default_loop())
        return;
    const struct { const char *pszObject, *pszName; v8::FunctionCallback fn; } methods[] = {
        {"measure", "startTimer", startTimer}, {"measure", "stopTimer", stopTimer},
        {"measure", "remainingTime", remainingTime}, {"measure", "now", now}, {"measure", "jpegCost", jpegCost},
        {"qt", "createObject", createObject}, {"qt", "postEvent", postEvent}, {"qt", "received", received},
        {"qt", "deleteLater", deleteLater}, {"qt", "exists", exists}, {"qt", "showWidget", showWidget},
        {"qt", "geometry", geometry}, {"qt", "createPipe", createPipe}, {"qt", "writePipe", writePipe},
        {"qt", "pipeReceived", pipeReceived}, {"qt", "runNestedLoop", runNestedLoop},
        {"qt", "makeApplication", makeApplication},
    };
    v8::Local<v8::Object> measure = v8::Object::New(pIsolate), qt = v8::Object::New(pIsolate);
    for (const auto &m : methods)
        js::setMethod(pIsolate, m.pszObject[0] == 'm' ? measure : qt, m.pszName, m.fn);
    js::set(pIsolate, exports, "measure", measure);
    js::set(pIsolate, exports, "qt", qt);
}
