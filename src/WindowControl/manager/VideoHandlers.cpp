// Login data, play, stop and heat-map requests for the video component of one window.
#include "WindowControlManager.h"

#include "RequestEnvelope.h"
#include "VideoArgs.h"
#include "host/WindowControl.h"

QString WindowControlManager::InitLoginInfo(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Window);
    if (envelope.isParsed()) {
        const InitLoginInfoArgs args = readInitLoginInfoArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid()))
            pHost->initLoginInfo(args.strHubAddress, args.iHubPort, args.strSessionID,
                                 args.iLoginModel, args.strUserType, args.strNetworkType);
    }
    return envelope.reply();
}

QString WindowControlManager::SetHubToken(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Video);
    if (envelope.isParsed()) {
        const SetHubTokenArgs args = readSetHubTokenArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid()))
            pHost->setHubToken(args.strToken);
    }
    return envelope.reply();
}

QString WindowControlManager::SetVanePlayInfo(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Video);
    if (envelope.isParsed()) {
        const SetVanePlayInfoArgs args = readSetVanePlayInfoArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid()))
            pHost->setVanePlayInfo(args.strGuid, args.strProtocal, args.strSession, args.strToken,
                                   args.strIp, args.iPort, args.strAccessPath, args.strUUID);
    }
    return envelope.reply();
}

QString WindowControlManager::StartPlay(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Video);
    if (envelope.isParsed()) {
        // The host reads the request itself, and only when it has a component to play.
        if (WindowControl *pHost = findWindow(envelope.uuid()))
            pHost->startPlay(envelope.object());
    }
    return envelope.reply();
}

QString WindowControlManager::StopPlay(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Video);
    if (envelope.isParsed()) {
        const StopPlayArgs args = readStopPlayArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid()))
            pHost->stopPlay(args.iWndIndex);
    }
    return envelope.reply();
}

QString WindowControlManager::StopTotal(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Video);
    if (envelope.isParsed()) {
        if (WindowControl *pHost = findWindow(envelope.uuid()))
            pHost->stopTotal();
    }
    return envelope.reply();
}

QString WindowControlManager::ShowErrorInfoInFullScreen(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Video);
    if (envelope.isParsed()) {
        const ShowErrorInfoInFullScreenArgs args = readShowErrorInfoInFullScreenArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid()))
            pHost->showErrorInfoInFullScreen(args.strError, args.iType);
    }
    return envelope.reply();
}

QString WindowControlManager::StartDownloadCameraHeatValue(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Video);
    if (envelope.isParsed()) {
        const StartDownloadCameraHeatValueArgs args = readStartDownloadCameraHeatValueArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid()))
            pHost->startDownloadCameraHeatValue(args.param);
    }
    return envelope.reply();
}
