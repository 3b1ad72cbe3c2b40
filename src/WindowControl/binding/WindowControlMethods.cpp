// The class's 42 methods and the module initialisation that registers them.
#include "WindowControlNode.h"

#include "ModuleState.h"
#include "ScriptText.h"
#include "manager/WindowControlManager.h"

namespace WindowControlNode {

namespace {

using RequestHandler = QString (WindowControlManager::*)(const QString &);

// A request method: the text to the manager's handler of the same name, its reply back.
template <RequestHandler handler>
void requestMethod(const v8::FunctionCallbackInfo<v8::Value> &info)
{
    const ScriptCallScope scriptCall;
    QString request;
    if (!argumentText(info, request))
        return;
    const QString reply = (WindowControlManager::GetInstance()->*handler)(request);
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

struct Method
{
    const char *pszName;
    v8::FunctionCallback callback;
};

// Registration order is the order the script sees on the prototype.
const Method kMethods[] = {
    {"StartService", &requestMethod<&WindowControlManager::StartService>},
    {"StopService", &requestMethod<&WindowControlManager::StopService>},
    {"RequestInterface", &requestMethod<&WindowControlManager::RequestInterface>},
    {"SetCallback", &SetCallback},
    {"CreateWnd", &requestMethod<&WindowControlManager::CreateWnd>},
    {"ShowWnd", &requestMethod<&WindowControlManager::ShowWnd>},
    {"HideWnd", &requestMethod<&WindowControlManager::HideWnd>},
    {"DestroyWnd", &requestMethod<&WindowControlManager::DestroyWnd>},
    {"SetWndGeometry", &requestMethod<&WindowControlManager::SetWndGeometry>},
    {"SetWndCover", &requestMethod<&WindowControlManager::SetWndCover>},
    {"ChangePlayMode", &requestMethod<&WindowControlManager::ChangePlayMode>},
    {"SetLanguageType", &requestMethod<&WindowControlManager::SetLanguageType>},
    {"InitLoginInfo", &requestMethod<&WindowControlManager::InitLoginInfo>},
    {"SetTranslateFile", &requestMethod<&WindowControlManager::SetTranslateFile>},
    {"SwitchToSimple", &requestMethod<&WindowControlManager::SwitchToSimple>},
    {"UpdateParentWnd", &requestMethod<&WindowControlManager::UpdateParentWnd>},
    {"CuttingPartWindow", &requestMethod<&WindowControlManager::CuttingPartWindow>},
    {"RepairPartWindow", &requestMethod<&WindowControlManager::RepairPartWindow>},
    {"SetFirstDayOfWeek", &requestMethod<&WindowControlManager::SetFirstDayOfWeek>},
    {"SetHubToken", &requestMethod<&WindowControlManager::SetHubToken>},
    {"StartPlay", &requestMethod<&WindowControlManager::StartPlay>},
    {"StopPlay", &requestMethod<&WindowControlManager::StopPlay>},
    {"SetPreview3DPosition", &requestMethod<&WindowControlManager::SetPreview3DPosition>},
    {"StopTotal", &requestMethod<&WindowControlManager::StopTotal>},
    {"SetDragMode", &requestMethod<&WindowControlManager::SetDragMode>},
    {"ShowErrorInfoInFullScreen", &requestMethod<&WindowControlManager::ShowErrorInfoInFullScreen>},
    {"SetNumberOfWindows", &requestMethod<&WindowControlManager::SetNumberOfWindows>},
    {"GetFishEyePTZPreset", &requestMethod<&WindowControlManager::GetFishEyePTZPreset>},
    {"SetFishEyePTZPreset", &requestMethod<&WindowControlManager::SetFishEyePTZPreset>},
    {"ControlFishEyePTZ", &requestMethod<&WindowControlManager::ControlFishEyePTZ>},
    {"ControlFishEyeParol", &requestMethod<&WindowControlManager::ControlFishEyeParol>},
    {"SetVanePlayInfo", &requestMethod<&WindowControlManager::SetVanePlayInfo>},
    {"SetWndAutoPanState", &requestMethod<&WindowControlManager::SetWndAutoPanState>},
    {"SetLocalConfig", &SetLocalConfig},
    {"ConnectClose", &ConnectClose},
    {"StartDownloadCameraHeatValue", &requestMethod<&WindowControlManager::StartDownloadCameraHeatValue>},
    {"OpenPtzWnd", &requestMethod<&WindowControlManager::OpenPtzWnd>},
    {"HandleRequest", &requestMethod<&WindowControlManager::HandleRequest>},
    {"TriggerMouseEvent", &requestMethod<&WindowControlManager::TriggerMouseEvent>},
    {"GrabOpen", &requestMethod<&WindowControlManager::GrabOpen>},
    {"RestoreWnd", &requestMethod<&WindowControlManager::RestoreWnd>},
    {"SimMouseClickEvent", &requestMethod<&WindowControlManager::SimMouseClickEvent>},
};
static_assert(sizeof(kMethods) / sizeof(kMethods[0]) == 42, "the script class has 42 methods");

} // namespace

void WindowControl::Init(v8::Local<v8::Object> exports)
{
    v8::Isolate *isolate = exports->GetIsolate();
    const v8::Local<v8::Context> context = isolate->GetCurrentContext();

    v8::Local<v8::FunctionTemplate> classTemplate = v8::FunctionTemplate::New(isolate, New);
    classTemplate->SetClassName(v8::String::NewFromUtf8Literal(isolate, "WindowControl"));
    classTemplate->InstanceTemplate()->SetInternalFieldCount(1);
    // Each method carries the class signature: the engine rejects a foreign receiver.
    for (const Method &method : kMethods)
        NODE_SET_PROTOTYPE_METHOD(classTemplate, method.pszName, method.callback);

    ModuleState &state = moduleState();
    state.constructor.Reset(isolate, classTemplate->GetFunction(context).ToLocalChecked());
    state.context.Reset(isolate, context);
    exports->Set(context, v8::String::NewFromUtf8Literal(isolate, "WindowControl"),
                 classTemplate->GetFunction(context).ToLocalChecked()).Check();
    registerModuleCleanup(isolate);
}

} // namespace WindowControlNode
