#pragma once

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

// The user's rights on the camera: one element each of the permission document.
struct PlayPermission
{
    int iLiveView = 0;
    int iPlayback = 0;
    int iVideoSearch = 0;
    int iManualRecording = 0;
    int iTwoWayAudio = 0;
    int iPtzControl = 0;
    int iCapturePrint = 0;
    int iVolume = 0;
};

struct StartPlayArgs
{
    QString strUUID;
    QString strUrl;
    QString strPassword;        // as sent, not decoded
    QString strUserName;
    QString strSiteID;
    QString strAreaName;        // decoded from Base64
    QString strCameraName;      // decoded from Base64
    int iWndIndex = 0;
    PlayPermission permission;
    QString strSecretKey;
    int iMultiStreamProto = 0;
    int iDualStream = 0;
    clientframework::WebCameraStruct camera;   // the record's defaults unless "options" says otherwise
};
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
