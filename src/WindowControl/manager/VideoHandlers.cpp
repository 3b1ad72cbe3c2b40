// Login data, play, stop and heat-map requests for the video component of one window.
#include "WindowControlManager.h"

#include "RequestTable.h"
#include "VideoArgs.h"
#include "host/WindowControl.h"

QString WindowControlManager::InitLoginInfo(const QString &request)
{
    return forward<&WindowControlManager::InitLoginInfo>(request, [](WindowControl *pHost, const QJsonObject &fields) {
        const InitLoginInfoArgs args = readInitLoginInfoArgs(fields);
        pHost->initLoginInfo(args.strHubAddress, args.iHubPort, args.strSessionID, args.iLoginModel,
                             args.strUserType, args.strNetworkType);
    });
}

QString WindowControlManager::SetHubToken(const QString &request)
{
    return forward<&WindowControlManager::SetHubToken>(request, [](WindowControl *pHost, const QJsonObject &fields) {
        pHost->setHubToken(readSetHubTokenArgs(fields).strToken);
    });
}

QString WindowControlManager::SetVanePlayInfo(const QString &request)
{
    return forward<&WindowControlManager::SetVanePlayInfo>(
        request, [](WindowControl *pHost, const QJsonObject &fields) {
            const SetVanePlayInfoArgs args = readSetVanePlayInfoArgs(fields);
            pHost->setVanePlayInfo(args.strGuid, args.strProtocal, args.strSession, args.strToken, args.strIp,
                                   args.iPort, args.strAccessPath, args.strUUID);
        });
}

QString WindowControlManager::StartPlay(const QString &request)
{
    return forward<&WindowControlManager::StartPlay>(request, [](WindowControl *pHost, const QJsonObject &fields) {
        pHost->startPlay(readStartPlayArgs(fields));
    });
}

QString WindowControlManager::StopPlay(const QString &request)
{
    return forward<&WindowControlManager::StopPlay>(request, [](WindowControl *pHost, const QJsonObject &fields) {
        pHost->stopPlay(readStopPlayArgs(fields).iWndIndex);
    });
}

QString WindowControlManager::StopTotal(const QString &request)
{
    return forward<&WindowControlManager::StopTotal>(request, &WindowControl::stopTotal);
}

QString WindowControlManager::ShowErrorInfoInFullScreen(const QString &request)
{
    return forward<&WindowControlManager::ShowErrorInfoInFullScreen>(
        request, [](WindowControl *pHost, const QJsonObject &fields) {
            const ShowErrorInfoInFullScreenArgs args = readShowErrorInfoInFullScreenArgs(fields);
            pHost->showErrorInfoInFullScreen(args.strError, args.iType);
        });
}

QString WindowControlManager::StartDownloadCameraHeatValue(const QString &request)
{
    return forward<&WindowControlManager::StartDownloadCameraHeatValue>(
        request, [](WindowControl *pHost, const QJsonObject &fields) {
            pHost->startDownloadCameraHeatValue(readStartDownloadCameraHeatValueArgs(fields).param);
        });
}
