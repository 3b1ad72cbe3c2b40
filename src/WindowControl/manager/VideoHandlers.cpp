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
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: pHost->initLoginInfo(args);
            Q_UNUSED(pHost)
            Q_UNUSED(args)
        }
    }
    return envelope.reply();
}

QString WindowControlManager::SetHubToken(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Video);
    if (envelope.isParsed()) {
        const SetHubTokenArgs args = readSetHubTokenArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: pHost->setHubToken(args.strToken);
            Q_UNUSED(pHost)
            Q_UNUSED(args)
        }
    }
    return envelope.reply();
}

QString WindowControlManager::SetVanePlayInfo(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Video);
    if (envelope.isParsed()) {
        const SetVanePlayInfoArgs args = readSetVanePlayInfoArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: pHost->setVanePlayInfo(args);
            Q_UNUSED(pHost)
            Q_UNUSED(args)
        }
    }
    return envelope.reply();
}

QString WindowControlManager::StartPlay(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Video);
    if (envelope.isParsed()) {
        const StartPlayArgs args = readStartPlayArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: pHost->startPlay(args);
            Q_UNUSED(pHost)
            Q_UNUSED(args)
        }
    }
    return envelope.reply();
}

QString WindowControlManager::StopPlay(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Video);
    if (envelope.isParsed()) {
        const StopPlayArgs args = readStopPlayArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: pHost->stopPlay(args.iWndIndex);
            Q_UNUSED(pHost)
            Q_UNUSED(args)
        }
    }
    return envelope.reply();
}

QString WindowControlManager::StopTotal(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Video);
    if (envelope.isParsed()) {
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: pHost->stopTotal();
            Q_UNUSED(pHost)
        }
    }
    return envelope.reply();
}

QString WindowControlManager::ShowErrorInfoInFullScreen(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Video);
    if (envelope.isParsed()) {
        const ShowErrorInfoInFullScreenArgs args = readShowErrorInfoInFullScreenArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: pHost->showErrorInfoInFullScreen(args.strError, args.iType);
            Q_UNUSED(pHost)
            Q_UNUSED(args)
        }
    }
    return envelope.reply();
}

QString WindowControlManager::StartDownloadCameraHeatValue(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Video);
    if (envelope.isParsed()) {
        const StartDownloadCameraHeatValueArgs args = readStartDownloadCameraHeatValueArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: pHost->startDownloadCameraHeatValue(args.param);
            Q_UNUSED(pHost)
            Q_UNUSED(args)
        }
    }
    return envelope.reply();
}
