#include "WindowControlNode.h"

#include "CollectionWatch.h"
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

// From the event loop no handle scope need be open: every delivery has its own.
struct HandleScope
{
    explicit HandleScope(napi_env env)
        : m_env(env)
    {
        if (napi_open_handle_scope(env, &m_scope) != napi_ok)
            m_scope = nullptr;
    }
    ~HandleScope()
    {
        if (m_scope)
            napi_close_handle_scope(m_env, m_scope);
    }
    napi_env m_env;
    napi_handle_scope m_scope = nullptr;
};

void deliver(ModuleState &state, const QString &strMessage)
{
    napi_env env = state.env;
    // SetCallback keeps only functions: anything else drops the notification silently,
    // as throwing here would land in whatever raised it (another window's request, a
    // timer tick).
    napi_value callback, text;
    if (napi_get_reference_value(env, state.callback, &callback) != napi_ok || !callback)
        return;
    text = scriptString(env, strMessage);
    if (!text)
        return;

    // Raised by a method called since the callback further out (if any) began, or else
    // by the event loop, a thread's queued message or a shell's control.
    const bool bFromMethod = state.iScriptCallDepth > state.iDeliveryCallDepth;
    const DeliveryScope delivery(state);
    if (!bFromMethod) {
        callFromEvent(env, callback, text);
        return;
    }
    // The callback ran to its end, or threw to the method's caller; either way, what
    // it threw from calls of its own further in has been dealt with by the script.
    state.bExceptionPending = callFromMethod(env, callback, text);
}

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

WindowControl::~WindowControl() = default;

napi_value WindowControl::New(napi_env env, napi_callback_info info)
{
    size_t argc = 1;
    napi_value argument, self, newTarget;
    if (napi_get_cb_info(env, info, &argc, &argument, &self, nullptr) != napi_ok
        || napi_get_new_target(env, info, &newTarget) != napi_ok)
        return nullptr;

    if (newTarget) {
        auto *pObject = new WindowControl;
        if (napi_wrap(env, self, pObject, &WindowControl::Finalize, nullptr, &pObject->m_pScriptObject) != napi_ok) {
            delete pObject;
            return nullptr;
        }
        watchCollection(pObject->m_pScriptObject);
        return self;
    }
    // Called as a plain function: construct with the first argument (undefined when
    // there is none, as Node-API fills it in).
    ModuleState &state = moduleState();
    napi_value constructor, instance;
    if (!state.constructor || napi_get_reference_value(env, state.constructor, &constructor) != napi_ok
        || napi_new_instance(env, constructor, 1, &argument, &instance) != napi_ok)
        return nullptr;
    return instance;
}

void WindowControl::Finalize(napi_env env, void *pData, void *)
{
    auto *pObject = static_cast<WindowControl *>(pData);
    // Collecting any one script object silences notifications until SetCallback again,
    // unless a delivery or SetCallback has seen this one go already.
    if (forgetCollection(pObject->m_pScriptObject))
        resetCallback(moduleState());
    napi_delete_reference(env, pObject->m_pScriptObject);
    delete pObject;
}

void WindowControl::MessageProcess(QString strMessage)
{
    ModuleState &state = moduleState();
    if (!state.env || state.bUnloading || state.bExiting || !state.callback)
        return;   // no callback: the notification is dropped
    if (state.bExceptionPending) {
        // An earlier notification of this method call threw, and no script may run before
        // the method has returned it to its caller: this one comes from the event loop.
        QMetaObject::invokeMethod(this, [this, strMessage] { MessageProcess(strMessage); }, Qt::QueuedConnection);
        return;
    }
    const HandleScope handleScope(state.env);
    // A collection since the last look silences the callback as of now, and a collected
    // object delivers nothing, though their finalizers are yet to run.
    if (sweepCollected(state.env))
        resetCallback(state);
    napi_value self = nullptr;
    if (!state.callback || napi_get_reference_value(state.env, m_pScriptObject, &self) != napi_ok || !self)
        return;
    deliver(state, strMessage);
}

} // namespace WindowControlNode

// Meta-object code in this file, so that code linking the manager alone does not pull
// in the script binding.
#include "moc_WindowControlNode.cpp"
