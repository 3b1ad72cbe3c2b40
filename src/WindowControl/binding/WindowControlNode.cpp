#include "WindowControlNode.h"

#include "ModuleState.h"
#include "ScriptText.h"
#include "manager/WindowControlManager.h"

#include <cstdio>

namespace WindowControlNode {

namespace {

// A callback that throws from a Qt event or timer has no script caller to take the
// exception; it is written to stderr and goes no further.
void reportCallbackException(v8::Isolate *isolate, v8::Local<v8::Context> context, const v8::TryCatch &tryCatch)
{
    v8::Local<v8::Value> detail;
    if (!tryCatch.StackTrace(context).ToLocal(&detail) || !detail->IsString())
        detail = tryCatch.Exception();
    v8::String::Utf8Value text(isolate, detail);
    std::fprintf(stderr, "WindowControl: notification callback threw: %s\n", *text ? *text : "(exception)");
    std::fflush(stderr);
}

// Marks a notification on its way to the callback (see onProcessExit).
struct DeliveryScope
{
    explicit DeliveryScope(ModuleState &state) : m_state(state) { ++m_state.iDeliveryDepth; }
    ~DeliveryScope() { --m_state.iDeliveryDepth; }
    ModuleState &m_state;
};

} // namespace

WindowControl::WindowControl()
    : QObject(nullptr)
{
    // Every notification reaches the same slot; the text itself says what it is.
    WindowControlManager *pManager = WindowControlManager::GetInstance();
    connect(pManager, &WindowControlManager::setSelectWnd, this, &WindowControl::MessageProcess);
    connect(pManager, &WindowControlManager::togglePTZ, this, &WindowControl::MessageProcess);
    connect(pManager, &WindowControlManager::quitedFullScreen, this, &WindowControl::MessageProcess);
    connect(pManager, &WindowControlManager::integrationCallBack, this, &WindowControl::MessageProcess);
    connect(pManager, &WindowControlManager::updateCameraIcon, this, &WindowControl::MessageProcess);
    connect(pManager, &WindowControlManager::getLastError, this, &WindowControl::MessageProcess);
    connect(pManager, &WindowControlManager::talkUrlEmpty, this, &WindowControl::MessageProcess);
    connect(pManager, &WindowControlManager::previewWnd3DPostion, this, &WindowControl::MessageProcess);
    connect(pManager, &WindowControlManager::showDisplayInfo, this, &WindowControl::MessageProcess);
    connect(pManager, &WindowControlManager::gotoPlayback, this, &WindowControl::MessageProcess);
    connect(pManager, &WindowControlManager::stopPlayAll, this, &WindowControl::MessageProcess);
    connect(pManager, &WindowControlManager::wheelEvent, this, &WindowControl::MessageProcess);
    connect(pManager, &WindowControlManager::manuallyClose, this, &WindowControl::MessageProcess);
    connect(pManager, &WindowControlManager::fisheyeExpandChanged, this, &WindowControl::MessageProcess);
    connect(pManager, &WindowControlManager::getVanePlayInfo, this, &WindowControl::MessageProcess);
    connect(pManager, &WindowControlManager::wndPtzControl, this, &WindowControl::MessageProcess);
    connect(pManager, &WindowControlManager::heatMap, this, &WindowControl::MessageProcess);
    connect(pManager, &WindowControlManager::update3DState, this, &WindowControl::MessageProcess);
    connect(pManager, &WindowControlManager::sendMessage, this, &WindowControl::MessageProcess);
    connect(pManager, &WindowControlManager::sendMessage2Web, this, &WindowControl::MessageProcess);
}

WindowControl::~WindowControl()
{
    // Collecting any one script object silences notifications until SetCallback again.
    moduleState().callback.Reset();
}

void WindowControl::New(const v8::FunctionCallbackInfo<v8::Value> &info)
{
    v8::Isolate *isolate = info.GetIsolate();
    ModuleState &state = moduleState();
    if (state.context.IsEmpty())
        state.context.Reset(isolate, isolate->GetCurrentContext());

    if (info.IsConstructCall()) {
        WindowControl *pObject = new WindowControl;
        pObject->Wrap(info.This());
        info.GetReturnValue().Set(info.This());
        return;
    }
    // Called as a plain function: construct with the first argument.
    if (state.constructor.IsEmpty())
        return;
    v8::Local<v8::Value> argv[1] = {info.Length() > 0 ? info[0] : v8::Undefined(isolate).As<v8::Value>()};
    v8::Local<v8::Object> instance;
    if (state.constructor.Get(isolate)->NewInstance(isolate->GetCurrentContext(), 1, argv).ToLocal(&instance))
        info.GetReturnValue().Set(instance);
}

void WindowControl::MessageProcess(QString strMessage)
{
    ModuleState &state = moduleState();
    v8::Isolate *isolate = v8::Isolate::GetCurrent();
    if (!isolate || state.bUnloading || state.callback.IsEmpty())
        return;   // no callback: the notification is dropped

    v8::HandleScope handleScope(isolate);
    // From the event loop no context may be entered: use the module's.
    const v8::Local<v8::Context> context =
        isolate->InContext() ? isolate->GetCurrentContext() : state.context.Get(isolate);
    if (context.IsEmpty())
        return;
    v8::Context::Scope contextScope(context);

    // SetCallback stores any value. One that cannot be called drops the notification
    // silently: throwing here would land in whatever raised it (another window's
    // request, a timer tick).
    const v8::Local<v8::Value> callback = state.callback.Get(isolate);
    if (!callback->IsFunction())
        return;
    v8::Local<v8::String> text;
    if (!scriptString(isolate, strMessage).ToLocal(&text))
        return;
    v8::Local<v8::Value> argv[1] = {text};
    const v8::Local<v8::Object> global = context->Global();
    const DeliveryScope delivery(state);

    if (state.iScriptCallDepth > 0) {
        // Raised by one of the class's methods: an exception goes back to its caller.
        // Once one is on its way, no script runs until that method returns, so later
        // notifications of the same call are dropped.
        if (state.iThrownAtDepth == state.iScriptCallDepth)
            return;
        v8::TryCatch tryCatch(isolate);
        const v8::MaybeLocal<v8::Value> result = callback.As<v8::Function>()->Call(context, global, 1, argv);
        Q_UNUSED(result)
        if (tryCatch.HasCaught()) {
            state.iThrownAtDepth = state.iScriptCallDepth;
            tryCatch.ReThrow();
        }
        return;
    }
    // From a Qt event or timer: as a callback of Node's, so that promise jobs and
    // process.nextTick queued by the callback run right after it; an exception has no
    // caller to go to and must not reach whatever code raised the event.
    v8::TryCatch tryCatch(isolate);
    const v8::MaybeLocal<v8::Value> result =
        node::MakeCallback(isolate, global, callback.As<v8::Function>(), 1, argv, node::async_context{0, 0});
    Q_UNUSED(result)
    if (tryCatch.HasCaught() && !tryCatch.HasTerminated())
        reportCallbackException(isolate, context, tryCatch);
}

} // namespace WindowControlNode

// Meta-object code in this file, so that code linking the manager alone does not pull
// in the script engine.
#include "moc_WindowControlNode.cpp"
