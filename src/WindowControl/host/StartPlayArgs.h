#pragma once

#include <VarAvozov/ComponentTypes.h>

#include <QString>

// What a StartPlay request holds, as the manager read it for the host.

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
