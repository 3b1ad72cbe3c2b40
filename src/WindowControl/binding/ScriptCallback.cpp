#include "ScriptCallback.h"

namespace WindowControlNode {

namespace {

bool exceptionPending(napi_env env)
{
    bool bPending = false;
    return napi_is_exception_pending(env, &bPending) == napi_ok && bPending;
}

} // namespace

bool callFromMethod(napi_env env, napi_value callback, napi_value argument)
{
    napi_value global, result;
    if (napi_get_global(env, &global) != napi_ok)
        return false;
    napi_call_function(env, global, callback, 1, &argument, &result);
    // Left in the environment: Node-API throws it to the method's caller on return.
    return exceptionPending(env);
}

void callFromEvent(napi_env env, napi_value callback, napi_value argument)
{
    napi_value global, result;
    if (napi_get_global(env, &global) != napi_ok)
        return;
    napi_make_callback(env, nullptr, global, callback, 1, &argument, &result);
    if (!exceptionPending(env))
        return;
    // Handed on as Node hands on a throw from its own callbacks: 'uncaughtException'
    // runs now, or Node prints its report and exits.
    napi_value exception;
    if (napi_get_and_clear_last_exception(env, &exception) == napi_ok)
        napi_fatal_exception(env, exception);
}

} // namespace WindowControlNode
