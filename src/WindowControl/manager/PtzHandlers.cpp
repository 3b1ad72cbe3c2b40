// PTZ and fisheye requests for the video component of one window.
#include "WindowControlManager.h"

#include "PtzArgs.h"
#include "RequestTable.h"
#include "host/WindowControl.h"

QString WindowControlManager::SetPreview3DPosition(const QString &request)
{
    return forward<&WindowControlManager::SetPreview3DPosition>(
        request, [](WindowControl *pHost, const QJsonObject &fields) {
            pHost->setPreview3DPosition(readSetPreview3DPositionArgs(fields).iOpen);
        });
}

QString WindowControlManager::GetFishEyePTZPreset(const QString &request)
{
    // The component fills the record; every reply carries it, zeros when nothing did.
    ResourceManager::PresetStruct preset;
    RequestEnvelope envelope(request, moduleOf<&WindowControlManager::GetFishEyePTZPreset>());
    if (envelope.isParsed()) {
        const GetFishEyePTZPresetArgs args = readGetFishEyePTZPresetArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid()))
            pHost->getFishEyePTZPreset(preset, args.iWndIndex);
    }
    QJsonObject presetInfo;
    presetInfo.insert(QLatin1String("posX"), double(preset.fPosX));
    presetInfo.insert(QLatin1String("posY"), double(preset.fPosY));
    presetInfo.insert(QLatin1String("zoom"), preset.iZoom);
    envelope.setExtra(QLatin1String("presetInfo"), presetInfo);
    return envelope.reply();
}

QString WindowControlManager::SetFishEyePTZPreset(const QString &request)
{
    return forward<&WindowControlManager::SetFishEyePTZPreset>(
        request, [](WindowControl *pHost, const QJsonObject &fields) {
            SetFishEyePTZPresetArgs args = readSetFishEyePTZPresetArgs(fields);
            pHost->setFishEyePTZPreset(args.iCommand, args.preset, args.iWndIndex);
        });
}

QString WindowControlManager::ControlFishEyePTZ(const QString &request)
{
    return forward<&WindowControlManager::ControlFishEyePTZ>(
        request, [](WindowControl *pHost, const QJsonObject &fields) {
            const ControlFishEyePTZArgs args = readControlFishEyePTZArgs(fields);
            pHost->controlFishEyePTZ(args.iCommand, args.bStop, args.iSpeed, args.iWndIndex);
        });
}

QString WindowControlManager::ControlFishEyeParol(const QString &request)
{
    return forward<&WindowControlManager::ControlFishEyeParol>(
        request, [](WindowControl *pHost, const QJsonObject &fields) {
            // The route lives for this call only; the component copies what it keeps.
            ControlFishEyeParolArgs args = readControlFishEyeParolArgs(fields);
            pHost->controlFishEyeParol(args.iCommand, args.vecCruisePoints, args.iWndIndex);
        });
}

QString WindowControlManager::SetWndAutoPanState(const QString &request)
{
    return forward<&WindowControlManager::SetWndAutoPanState>(
        request, [](WindowControl *pHost, const QJsonObject &fields) {
            const SetWndAutoPanStateArgs args = readSetWndAutoPanStateArgs(fields);
            pHost->setWndAutoPanState(args.iWndIndex, args.bOpen);
        });
}

QString WindowControlManager::OpenPtzWnd(const QString &request)
{
    return forward<&WindowControlManager::OpenPtzWnd>(request, [](WindowControl *pHost, const QJsonObject &fields) {
        const OpenPtzWndArgs args = readOpenPtzWndArgs(fields);
        pHost->openPtzWnd(args.iWndIndex, args.bOpen);
    });
}
