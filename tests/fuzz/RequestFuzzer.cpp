// libFuzzer entry: arbitrary bytes as the request text of every manager handler, over a
// desktop with live window hosts. The first byte picks the handler (byte - '@', modulo
// the table size, so '@' is StartService, 'A' StopService, ...), the rest is the text.
// Every reply must be a well-formed envelope for its request; anything else aborts.
#include "FuzzWorld.h"

#include "manager/WindowControlManager.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

using Reply = QString (WindowControlManager::*)(const QString &);

struct Handler
{
    const char *pszName;
    Reply reply;            // null for the two requests without a reply
    int iModule;
    const char *pszExtra;   // the request's extra reply key, or null
};

const Handler kHandlers[] = {
    {"StartService", &WindowControlManager::StartService, 5, nullptr},
    {"StopService", &WindowControlManager::StopService, 5, nullptr},
    {"RequestInterface", &WindowControlManager::RequestInterface, 5, "responseMsg"},
    {"CreateWnd", &WindowControlManager::CreateWnd, 5, nullptr},
    {"ShowWnd", &WindowControlManager::ShowWnd, 5, nullptr},
    {"HideWnd", &WindowControlManager::HideWnd, 5, nullptr},
    {"DestroyWnd", &WindowControlManager::DestroyWnd, 5, nullptr},
    {"SetWndGeometry", &WindowControlManager::SetWndGeometry, 5, nullptr},
    {"SetWndCover", &WindowControlManager::SetWndCover, 5, nullptr},
    {"ChangePlayMode", &WindowControlManager::ChangePlayMode, 5, nullptr},
    {"SetLanguageType", &WindowControlManager::SetLanguageType, 5, nullptr},
    {"InitLoginInfo", &WindowControlManager::InitLoginInfo, 5, nullptr},
    {"SetTranslateFile", &WindowControlManager::SetTranslateFile, 5, nullptr},
    {"SwitchToSimple", &WindowControlManager::SwitchToSimple, 5, nullptr},
    {"UpdateParentWnd", &WindowControlManager::UpdateParentWnd, 5, nullptr},
    {"CuttingPartWindow", &WindowControlManager::CuttingPartWindow, 5, nullptr},
    {"RepairPartWindow", &WindowControlManager::RepairPartWindow, 5, nullptr},
    {"SetFirstDayOfWeek", &WindowControlManager::SetFirstDayOfWeek, 5, nullptr},
    {"SetHubToken", &WindowControlManager::SetHubToken, 3, nullptr},
    {"StartPlay", &WindowControlManager::StartPlay, 3, nullptr},
    {"StopPlay", &WindowControlManager::StopPlay, 3, nullptr},
    {"SetPreview3DPosition", &WindowControlManager::SetPreview3DPosition, 3, nullptr},
    {"StopTotal", &WindowControlManager::StopTotal, 3, nullptr},
    {"SetDragMode", &WindowControlManager::SetDragMode, 3, nullptr},
    {"ShowErrorInfoInFullScreen", &WindowControlManager::ShowErrorInfoInFullScreen, 3, nullptr},
    {"SetNumberOfWindows", &WindowControlManager::SetNumberOfWindows, 3, nullptr},
    {"GetFishEyePTZPreset", &WindowControlManager::GetFishEyePTZPreset, 3, "presetInfo"},
    {"SetFishEyePTZPreset", &WindowControlManager::SetFishEyePTZPreset, 3, nullptr},
    {"ControlFishEyePTZ", &WindowControlManager::ControlFishEyePTZ, 3, nullptr},
    {"ControlFishEyeParol", &WindowControlManager::ControlFishEyeParol, 3, nullptr},
    {"SetVanePlayInfo", &WindowControlManager::SetVanePlayInfo, 3, nullptr},
    {"SetWndAutoPanState", &WindowControlManager::SetWndAutoPanState, 3, nullptr},
    {"StartDownloadCameraHeatValue", &WindowControlManager::StartDownloadCameraHeatValue, 3, nullptr},
    {"OpenPtzWnd", &WindowControlManager::OpenPtzWnd, 3, nullptr},
    {"HandleRequest", &WindowControlManager::HandleRequest, 5, "message"},
    {"TriggerMouseEvent", &WindowControlManager::TriggerMouseEvent, 5, nullptr},
    {"GrabOpen", &WindowControlManager::GrabOpen, 5, nullptr},
    {"RestoreWnd", &WindowControlManager::RestoreWnd, 5, nullptr},
    {"SimMouseClickEvent", &WindowControlManager::SimMouseClickEvent, 5, nullptr},
    {"SetLocalConfig", nullptr, 0, nullptr},
    {"ConnectClose", nullptr, 0, nullptr},
};
const unsigned kHandlerCount = sizeof(kHandlers) / sizeof(kHandlers[0]);
static_assert(kHandlerCount == 41, "39 requests with a reply and two without");

[[noreturn]] void fail(const Handler &handler, const QString &request, const QString &reply, const char *pszWhat)
{
    fprintf(stderr, "%s: %s\n  request: %s\n  reply:   %s\n", handler.pszName, pszWhat,
            request.toUtf8().left(2000).constData(), reply.toUtf8().left(2000).constData());
    abort();
}

// The envelope's rules, checked on the reply text alone and against the request.
void checkReply(const Handler &handler, const QString &request, const QString &reply)
{
    const QByteArray replyBytes = reply.toUtf8();
    QJsonParseError error;
    const QJsonDocument replyDocument = QJsonDocument::fromJson(replyBytes, &error);
    if (error.error != QJsonParseError::NoError || !replyDocument.isObject())
        fail(handler, request, reply, "the reply is not a JSON object");
    if (replyDocument.toJson(QJsonDocument::Compact) != replyBytes)
        fail(handler, request, reply, "the reply is not compact JSON with sorted keys");
    const QJsonObject object = replyDocument.object();
    QStringList keys = {"errorCode", "errorModule", "sequence", "uuid"};
    if (handler.pszExtra)
        keys.append(handler.pszExtra);
    keys.sort();
    if (object.keys() != keys)
        fail(handler, request, reply, "the reply's keys are wrong");
    if (!object.value("sequence").isString() || !object.value("uuid").isString())
        fail(handler, request, reply, "sequence or uuid is not a text");

    const int iCode = object.value("errorCode").toInt(-1);
    const int iModule = object.value("errorModule").toInt(-1);
    const bool bCodeKnown = iCode == 0 || iCode == 1
                            || (iCode == 4 && handler.reply == &WindowControlManager::StartService)
                            || ((iCode == 5000 || iCode == 5001) && handler.reply == &WindowControlManager::CreateWnd);
    if (!bCodeKnown)
        fail(handler, request, reply, "unexpected error code");
    if (iModule != (iCode == 0 ? 0 : handler.iModule))
        fail(handler, request, reply, "wrong module number");

    const QJsonDocument requestDocument = QJsonDocument::fromJson(request.toUtf8(), &error);
    const bool bParsed = error.error == QJsonParseError::NoError;
    if ((iCode == 1) != !bParsed)
        fail(handler, request, reply, "code 1 does not match the request's parse result");
    const QJsonObject requestObject = requestDocument.object();
    if (object.value("sequence").toString() != requestObject.value("sequence").toString()
        || object.value("uuid").toString() != requestObject.value("uuid").toString())
        fail(handler, request, reply, "sequence or uuid not echoed by the reading rules");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::initialise();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const Handler &handler = kHandlers[uint8_t(data[0] - '@') % kHandlerCount];
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), int(size - 1));
    WindowControlManager *pManager = WindowControlManager::GetInstance();
    if (handler.reply) {
        checkReply(handler, text, (pManager->*handler.reply)(text));
    } else if (qstrcmp(handler.pszName, "SetLocalConfig") == 0) {
        pManager->SetLocalConfig(text);
    } else {
        pManager->ConnectClose(text);
    }
    fuzz::settle();
    return 0;
}
