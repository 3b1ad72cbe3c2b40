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
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: pHost->setPreview3DPosition(args.iOpen);
            Q_UNUSED(pHost)
            Q_UNUSED(args)
        }
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
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: pHost->getFishEyePTZPreset(preset, args.iWndIndex);
            Q_UNUSED(pHost)
            Q_UNUSED(args)
        }
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
        const SetFishEyePTZPresetArgs args = readSetFishEyePTZPresetArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: pHost->setFishEyePTZPreset(args.iCommand, preset copy, args.iWndIndex);
            Q_UNUSED(pHost)
            Q_UNUSED(args)
        }
    }
    return envelope.reply();
}

QString WindowControlManager::ControlFishEyePTZ(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Video);
    if (envelope.isParsed()) {
        const ControlFishEyePTZArgs args = readControlFishEyePTZArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: pHost->controlFishEyePTZ(args.iCommand, args.bStop, args.iSpeed, args.iWndIndex);
            Q_UNUSED(pHost)
            Q_UNUSED(args)
        }
    }
    return envelope.reply();
}

QString WindowControlManager::ControlFishEyeParol(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Video);
    if (envelope.isParsed()) {
        const ControlFishEyeParolArgs args = readControlFishEyeParolArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: pHost->controlFishEyeParol(args.iCommand, route copy, args.iWndIndex);
            Q_UNUSED(pHost)
            Q_UNUSED(args)
        }
    }
    return envelope.reply();
}

QString WindowControlManager::SetWndAutoPanState(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Video);
    if (envelope.isParsed()) {
        const SetWndAutoPanStateArgs args = readSetWndAutoPanStateArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: pHost->setWndAutoPanState(args.iWndIndex, args.bOpen);
            Q_UNUSED(pHost)
            Q_UNUSED(args)
        }
    }
    return envelope.reply();
}

QString WindowControlManager::OpenPtzWnd(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Video);
    if (envelope.isParsed()) {
        const OpenPtzWndArgs args = readOpenPtzWndArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: pHost->openPtzWnd(args.iWndIndex, args.bOpen);
            Q_UNUSED(pHost)
            Q_UNUSED(args)
        }
    }
    return envelope.reply();
}
