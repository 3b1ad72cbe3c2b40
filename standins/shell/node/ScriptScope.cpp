#include "ScriptScope.h"

namespace {

// Process lifetime: the scope is used until the environment's cleanup.
napi_env s_env = nullptr;
napi_ref s_resource = nullptr;
napi_async_context s_asyncContext = nullptr;

class HandleScope
{
public:
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
    HandleScope(const HandleScope &) = delete;
    HandleScope &operator=(const HandleScope &) = delete;

private:
    napi_env m_env;
    napi_handle_scope m_scope = nullptr;
};

} // namespace

namespace ScriptScope {

void install(napi_env env)
{
    if (s_env)
        return;
    napi_value resource, name;
    if (napi_create_object(env, &resource) != napi_ok || napi_create_reference(env, resource, 1, &s_resource) != napi_ok
        || napi_create_string_utf8(env, "QtDispatch", NAPI_AUTO_LENGTH, &name) != napi_ok
        || napi_async_init(env, resource, name, &s_asyncContext) != napi_ok)
        return;
    s_env = env;
}

DispatchGuard guard()
{
    return [](const std::function<void()> &work) {
        napi_env env = s_env;
        if (!env) {
            work();
            return;
        }
        const HandleScope handleScope(env);
        napi_value resource = nullptr;
        napi_callback_scope scope = nullptr;
        if (napi_get_reference_value(env, s_resource, &resource) != napi_ok
            || napi_open_callback_scope(env, resource, s_asyncContext, &scope) != napi_ok)
            scope = nullptr;
        work();
        if (scope)
            napi_close_callback_scope(env, scope);
    };
}

void withHandleScope(const std::function<void()> &work)
{
    if (!s_env) {
        work();
        return;
    }
    const HandleScope handleScope(s_env);
    work();
}

} // namespace ScriptScope
