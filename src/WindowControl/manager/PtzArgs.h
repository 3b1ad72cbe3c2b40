#pragma once

#include <VarAvozov/ComponentTypes.h>

#include <QJsonObject>

#include <vector>

// Fields of the PTZ and fisheye requests. Whole numbers stay signed here; the component
// takes several as unsigned, so -1 arrives there as 4294967295.

struct ControlFishEyePTZArgs
{
    int iCommand = 0;
    bool bStop = false;
    int iSpeed = 0;
    int iWndIndex = 0;
};
ControlFishEyePTZArgs readControlFishEyePTZArgs(const QJsonObject &request);

struct ControlFishEyeParolArgs
{
    int iCommand = 0;
    int iWndIndex = 0;
    std::vector<ResourceManager::CruisePointStruct> vecCruisePoints;
};
ControlFishEyeParolArgs readControlFishEyeParolArgs(const QJsonObject &request);

struct GetFishEyePTZPresetArgs
{
    int iWndIndex = 0;
};
GetFishEyePTZPresetArgs readGetFishEyePTZPresetArgs(const QJsonObject &request);

struct SetFishEyePTZPresetArgs
{
    int iCommand = 0;
    int iWndIndex = 0;
    ResourceManager::PresetStruct preset;
};
SetFishEyePTZPresetArgs readSetFishEyePTZPresetArgs(const QJsonObject &request);

struct OpenPtzWndArgs
{
    int iWndIndex = 0;
    bool bOpen = false;
};
OpenPtzWndArgs readOpenPtzWndArgs(const QJsonObject &request);

struct SetWndAutoPanStateArgs
{
    int iWndIndex = 0;
    bool bOpen = false;
};
SetWndAutoPanStateArgs readSetWndAutoPanStateArgs(const QJsonObject &request);

// "open" is a whole number here, not a flag.
struct SetPreview3DPositionArgs
{
    int iOpen = 0;
};
SetPreview3DPositionArgs readSetPreview3DPositionArgs(const QJsonObject &request);

// A preset record with its defaults and pos X, pos Y, zoom from a "presetInfo" object.
ResourceManager::PresetStruct readPreset(const QJsonObject &presetInfo);
