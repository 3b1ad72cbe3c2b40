#include "CallFormat.h"

#include <QVariantMap>

#include <charconv>
#include <utility>

namespace varavozov {

namespace {

using Fields = std::vector<std::pair<QString, CallValue>>;

CallValue record(const QString &name, const Fields &fields)
{
    QVariantMap map;
    QStringList texts;
    for (const auto &field : fields) {
        map.insert(field.first, field.second.value);
        texts.append(field.first + QLatin1Char('=') + field.second.strText);
    }
    return {map, name + QLatin1Char('{') + texts.join(QLatin1String(", ")) + QLatin1Char('}')};
}

template <typename T>
CallValue list(const std::vector<T> &values)
{
    QVariantList items;
    QStringList texts;
    for (const T &value : values) {
        CallValue cv = callValue(value);
        items.append(cv.value);
        texts.append(cv.strText);
    }
    return {items, QLatin1Char('[') + texts.join(QLatin1String(", ")) + QLatin1Char(']')};
}

} // namespace

QString quotedText(const QString &text)
{
    QString result(QLatin1Char('"'));
    for (const QChar ch : text) {
        switch (ch.unicode()) {
        case '\\': result += QLatin1String("\\\\"); break;
        case '"': result += QLatin1String("\\\""); break;
        case '\n': result += QLatin1String("\\n"); break;
        case '\r': result += QLatin1String("\\r"); break;
        case '\t': result += QLatin1String("\\t"); break;
        default:
            if (ch.unicode() < 0x20 || ch.unicode() == 0x7F)
                result += QStringLiteral("\\u%1").arg(ch.unicode(), 4, 16, QLatin1Char('0'));
            else
                result += ch;
        }
    }
    result += QLatin1Char('"');
    return result;
}

CallValue callValue(int value) { return {value, QString::number(value)}; }
CallValue callValue(unsigned int value) { return {value, QString::number(value)}; }
CallValue callValue(long long value) { return {value, QString::number(value)}; }
CallValue callValue(bool value)
{
    return {value, value ? QStringLiteral("true") : QStringLiteral("false")};
}

CallValue callValue(float value)
{
    // Shortest text that reads back as the same float.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return {value, QString::fromLatin1(buffer, int(result.ptr - buffer))};
}

CallValue callValue(const QString &value) { return {value, quotedText(value)}; }

CallValue callValue(const std::string &value)
{
    const QString text = QString::fromUtf8(value.data(), int(value.size()));
    return {text, quotedText(text)};
}

CallValue callValue(const std::vector<int> &values) { return list(values); }

CallValue callValue(const clientframework::TimeZoneInfo &value)
{
    return record(QStringLiteral("TimeZoneInfo"),
                  {{QStringLiteral("id"), callValue(value.iId)},
                   {QStringLiteral("utcBias"), callValue(value.iUtcBias)},
                   {QStringLiteral("dst"), callValue(value.bDst)},
                   {QStringLiteral("daylightBias"), callValue(value.iDaylightBias)},
                   {QStringLiteral("dstStartMonth"), callValue(value.iDstStartMonth)},
                   {QStringLiteral("dstEndMonth"), callValue(value.iDstEndMonth)},
                   {QStringLiteral("dstStartWeek"), callValue(value.iDstStartWeek)},
                   {QStringLiteral("dstEndWeek"), callValue(value.iDstEndWeek)},
                   {QStringLiteral("dstStartDay"), callValue(value.iDstStartDay)},
                   {QStringLiteral("dstEndDay"), callValue(value.iDstEndDay)},
                   {QStringLiteral("dstStartHour"), callValue(value.iDstStartHour)},
                   {QStringLiteral("dstEndHour"), callValue(value.iDstEndHour)},
                   {QStringLiteral("dstStartMinute"), callValue(value.iDstStartMinute)},
                   {QStringLiteral("dstEndMinute"), callValue(value.iDstEndMinute)},
                   {QStringLiteral("timeType"), callValue(value.iTimeType)}});
}

CallValue callValue(const clientframework::WebCameraStruct &value)
{
    return record(QStringLiteral("WebCameraStruct"),
                  {{QStringLiteral("fecPlaceType"), callValue(value.iFecPlaceType)},
                   {QStringLiteral("abilityType"), callValue(value.vecAbilityType)},
                   {QStringLiteral("timeZone"), callValue(value.stTimeZone)},
                   {QStringLiteral("extendInfo"), callValue(value.strExtendInfo)}});
}

CallValue callValue(const clientframework::HeatMapDownloaderParam &value)
{
    return record(QStringLiteral("HeatMapDownloaderParam"),
                  {{QStringLiteral("siteID"), callValue(value.iSiteID)},
                   {QStringLiteral("cameraID"), callValue(value.iCameraID)},
                   {QStringLiteral("startTime"), callValue(value.llStartTime)},
                   {QStringLiteral("endTime"), callValue(value.llEndTime)},
                   {QStringLiteral("heatMapType"), callValue(value.iHeatMapType)},
                   {QStringLiteral("queryType"), callValue(value.iQueryType)},
                   {QStringLiteral("maxValue"), callValue(value.iMaxValue)},
                   {QStringLiteral("minValue"), callValue(value.iMinValue)},
                   {QStringLiteral("guid"), callValue(value.strGuid)}});
}

CallValue callValue(const ResourceManager::PresetStruct &value)
{
    return record(QStringLiteral("PresetStruct"),
                  {{QStringLiteral("presetID"), callValue(value.iPresetID)},
                   {QStringLiteral("presetName"), callValue(value.strPresetName)},
                   {QStringLiteral("cameraID"), callValue(value.iCameraID)},
                   {QStringLiteral("channel"), callValue(value.iChannel)},
                   {QStringLiteral("presetType"), callValue(value.iPresetType)},
                   {QStringLiteral("posX"), callValue(value.fPosX)},
                   {QStringLiteral("posY"), callValue(value.fPosY)},
                   {QStringLiteral("pan"), callValue(value.iPan)},
                   {QStringLiteral("tilt"), callValue(value.iTilt)},
                   {QStringLiteral("zoom"), callValue(value.iZoom)},
                   {QStringLiteral("reserved"), callValue(value.iReserved)}});
}

CallValue callValue(const ResourceManager::CruisePointStruct &value)
{
    return record(QStringLiteral("CruisePointStruct"),
                  {{QStringLiteral("cruisePointID"), callValue(value.iCruisePointID)},
                   {QStringLiteral("preset"), callValue(value.stPreset)},
                   {QStringLiteral("sequence"), callValue(value.iSequence)},
                   {QStringLiteral("stayTime"), callValue(value.iStayTime)},
                   {QStringLiteral("speed"), callValue(value.iSpeed)}});
}

CallValue callValue(const std::vector<ResourceManager::CruisePointStruct> &values)
{
    return list(values);
}

QString CallBuilder::line() const
{
    return m_strOperation + QLatin1Char('(') + m_listTexts.join(QLatin1String(", "))
           + QLatin1Char(')');
}

} // namespace varavozov
