// PTZ and fisheye requests for the video component of one window.
#include "WindowControlManager.h"

#include "PtzArgs.h"
#include "RequestEnvelope.h"
#include "host/WindowControl.h"

#include <QJsonObject>

QString WindowControlManager::SetPreview3DPosition(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Video);
    if (envelope.isParsed()) {
        const SetPreview3DPositionArgs args = readSetPreview3DPositionArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid()))
            pHost->setPreview3DPosition(args.iOpen);
    }
    return envelope.reply();
}

QString WindowControlManager::GetFishEyePTZPreset(const QString &request)
{
    // The component fills the record; every reply carries it, zeros when nothing did.
    ResourceManager::PresetStruct preset;
    RequestEnvelope envelope(request, ErrorModule::Video);
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
    RequestEnvelope envelope(request, ErrorModule::Video);
    if (envelope.isParsed()) {
        SetFishEyePTZPresetArgs args = readSetFishEyePTZPresetArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid()))
            pHost->setFishEyePTZPreset(args.iCommand, args.preset, args.iWndIndex);
    }
    return envelope.reply();
}

QString WindowControlManager::ControlFishEyePTZ(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Video);
    if (envelope.isParsed()) {
        const ControlFishEyePTZArgs args = readControlFishEyePTZArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid()))
            pHost->controlFishEyePTZ(args.iCommand, args.bStop, args.iSpeed, args.iWndIndex);
    }
    return envelope.reply();
}

QString WindowControlManager::ControlFishEyeParol(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Video);
    if (envelope.isParsed()) {
        // The route lives for this call only; the component copies what it keeps.
        ControlFishEyeParolArgs args = readControlFishEyeParolArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid()))
            pHost->controlFishEyeParol(args.iCommand, args.vecCruisePoints, args.iWndIndex);
    }
    return envelope.reply();
}

QString WindowControlManager::SetWndAutoPanState(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Video);
    if (envelope.isParsed()) {
        const SetWndAutoPanStateArgs args = readSetWndAutoPanStateArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid()))
            pHost->setWndAutoPanState(args.iWndIndex, args.bOpen);
    }
    return envelope.reply();
}

QString WindowControlManager::OpenPtzWnd(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Video);
    if (envelope.isParsed()) {
        const OpenPtzWndArgs args = readOpenPtzWndArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid()))
            pHost->openPtzWnd(args.iWndIndex, args.bOpen);
    }
    return envelope.reply();
}
