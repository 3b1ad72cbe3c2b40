#pragma once

#include "RequestEnvelope.h"
#include "WindowControlManager.h"

#include <QJsonObject>

#include <type_traits>

// How a method of the script class takes its text.
enum class RequestKind
{
    Reply,      // a JSON request, answered by the manager's handler of the same name
    Callback,   // SetCallback: the function stays with the binding; no handler
    Config,     // SetLocalConfig: the bare text to every component; no reply
    Close,      // ConnectClose: the bare window key; no reply
};

struct RequestEntry
{
    const char *pszName;        // the method's name, and its handler's
    RequestKind kind;
    RequestHandler handler;     // RequestKind::Reply only
    int iModule;                // "errorModule" of the reply when the request fails
    const char *pszExtraKey;    // the key the reply carries besides the envelope's, or null
};

// The script class's 42 methods, in the order the class registers them (the order a page
// sees on the prototype). The binding registers its methods from here, the handlers take
// their modules from here, and the request fuzzer, its seeds and the Node tests (through
// the copy tests/manager writes into the build) read it.
inline constexpr RequestEntry kRequestTable[] = {
    // name                          kind                    handler                                               module               extra key
    {"StartService",                 RequestKind::Reply,    &WindowControlManager::StartService,                 ErrorModule::Window, nullptr},
    {"StopService",                  RequestKind::Reply,    &WindowControlManager::StopService,                  ErrorModule::Window, nullptr},
    {"RequestInterface",             RequestKind::Reply,    &WindowControlManager::RequestInterface,             ErrorModule::Window, "responseMsg"},
    {"SetCallback",                  RequestKind::Callback, nullptr,                                             ErrorModule::None,   nullptr},
    {"CreateWnd",                    RequestKind::Reply,    &WindowControlManager::CreateWnd,                    ErrorModule::Window, nullptr},
    {"ShowWnd",                      RequestKind::Reply,    &WindowControlManager::ShowWnd,                      ErrorModule::Window, nullptr},
    {"HideWnd",                      RequestKind::Reply,    &WindowControlManager::HideWnd,                      ErrorModule::Window, nullptr},
    {"DestroyWnd",                   RequestKind::Reply,    &WindowControlManager::DestroyWnd,                   ErrorModule::Window, nullptr},
    {"SetWndGeometry",               RequestKind::Reply,    &WindowControlManager::SetWndGeometry,               ErrorModule::Window, nullptr},
    {"SetWndCover",                  RequestKind::Reply,    &WindowControlManager::SetWndCover,                  ErrorModule::Window, nullptr},
    {"ChangePlayMode",               RequestKind::Reply,    &WindowControlManager::ChangePlayMode,               ErrorModule::Window, nullptr},
    {"SetLanguageType",              RequestKind::Reply,    &WindowControlManager::SetLanguageType,              ErrorModule::Window, nullptr},
    {"InitLoginInfo",                RequestKind::Reply,    &WindowControlManager::InitLoginInfo,                ErrorModule::Window, nullptr},
    {"SetTranslateFile",             RequestKind::Reply,    &WindowControlManager::SetTranslateFile,             ErrorModule::Window, nullptr},
    {"SwitchToSimple",               RequestKind::Reply,    &WindowControlManager::SwitchToSimple,               ErrorModule::Window, nullptr},
    {"UpdateParentWnd",              RequestKind::Reply,    &WindowControlManager::UpdateParentWnd,              ErrorModule::Window, nullptr},
    {"CuttingPartWindow",            RequestKind::Reply,    &WindowControlManager::CuttingPartWindow,            ErrorModule::Window, nullptr},
    {"RepairPartWindow",             RequestKind::Reply,    &WindowControlManager::RepairPartWindow,             ErrorModule::Window, nullptr},
    {"SetFirstDayOfWeek",            RequestKind::Reply,    &WindowControlManager::SetFirstDayOfWeek,            ErrorModule::Window, nullptr},
    {"SetHubToken",                  RequestKind::Reply,    &WindowControlManager::SetHubToken,                  ErrorModule::Video,  nullptr},
    {"StartPlay",                    RequestKind::Reply,    &WindowControlManager::StartPlay,                    ErrorModule::Video,  nullptr},
    {"StopPlay",                     RequestKind::Reply,    &WindowControlManager::StopPlay,                     ErrorModule::Video,  nullptr},
    {"SetPreview3DPosition",         RequestKind::Reply,    &WindowControlManager::SetPreview3DPosition,         ErrorModule::Video,  nullptr},
    {"StopTotal",                    RequestKind::Reply,    &WindowControlManager::StopTotal,                    ErrorModule::Video,  nullptr},
    {"SetDragMode",                  RequestKind::Reply,    &WindowControlManager::SetDragMode,                  ErrorModule::Video,  nullptr},
    {"ShowErrorInfoInFullScreen",    RequestKind::Reply,    &WindowControlManager::ShowErrorInfoInFullScreen,    ErrorModule::Video,  nullptr},
    {"SetNumberOfWindows",           RequestKind::Reply,    &WindowControlManager::SetNumberOfWindows,           ErrorModule::Video,  nullptr},
    {"GetFishEyePTZPreset",          RequestKind::Reply,    &WindowControlManager::GetFishEyePTZPreset,          ErrorModule::Video,  "presetInfo"},
    {"SetFishEyePTZPreset",          RequestKind::Reply,    &WindowControlManager::SetFishEyePTZPreset,          ErrorModule::Video,  nullptr},
    {"ControlFishEyePTZ",            RequestKind::Reply,    &WindowControlManager::ControlFishEyePTZ,            ErrorModule::Video,  nullptr},
    {"ControlFishEyeParol",          RequestKind::Reply,    &WindowControlManager::ControlFishEyeParol,          ErrorModule::Video,  nullptr},
    {"SetVanePlayInfo",              RequestKind::Reply,    &WindowControlManager::SetVanePlayInfo,              ErrorModule::Video,  nullptr},
    {"SetWndAutoPanState",           RequestKind::Reply,    &WindowControlManager::SetWndAutoPanState,           ErrorModule::Video,  nullptr},
    {"SetLocalConfig",               RequestKind::Config,   nullptr,                                             ErrorModule::None,   nullptr},
    {"ConnectClose",                 RequestKind::Close,    nullptr,                                             ErrorModule::None,   nullptr},
    {"StartDownloadCameraHeatValue", RequestKind::Reply,    &WindowControlManager::StartDownloadCameraHeatValue, ErrorModule::Video,  nullptr},
    {"OpenPtzWnd",                   RequestKind::Reply,    &WindowControlManager::OpenPtzWnd,                   ErrorModule::Video,  nullptr},
    {"HandleRequest",                RequestKind::Reply,    &WindowControlManager::HandleRequest,                ErrorModule::Window, "message"},
    {"TriggerMouseEvent",            RequestKind::Reply,    &WindowControlManager::TriggerMouseEvent,            ErrorModule::Window, nullptr},
    {"GrabOpen",                     RequestKind::Reply,    &WindowControlManager::GrabOpen,                     ErrorModule::Window, nullptr},
    {"RestoreWnd",                   RequestKind::Reply,    &WindowControlManager::RestoreWnd,                   ErrorModule::Window, nullptr},
    {"SimMouseClickEvent",           RequestKind::Reply,    &WindowControlManager::SimMouseClickEvent,           ErrorModule::Window, nullptr},
};
static_assert(sizeof(kRequestTable) / sizeof(kRequestTable[0]) == 42, "the script class has 42 methods");

// The row of a handler, or null.
inline const RequestEntry *requestEntry(RequestHandler handler)
{
    for (const RequestEntry &entry : kRequestTable) {
        if (entry.handler == handler)
            return &entry;
    }
    return nullptr;
}

// The module a handler's failures report, looked up on its first use. (Member pointers
// are compared at run time: some compilers cannot compare them in constant expressions.)
template <RequestHandler handler>
int moduleOf()
{
    static const int iModule = [] {
        const RequestEntry *pEntry = requestEntry(handler);
        Q_ASSERT_X(pEntry, "moduleOf", "a request handler without a row in the request table");
        return pEntry ? pEntry->iModule : int(ErrorModule::None);
    }();
    return iModule;
}

template <RequestHandler self, typename Forward>
QString WindowControlManager::forward(const QString &request, Forward forwardTo)
{
    RequestEnvelope envelope(request, moduleOf<self>());
    if (envelope.isParsed()) {
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            if constexpr (std::is_invocable_v<Forward, WindowControl *, const QJsonObject &>)
                forwardTo(pHost, envelope.object());
            else
                (pHost->*forwardTo)();
        }
    }
    return envelope.reply();
}
