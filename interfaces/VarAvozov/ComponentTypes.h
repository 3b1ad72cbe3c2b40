#ifndef VARAVOZOV_COMPONENT_TYPES_H
#define VARAVOZOV_COMPONENT_TYPES_H

#include <QString>

#include <string>
#include <vector>

// The enumerations have a fixed underlying type: callers pass integers through
// unchanged, and every int value is a valid value of the type.

// Pane layout at creation: n × n panes for SplitN×N.
enum ComponentSplitType : int
{
    SplitNone = 0,
    Split1x1 = 1,
    Split2x2 = 2,
    Split3x3 = 3,
    Split4x4 = 4,
    Split5x5 = 5,
    Split6x6 = 6,
    Split7x7 = 7,
    Split8x8 = 8
};

enum WndMode : int
{
    WndModeNormal = 0,
    WndModeSingle = 1
};

namespace clientframework {

enum FirstDayOfWeek : int
{
    FirstDaySunday = 0,
    FirstDayMonday = 1,
    FirstDayTuesday = 2,
    FirstDayWednesday = 3,
    FirstDayThursday = 4,
    FirstDayFriday = 5,
    FirstDaySaturday = 6
};

// Time zone of a camera, for playback time lines.
struct TimeZoneInfo
{
    int iId = 0;
    int iUtcBias = 0;
    bool bDst = false;
    int iDaylightBias = 0;
    int iDstStartMonth = 0;
    int iDstEndMonth = 0;
    int iDstStartWeek = 0;
    int iDstEndWeek = 0;
    int iDstStartDay = 0;
    int iDstEndDay = 0;
    int iDstStartHour = 0;
    int iDstEndHour = 0;
    int iDstStartMinute = 0;
    int iDstEndMinute = 0;
    int iTimeType = 1;
};

struct WebCameraStruct
{
    int iFecPlaceType = -1;             // fisheye mounting; -1: not a fisheye
    std::vector<int> vecAbilityType;    // ability codes, order and duplicates kept
    TimeZoneInfo stTimeZone;
    QString strExtendInfo;
};

struct HeatMapDownloaderParam
{
    int iSiteID = 0;
    int iCameraID = 0;
    long long llStartTime = 0;          // seconds since 1970-01-01 UTC
    long long llEndTime = 0;
    int iHeatMapType = 0;
    int iQueryType = 0;
    int iMaxValue = 0;
    int iMinValue = 0;
    QString strGuid;                    // comes back with the result
};

} // namespace clientframework

namespace ResourceManager {

struct PresetStruct
{
    int iPresetID = -1;
    std::string strPresetName;
    int iCameraID = -1;
    int iChannel = -1;
    int iPresetType = -1;
    float fPosX = 0.0f;
    float fPosY = 0.0f;
    int iPan = 0;
    int iTilt = 0;
    int iZoom = 0;
    int iReserved = -1;
};

struct CruisePointStruct
{
    int iCruisePointID = -1;
    PresetStruct stPreset;
    int iSequence = -1;
    int iStayTime = 0;                  // seconds
    int iSpeed = 0;
};

} // namespace ResourceManager

#endif // VARAVOZOV_COMPONENT_TYPES_H
