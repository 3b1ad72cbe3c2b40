#include "ScriptScope.h"

namespace {

v8::Isolate *s_pIsolate = nullptr;
// Process lifetime: the scope is used until the environment's cleanup.
v8::Global<v8::Context> *s_pContext = nullptr;
v8::Global<v8::Object> *s_pResource = nullptr;

} // namespace

namespace ScriptScope {

void install(v8::Isolate *pIsolate, v8::Local<v8::Context> context)
{
    if (s_pIsolate)
        return;
    s_pIsolate = pIsolate;
    s_pContext = new v8::Global<v8::Context>(pIsolate, context);
    s_pResource = new v8::Global<v8::Object>(pIsolate, v8::Object::New(pIsolate));
}

DispatchGuard guard()
{
    return [](const std::function<void()> &work) {
        v8::Isolate *pIsolate = s_pIsolate;
        if (!pIsolate) {
            work();
            return;
        }
        v8::HandleScope handleScope(pIsolate);
        v8::Local<v8::Context> context = s_pContext->Get(pIsolate);
        v8::Context::Scope contextScope(context);
        node::CallbackScope callbackScope(pIsolate, s_pResource->Get(pIsolate), {0, 0});
        work();
    };
}

void withContext(const std::function<void()> &work)
{
    v8::Isolate *pIsolate = s_pIsolate;
    if (!pIsolate) {
        work();
        return;
    }
    v8::HandleScope handleScope(pIsolate);
    v8::Context::Scope contextScope(s_pContext->Get(pIsolate));
    work();
}

v8::Local<v8::Object> resource(v8::Isolate *pIsolate)
{
    if (!s_pResource)
        return v8::Object::New(pIsolate);
    return s_pResource->Get(pIsolate);
}

} // namespace ScriptScope
