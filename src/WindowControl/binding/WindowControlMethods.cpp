// The class's 42 methods and the module initialisation that registers them.
#include "WindowControlNode.h"

#include "CollectionWatch.h"
#include "ModuleState.h"
#include "ScriptText.h"
#include "manager/RequestTable.h"

#include <iterator>

namespace WindowControlNode {

namespace {

// The call's first argument; undefined when there is none, as Node-API fills it in.
napi_value firstArgument(napi_env env, napi_callback_info info, void **ppData = nullptr)
{
    size_t argc = 1;
    napi_value argument = nullptr;
    if (napi_get_cb_info(env, info, &argc, &argument, nullptr, ppData) != napi_ok)
        return nullptr;
    return argument;
}

// A request method: the text to the manager's handler in the table row the method was
// registered with (the function's data), its reply back.
napi_value requestMethod(napi_env env, napi_callback_info info)
{
    const ScriptCallScope scriptCall;
    void *pData = nullptr;
    const napi_value argument = firstArgument(env, info, &pData);
    if (!argument || !pData)
        return nullptr;
    const auto *pEntry = static_cast<const RequestEntry *>(pData);
    const QString reply = (WindowControlManager::GetInstance()->*pEntry->handler)(argumentText(env, argument));
    // A callback that threw during the request: Node-API throws that instead.
    return scriptString(env, reply);
}

// Replaces the one module-wide callback, whatever the receiver and whatever the value;
// only a function will ever be called, so nothing else is kept.
napi_value SetCallback(napi_env env, napi_callback_info info)
{
    ModuleState &state = moduleState();
    // Collections so far are past: the new callback stays until the next one.
    sweepCollected(env);
    resetCallback(state);
    const napi_value argument = firstArgument(env, info);
    napi_valuetype type = napi_undefined;
    if (argument && napi_typeof(env, argument, &type) == napi_ok && type == napi_function)
        napi_create_reference(env, argument, 1, &state.callback);
    return nullptr;
}

napi_value SetLocalConfig(napi_env env, napi_callback_info info)
{
    const ScriptCallScope scriptCall;
    if (const napi_value argument = firstArgument(env, info))
        WindowControlManager::GetInstance()->SetLocalConfig(argumentText(env, argument));
    return nullptr;
}

napi_value ConnectClose(napi_env env, napi_callback_info info)
{
    const ScriptCallScope scriptCall;
    if (const napi_value argument = firstArgument(env, info))
        WindowControlManager::GetInstance()->ConnectClose(argumentText(env, argument));
    return nullptr;
}

napi_callback callbackOf(RequestKind kind)
{
    switch (kind) {
    case RequestKind::Reply:
        return &requestMethod;
    case RequestKind::Callback:
        return &SetCallback;
    case RequestKind::Config:
        return &SetLocalConfig;
    case RequestKind::Close:
        return &ConnectClose;
    }
    return nullptr;
}

} // namespace

napi_value WindowControl::Init(napi_env env, napi_value exports)
{
    ModuleState &state = moduleState();
    // Loaded again into the same environment: the class it has. Another environment (a
    // worker) gets nothing: the manager and its Qt objects belong to the main thread.
    if (state.env) {
        napi_value constructor;
        if (state.env == env && state.constructor && napi_get_reference_value(env, state.constructor, &constructor) == napi_ok)
            napi_set_named_property(env, exports, "WindowControl", constructor);
        return exports;
    }

    // In table order, which is the order the script sees on the prototype, writable,
    // enumerable and configurable as plain prototype methods are; a request method has
    // its row as data. Node-API gives class methods the class signature: the engine
    // rejects a foreign receiver.
    constexpr size_t kCount = std::size(kRequestTable);
    napi_property_descriptor aProperties[kCount] = {};
    for (size_t i = 0; i < kCount; ++i) {
        const RequestEntry &entry = kRequestTable[i];
        aProperties[i].utf8name = entry.pszName;
        aProperties[i].method = callbackOf(entry.kind);
        aProperties[i].attributes = napi_property_attributes(napi_writable | napi_enumerable | napi_configurable);
        aProperties[i].data = entry.kind == RequestKind::Reply ? const_cast<RequestEntry *>(&entry) : nullptr;
    }
    napi_value constructor;
    if (napi_define_class(env, "WindowControl", NAPI_AUTO_LENGTH, &WindowControl::New, nullptr, kCount, aProperties,
                          &constructor) != napi_ok
        || napi_create_reference(env, constructor, 1, &state.constructor) != napi_ok)
        return nullptr;
    state.env = env;
    napi_set_named_property(env, exports, "WindowControl", constructor);
    registerModuleCleanup(env);
    return exports;
}

} // namespace WindowControlNode
