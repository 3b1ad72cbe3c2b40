#pragma once

#include "host/StartPlayArgs.h"

#include <VarAvozov/ComponentTypes.h>

#include <QJsonObject>
#include <QString>

// Fields of the login, play and heat-map requests.

struct InitLoginInfoArgs
{
    QString strHubAddress;
    int iHubPort = 0;
    QString strSessionID;
    int iLoginModel = 0;
    QString strUserType;
    QString strNetworkType;
};
InitLoginInfoArgs readInitLoginInfoArgs(const QJsonObject &request);

struct SetHubTokenArgs
{
    QString strToken;
};
SetHubTokenArgs readSetHubTokenArgs(const QJsonObject &request);

struct SetVanePlayInfoArgs
{
    QString strGuid;
    QString strProtocal;
    QString strSession;
    QString strToken;
    QString strIp;
    int iPort = 0;
    QString strAccessPath;
    QString strUUID;            // the request's own window key, passed last
};
SetVanePlayInfoArgs readSetVanePlayInfoArgs(const QJsonObject &request);

// Names decoded from Base64, the camera record filled from "options" by its presence
// rules; the host builds the permission document from what was read.
StartPlayArgs readStartPlayArgs(const QJsonObject &request);

struct StopPlayArgs
{
    int iWndIndex = 0;
};
StopPlayArgs readStopPlayArgs(const QJsonObject &request);

struct ShowErrorInfoInFullScreenArgs
{
    QString strError;           // decoded from Base64
    int iType = 1;
};
ShowErrorInfoInFullScreenArgs readShowErrorInfoInFullScreenArgs(const QJsonObject &request);

struct StartDownloadCameraHeatValueArgs
{
    clientframework::HeatMapDownloaderParam param;
};
StartDownloadCameraHeatValueArgs readStartDownloadCameraHeatValueArgs(const QJsonObject &request);
