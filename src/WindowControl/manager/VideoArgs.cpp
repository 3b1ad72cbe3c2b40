#include "VideoArgs.h"

#include "JsonFields.h"
#include "utils/Base64Text.h"

#include <OwlBase/TimeUtil.h>

#include <QJsonArray>

using namespace JsonFields;

namespace {

PlayPermission readPermission(const QJsonObject &permission)
{
    PlayPermission p;
    p.iLiveView = integer(permission, QLatin1String("liveView"));
    p.iPlayback = integer(permission, QLatin1String("playback"));
    p.iVideoSearch = integer(permission, QLatin1String("videoSearch"));
    p.iManualRecording = integer(permission, QLatin1String("manualRecording"));
    p.iTwoWayAudio = integer(permission, QLatin1String("twoWayAudio"));
    p.iPtzControl = integer(permission, QLatin1String("ptzControl"));
    p.iCapturePrint = integer(permission, QLatin1String("capturePrint"));
    p.iVolume = integer(permission, QLatin1String("volume"));
    return p;
}

// Every field is read, so a present but incomplete block gives 0 where keys are
// missing, the time type included.
clientframework::TimeZoneInfo readTimeZone(const QJsonObject &zone)
{
    clientframework::TimeZoneInfo z;
    z.iId = integer(zone, QLatin1String("id"));
    z.iUtcBias = integer(zone, QLatin1String("utcBias"));
    z.bDst = flag(zone, QLatin1String("dst"));
    z.iDaylightBias = integer(zone, QLatin1String("daylightBias"));
    z.iDstStartMonth = integer(zone, QLatin1String("dstStartMonth"));
    z.iDstEndMonth = integer(zone, QLatin1String("dstEndMonth"));
    z.iDstStartWeek = integer(zone, QLatin1String("dstStartWeek"));
    z.iDstEndWeek = integer(zone, QLatin1String("dstEndWeek"));
    z.iDstStartDay = integer(zone, QLatin1String("dstStartDay"));
    z.iDstEndDay = integer(zone, QLatin1String("dstEndDay"));
    z.iDstStartHour = integer(zone, QLatin1String("dstStartHour"));
    z.iDstEndHour = integer(zone, QLatin1String("dstEndHour"));
    z.iDstStartMinute = integer(zone, QLatin1String("dstStartMinute"));
    z.iDstEndMinute = integer(zone, QLatin1String("dstEndMinute"));
    z.iTimeType = integer(zone, QLatin1String("orbitTimeType"));
    return z;
}

// Only the keys present change the defaults; a present key of the wrong type reads as
// 0, an empty list or an empty block.
void readPlayOptions(const QJsonObject &options, StartPlayArgs &args)
{
    args.strSecretKey = text(options, QLatin1String("secretKey"));
    if (options.contains(QLatin1String("multiStreamProto")))
        args.iMultiStreamProto = integer(options, QLatin1String("multiStreamProto"));
    if (options.contains(QLatin1String("dualStream")))
        args.iDualStream = integer(options, QLatin1String("dualStream"));
    if (options.contains(QLatin1String("fecPlaceType")))
        args.camera.iFecPlaceType = integer(options, QLatin1String("fecPlaceType"));
    if (options.contains(QLatin1String("abilityType"))) {
        const QJsonArray abilities = array(options, QLatin1String("abilityType"));
        args.camera.vecAbilityType.reserve(size_t(abilities.size()));
        for (const QJsonValue &ability : abilities)
            args.camera.vecAbilityType.push_back(ability.toInt(0));
    }
    if (options.contains(QLatin1String("timeZoneInfo")))
        args.camera.stTimeZone = readTimeZone(object(options, QLatin1String("timeZoneInfo")));
}

long long readTime(const QJsonObject &param, QLatin1String key)
{
    return Owl::Base::TimeUtil::StrDatetime2TimeT(text(param, key).toStdString());
}

} // namespace

InitLoginInfoArgs readInitLoginInfoArgs(const QJsonObject &request)
{
    InitLoginInfoArgs args;
    args.strHubAddress = text(request, QLatin1String("hubAddress"));
    args.iHubPort = integer(request, QLatin1String("hubPort"));
    args.strSessionID = text(request, QLatin1String("sessionID"));
    args.iLoginModel = integer(request, QLatin1String("loginModel"));
    args.strUserType = text(request, QLatin1String("userType"));
    args.strNetworkType = text(request, QLatin1String("networkType"));
    return args;
}

SetHubTokenArgs readSetHubTokenArgs(const QJsonObject &request)
{
    return SetHubTokenArgs{text(request, QLatin1String("token"))};
}

SetVanePlayInfoArgs readSetVanePlayInfoArgs(const QJsonObject &request)
{
    SetVanePlayInfoArgs args;
    args.strGuid = text(request, QLatin1String("guid"));
    args.strProtocal = text(request, QLatin1String("protocal"));
    args.strSession = text(request, QLatin1String("session"));
    args.strToken = text(request, QLatin1String("token"));
    args.strIp = text(request, QLatin1String("ip"));
    args.iPort = integer(request, QLatin1String("port"));
    args.strAccessPath = text(request, QLatin1String("accessPath"));
    args.strUUID = text(request, QLatin1String("uuid"));
    return args;
}

StartPlayArgs readStartPlayArgs(const QJsonObject &request)
{
    StartPlayArgs args;
    args.strUUID = text(request, QLatin1String("uuid"));
    args.strUrl = text(request, QLatin1String("url"));
    args.strPassword = text(request, QLatin1String("password"));
    args.strUserName = text(request, QLatin1String("username"));
    args.strSiteID = text(request, QLatin1String("siteID"));
    args.strAreaName = decodeBase64Text(text(request, QLatin1String("areaName")));
    args.strCameraName = decodeBase64Text(text(request, QLatin1String("cameraName")));
    args.iWndIndex = integer(request, QLatin1String("wndIndex"));
    args.permission = readPermission(object(request, QLatin1String("permission")));
    if (request.contains(QLatin1String("options")))
        readPlayOptions(object(request, QLatin1String("options")), args);
    return args;
}

StopPlayArgs readStopPlayArgs(const QJsonObject &request)
{
    return StopPlayArgs{integer(request, QLatin1String("wndIndex"))};
}

ShowErrorInfoInFullScreenArgs readShowErrorInfoInFullScreenArgs(const QJsonObject &request)
{
    ShowErrorInfoInFullScreenArgs args;
    args.strError = decodeBase64Text(text(request, QLatin1String("error")));
    args.iType = integer(request, QLatin1String("type"), 1);
    return args;
}

StartDownloadCameraHeatValueArgs readStartDownloadCameraHeatValueArgs(const QJsonObject &request)
{
    const QJsonObject param = object(request, QLatin1String("param"));
    StartDownloadCameraHeatValueArgs args;
    clientframework::HeatMapDownloaderParam &query = args.param;
    query.llStartTime = readTime(param, QLatin1String("startTime"));
    query.llEndTime = readTime(param, QLatin1String("endTime"));
    query.iQueryType = integer(param, QLatin1String("queryType"));
    query.iHeatMapType = integer(param, QLatin1String("heatMapType"));
    query.iSiteID = integer(param, QLatin1String("siteID"));
    query.iCameraID = integer(param, QLatin1String("cameraID"));
    query.iMinValue = integer(param, QLatin1String("minValue"));
    query.iMaxValue = integer(param, QLatin1String("maxValue"));
    query.strGuid = text(param, QLatin1String("guid"));
    return args;
}
