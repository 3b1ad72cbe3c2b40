#include "WindowControlNode.h"

#include "ModuleState.h"
#include "ScriptCallback.h"
#include "ScriptText.h"
#include "host/NotificationSignals.h"
#include "manager/WindowControlManager.h"

namespace WindowControlNode {

namespace {

// Marks a notification on its way to the callback (see onProcessExit), and the method
// call depth it started at: a notification raised further in is a method's only when
// one of the class's methods was called since.
struct DeliveryScope
{
    explicit DeliveryScope(ModuleState &state)
        : m_state(state)
        , m_iOuterCallDepth(state.iDeliveryCallDepth)
    {
        ++m_state.iDeliveryDepth;
        m_state.iDeliveryCallDepth = m_state.iScriptCallDepth;
    }
    ~DeliveryScope()
    {
        m_state.iDeliveryCallDepth = m_iOuterCallDepth;
        --m_state.iDeliveryDepth;
    }
    ModuleState &m_state;
    const int m_iOuterCallDepth;
};

} // namespace

WindowControl::WindowControl()
    : QObject(nullptr)
{
    // Every notification reaches the same slot; the text itself says what it is.
    WindowControlManager *pManager = WindowControlManager::GetInstance();
#define CONNECT_NOTIFICATION(notification) \
    connect(pManager, &WindowControlManager::notification, this, &WindowControl::MessageProcess);
    WINDOWCONTROL_SCRIPT_NOTIFICATIONS(CONNECT_NOTIFICATION)
#undef CONNECT_NOTIFICATION
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
    if (!isolate || state.bUnloading || state.bExiting || state.callback.IsEmpty())
        return;   // no callback: the notification is dropped
    if (state.bExceptionPending) {
        // An earlier notification of this method call threw, and no script may run before
        // the method has returned it to its caller: this one comes from the event loop.
        QMetaObject::invokeMethod(this, [this, strMessage] { MessageProcess(strMessage); }, Qt::QueuedConnection);
        return;
    }

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

    // Raised by a method called since the callback further out (if any) began, or else
    // by the event loop, a thread's queued message or a shell's control.
    const bool bFromMethod = state.iScriptCallDepth > state.iDeliveryCallDepth;
    const DeliveryScope delivery(state);
    if (!bFromMethod) {
        callFromEvent(isolate, context, callback.As<v8::Function>(), text);
        return;
    }
    // The callback ran to its end, or threw to the method's caller; either way, what
    // it threw from calls of its own further in has been dealt with by the script.
    state.bExceptionPending = callFromMethod(isolate, context, callback.As<v8::Function>(), text);
}

} // namespace WindowControlNode

// Meta-object code in this file, so that code linking the manager alone does not pull
// in the script engine.
#include "moc_WindowControlNode.cpp"
