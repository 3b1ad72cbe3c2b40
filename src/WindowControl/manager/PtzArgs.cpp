#include "PtzArgs.h"

#include "JsonFields.h"

#include <QJsonArray>

using namespace JsonFields;

ResourceManager::PresetStruct readPreset(const QJsonObject &presetInfo)
{
    ResourceManager::PresetStruct preset;
    preset.fPosX = float(real(presetInfo, QLatin1String("posX")));
    preset.fPosY = float(real(presetInfo, QLatin1String("posY")));
    preset.iZoom = integer(presetInfo, QLatin1String("zoom"));
    return preset;
}

ControlFishEyePTZArgs readControlFishEyePTZArgs(const QJsonObject &request)
{
    ControlFishEyePTZArgs args;
    args.iCommand = integer(request, QLatin1String("command"));
    args.bStop = flag(request, QLatin1String("stop"));
    args.iSpeed = integer(request, QLatin1String("speed"));
    args.iWndIndex = integer(request, QLatin1String("wndIndex"));
    return args;
}

ControlFishEyeParolArgs readControlFishEyeParolArgs(const QJsonObject &request)
{
    ControlFishEyeParolArgs args;
    args.iCommand = integer(request, QLatin1String("command"));
    args.iWndIndex = integer(request, QLatin1String("wndIndex"));
    const QJsonArray points = array(request, QLatin1String("cruisePointList"));
    args.vecCruisePoints.reserve(size_t(points.size()));
    for (const QJsonValue &value : points) {
        // An element that is not an object still gives a point, of defaults.
        const QJsonObject item = value.toObject();
        ResourceManager::CruisePointStruct point;
        // "sequence" (the point's place in the route) fills the record's sequence
        // field, the one after the preset. "presetNo" is accepted and dropped, and the
        // cruise point id keeps -1: the point brings its own position in "presetInfo"
        // instead of naming a preset stored on the camera.
        point.iSequence = integer(item, QLatin1String("sequence"));
        point.iStayTime = integer(item, QLatin1String("staySeconds"));
        point.iSpeed = integer(item, QLatin1String("speed"));
        point.stPreset = readPreset(object(item, QLatin1String("presetInfo")));
        args.vecCruisePoints.push_back(point);
    }
    return args;
}

GetFishEyePTZPresetArgs readGetFishEyePTZPresetArgs(const QJsonObject &request)
{
    return GetFishEyePTZPresetArgs{integer(request, QLatin1String("wndIndex"))};
}

SetFishEyePTZPresetArgs readSetFishEyePTZPresetArgs(const QJsonObject &request)
{
    SetFishEyePTZPresetArgs args;
    args.iCommand = integer(request, QLatin1String("command"));
    args.iWndIndex = integer(request, QLatin1String("wndIndex"));
    args.preset = readPreset(object(request, QLatin1String("presetInfo")));
    return args;
}

OpenPtzWndArgs readOpenPtzWndArgs(const QJsonObject &request)
{
    OpenPtzWndArgs args;
    args.iWndIndex = integer(request, QLatin1String("wndIndex"));
    args.bOpen = flag(request, QLatin1String("open"));
    return args;
}

SetWndAutoPanStateArgs readSetWndAutoPanStateArgs(const QJsonObject &request)
{
    SetWndAutoPanStateArgs args;
    args.iWndIndex = integer(request, QLatin1String("wndIndex"));
    args.bOpen = flag(request, QLatin1String("open"));
    return args;
}

SetPreview3DPositionArgs readSetPreview3DPositionArgs(const QJsonObject &request)
{
    return SetPreview3DPositionArgs{integer(request, QLatin1String("open"))};
}
