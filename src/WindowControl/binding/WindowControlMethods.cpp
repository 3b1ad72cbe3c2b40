// The class's 42 methods and the module initialisation that registers them.
#include "WindowControlNode.h"

#include "ModuleState.h"
#include "ScriptText.h"
#include "manager/RequestTable.h"

namespace WindowControlNode {

namespace {

// A request method: the text to the manager's handler in the table row the method was
// registered with (the function's data), its reply back.
void requestMethod(const v8::FunctionCallbackInfo<v8::Value> &info)
{
    const ScriptCallScope scriptCall;
    QString request;
    if (!argumentText(info, request))
        return;
    const auto *pEntry = static_cast<const RequestEntry *>(info.Data().As<v8::External>()->Value());
    const QString reply = (WindowControlManager::GetInstance()->*pEntry->handler)(request);
    v8::Local<v8::String> result;
    if (scriptString(info.GetIsolate(), reply).ToLocal(&result))
        info.GetReturnValue().Set(result);
}

// Replaces the one module-wide callback, whatever the receiver and whatever the value.
void SetCallback(const v8::FunctionCallbackInfo<v8::Value> &info)
{
    v8::Isolate *isolate = info.GetIsolate();
    ModuleState &state = moduleState();
    state.callback.Reset();
    state.callback.Reset(isolate, info.Length() > 0 ? info[0] : v8::Undefined(isolate).As<v8::Value>());
}

void SetLocalConfig(const v8::FunctionCallbackInfo<v8::Value> &info)
{
    const ScriptCallScope scriptCall;
    QString config;
    if (argumentText(info, config))
        WindowControlManager::GetInstance()->SetLocalConfig(config);
}

void ConnectClose(const v8::FunctionCallbackInfo<v8::Value> &info)
{
    const ScriptCallScope scriptCall;
    QString uuid;
    if (!argumentText(info, uuid))
        return;
    WindowControlManager::GetInstance()->ConnectClose(uuid);
    info.GetReturnValue().SetUndefined();
}

v8::FunctionCallback callbackOf(RequestKind kind)
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

void WindowControl::Init(v8::Local<v8::Object> exports)
{
    v8::Isolate *isolate = exports->GetIsolate();
    const v8::Local<v8::Context> context = isolate->GetCurrentContext();

    v8::Local<v8::FunctionTemplate> classTemplate = v8::FunctionTemplate::New(isolate, New);
    classTemplate->SetClassName(v8::String::NewFromUtf8Literal(isolate, "WindowControl"));
    classTemplate->InstanceTemplate()->SetInternalFieldCount(1);
    // In table order, which is the order the script sees on the prototype. Each method as
    // NODE_SET_PROTOTYPE_METHOD makes it, with its row as the data of a request method;
    // the class signature makes the engine reject a foreign receiver.
    const v8::Local<v8::Signature> signature = v8::Signature::New(isolate, classTemplate);
    for (const RequestEntry &entry : kRequestTable) {
        v8::Local<v8::Value> data;
        if (entry.kind == RequestKind::Reply)
            data = v8::External::New(isolate, const_cast<RequestEntry *>(&entry));
        const v8::Local<v8::FunctionTemplate> method =
            v8::FunctionTemplate::New(isolate, callbackOf(entry.kind), data, signature);
        const v8::Local<v8::String> name =
            v8::String::NewFromUtf8(isolate, entry.pszName, v8::NewStringType::kInternalized).ToLocalChecked();
        method->SetClassName(name);
        classTemplate->PrototypeTemplate()->Set(name, method);
    }

    ModuleState &state = moduleState();
    state.constructor.Reset(isolate, classTemplate->GetFunction(context).ToLocalChecked());
    state.context.Reset(isolate, context);
    exports->Set(context, v8::String::NewFromUtf8Literal(isolate, "WindowControl"),
                 classTemplate->GetFunction(context).ToLocalChecked()).Check();
    registerModuleCleanup(isolate);
}

} // namespace WindowControlNode
