// The request frame and the field readers: what each JSON type reads as, defaults that
// apply only to absent keys, and the reply's text form.
#include "manager/ForwardingArgs.h"
#include "manager/JsonFields.h"
#include "manager/PtzArgs.h"
#include "manager/RequestEnvelope.h"
#include "manager/VideoArgs.h"
#include "manager/WindowArgs.h"

#include <gtest/gtest.h>

#include <QJsonDocument>

namespace {

QJsonObject json(const char *text)
{
    return QJsonDocument::fromJson(QByteArray(text)).object();
}

QJsonObject replyOf(const RequestEnvelope &envelope)
{
    return QJsonDocument::fromJson(envelope.reply().toUtf8()).object();
}

} // namespace

TEST(ReadingRules, EachJsonTypeReadsAsTheRulesSay)
{
    const QJsonObject o = json(R"({"s":"x","i":7,"neg":-3,"f":2.5,"big":1e12,"t":true,"n":null,"o":{},"a":[1]})");
    using namespace JsonFields;
    EXPECT_EQ(text(o, QLatin1String("s")), "x");
    for (const char *key : {"i", "t", "n", "o", "a", "absent"})
        EXPECT_TRUE(text(o, QLatin1String(key)).isEmpty()) << key;

    EXPECT_EQ(integer(o, QLatin1String("i")), 7);
    EXPECT_EQ(integer(o, QLatin1String("neg")), -3);
    for (const char *key : {"f", "big", "s", "t", "n", "o", "a"})
        EXPECT_EQ(integer(o, QLatin1String(key), 99), 0) << key;   // present: the fallback, not the default
    EXPECT_EQ(integer(o, QLatin1String("absent"), 99), 99);

    EXPECT_TRUE(flag(o, QLatin1String("t")));
    for (const char *key : {"i", "s", "n", "absent"})
        EXPECT_FALSE(flag(o, QLatin1String(key))) << key;

    EXPECT_DOUBLE_EQ(real(o, QLatin1String("f")), 2.5);
    EXPECT_DOUBLE_EQ(real(o, QLatin1String("i")), 7.0);
    EXPECT_DOUBLE_EQ(real(o, QLatin1String("s")), 0.0);
}

TEST(RequestEnvelope, ParseFailureCarriesTheModuleAndNothingElse)
{
    for (const char *text : {"", "{", "42", "\"x\"", "null", "{\"sequence\":\"1\",}"}) {
        RequestEnvelope envelope(QString::fromUtf8(text), ErrorModule::Video);
        EXPECT_FALSE(envelope.isParsed()) << text;
        envelope.setExtra(QLatin1String("message"), QString());
        EXPECT_EQ(envelope.reply(), R"({"errorCode":1,"errorModule":3,"message":"","sequence":"","uuid":""})") << text;
    }
}

TEST(RequestEnvelope, ReadsSequenceAndUuidAsTexts)
{
    RequestEnvelope array(QStringLiteral("[1,2]"), ErrorModule::Window);
    EXPECT_TRUE(array.isParsed());
    EXPECT_TRUE(array.object().isEmpty());
    EXPECT_EQ(array.reply(), R"({"errorCode":0,"errorModule":0,"sequence":"","uuid":""})");

    RequestEnvelope numeric(QStringLiteral(R"({"sequence":7,"uuid":"w1"})"), ErrorModule::Window);
    EXPECT_EQ(numeric.reply(), R"({"errorCode":0,"errorModule":0,"sequence":"","uuid":"w1"})");

    const QString text = QStringLiteral("{\"sequence\":\"s\\\"q\\n\",\"uuid\":\"caf\u00e9 \U0001F600\"}");
    RequestEnvelope unicode(text, ErrorModule::Window);
    EXPECT_EQ(unicode.uuid(), QStringLiteral("caf\u00e9 \U0001F600"));
    EXPECT_EQ(replyOf(unicode).value("sequence").toString(), "s\"q\n");
}

TEST(RequestEnvelope, FailureCodesAndExtraKeysTakeTheirSortedPlaces)
{
    RequestEnvelope envelope(QStringLiteral(R"({"sequence":"1","uuid":"u"})"), ErrorModule::Window);
    envelope.fail(ErrorCode::NoParentWindow);
    QJsonObject presetInfo{{"zoom", 2}, {"posX", 0.5}, {"posY", 0}};
    envelope.setExtra(QLatin1String("presetInfo"), presetInfo);
    envelope.setExtra(QLatin1String("responseMsg"), QJsonObject());
    EXPECT_EQ(envelope.reply(), R"({"errorCode":5001,"errorModule":5,"presetInfo":{"posX":0.5,"posY":0,"zoom":2},)"
                                R"("responseMsg":{},"sequence":"1","uuid":"u"})");
}

TEST(CreateWndArgs, DefaultsOnlyForAbsentKeys)
{
    const CreateWndArgs absent = readCreateWndArgs(json("{}"));
    EXPECT_TRUE(absent.bEmbed);
    EXPECT_EQ(absent.iSplitType, 2);
    EXPECT_EQ(absent.iWndNum, 64);
    EXPECT_EQ(absent.rect.iWidth, 0);

    const CreateWndArgs wrong = readCreateWndArgs(json(R"({"wndNum":"16","splitType":1.5,"embed":"true","parentWnd":123})"));
    EXPECT_EQ(wrong.iWndNum, 0);
    EXPECT_EQ(wrong.iSplitType, 0);
    EXPECT_FALSE(wrong.bEmbed);
    EXPECT_TRUE(wrong.strParentWnd.isEmpty());

    const CreateWndArgs full = readCreateWndArgs(json(
        R"({"rect":{"left":1,"top":2,"width":3,"height":4},"className":"Chrome","embed":false,"parentWnd":"66",)"
        R"("workMode":1,"splitType":3,"languageType":"en","wndMode":1,"wndNum":9})"));
    EXPECT_EQ(full.rect.iLeft + full.rect.iTop * 10 + full.rect.iWidth * 100 + full.rect.iHeight * 1000, 4321);
    EXPECT_EQ(full.strClassName, "Chrome");
    EXPECT_FALSE(full.bEmbed);
    EXPECT_EQ(full.strParentWnd, "66");
    EXPECT_EQ(full.iWorkMode + full.iSplitType * 10 + full.iWndMode * 100 + full.iWndNum * 1000, 9131);
    EXPECT_EQ(full.strLanguageType, "en");
}

TEST(CreateWndArgs, ActiveXParentFalseDiscardsTheParent)
{
    EXPECT_TRUE(readCreateWndArgs(json(R"({"parentWnd":"66","activeXParentWnd":false})")).strParentWnd.isEmpty());
    EXPECT_TRUE(readCreateWndArgs(json(R"({"parentWnd":"66","activeXParentWnd":"yes"})")).strParentWnd.isEmpty());
    EXPECT_EQ(readCreateWndArgs(json(R"({"parentWnd":"66","activeXParentWnd":true})")).strParentWnd, "66");
}

TEST(WindowArgs, TimestampCoverAndCutOut)
{
    EXPECT_EQ(readSetWndGeometryArgs(json("{}")).strTimestamp, "0");
    EXPECT_EQ(readSetWndGeometryArgs(json(R"({"timestamp":1700})")).strTimestamp, "");
    EXPECT_EQ(readSetWndGeometryArgs(json(R"({"timestamp":"1700"})")).strTimestamp, "1700");

    const CuttingPartWindowArgs cut = readCuttingPartWindowArgs(json(R"({"rect":{"left":-20,"width":100},"round":8})"));
    EXPECT_EQ(cut.rect.iLeft, -20);
    EXPECT_EQ(cut.rect.iWidth, 100);
    EXPECT_EQ(cut.iRound, 8);
    // "round" belongs to the request, not to "rect".
    EXPECT_EQ(readCuttingPartWindowArgs(json(R"({"rect":{"round":8}})")).iRound, 0);

    EXPECT_EQ(readSetWndCoverArgs(json(R"({"position":3,"size":40})")).strPosition, "");
    EXPECT_EQ(readSetWndCoverArgs(json(R"({"position":"left","size":40})")).iSize, 40);
}

TEST(ForwardingArgs, TypeIsANumberForPlayModeAndATextForLanguage)
{
    EXPECT_EQ(readChangePlayModeArgs(json(R"({"type":2})")).iType, 2);
    EXPECT_EQ(readChangePlayModeArgs(json(R"({"type":"2"})")).iType, 0);
    EXPECT_EQ(readChangePlayModeArgs(json(R"({"type":-1})")).iType, -1);
    EXPECT_EQ(readSetLanguageTypeArgs(json(R"({"type":1})")).strType, "");
    EXPECT_EQ(readSetLanguageTypeArgs(json(R"({"type":"zh"})")).strType, "zh");
}

TEST(StartPlayArgs, WithoutOptionsTheRecordKeepsItsDefaults)
{
    const StartPlayArgs args = readStartPlayArgs(json(
        R"({"uuid":"w","url":"rtsp://h/7","password":"cA==","username":"u","siteID":5,)"
        R"("areaName":"w6Rs","cameraName":"","wndIndex":3,"permission":{"liveView":1,"volume":true}})"));
    EXPECT_EQ(args.strPassword, "cA==");                 // not decoded
    EXPECT_EQ(args.strAreaName, QStringLiteral("\u00e4l"));   // "w6Rs" is the Base64 of its UTF-8
    EXPECT_TRUE(args.strCameraName.isEmpty());
    EXPECT_TRUE(args.strSiteID.isEmpty());               // a number is no text
    EXPECT_EQ(args.iWndIndex, 3);
    EXPECT_EQ(args.permission.iLiveView, 1);
    EXPECT_EQ(args.permission.iVolume, 0);
    EXPECT_EQ(args.camera.iFecPlaceType, -1);
    EXPECT_TRUE(args.camera.vecAbilityType.empty());
    EXPECT_EQ(args.camera.stTimeZone.iTimeType, 1);
    EXPECT_TRUE(args.strSecretKey.isEmpty());
}

TEST(StartPlayArgs, OptionsChangeOnlyWhatThey)
{
    const StartPlayArgs some = readStartPlayArgs(json(
        R"({"options":{"secretKey":"k","dualStream":1,"abilityType":[3,10,3,"x"],"timeZoneInfo":{}}})"));
    EXPECT_EQ(some.strSecretKey, "k");
    EXPECT_EQ(some.iDualStream, 1);
    EXPECT_EQ(some.iMultiStreamProto, 0);
    EXPECT_EQ(some.camera.iFecPlaceType, -1);
    EXPECT_EQ(some.camera.vecAbilityType, (std::vector<int>{3, 10, 3, 0}));
    EXPECT_EQ(some.camera.stTimeZone.iTimeType, 0);    // present but incomplete

    const StartPlayArgs wrong = readStartPlayArgs(json(R"({"options":{"fecPlaceType":"2","abilityType":5}})"));
    EXPECT_EQ(wrong.camera.iFecPlaceType, 0);
    EXPECT_TRUE(wrong.camera.vecAbilityType.empty());

    const StartPlayArgs zone = readStartPlayArgs(json(
        R"({"options":{"timeZoneInfo":{"id":4,"utcBias":-480,"dst":true,"dstEndMinute":30,"orbitTimeType":2}}})"));
    EXPECT_EQ(zone.camera.stTimeZone.iId, 4);
    EXPECT_EQ(zone.camera.stTimeZone.iUtcBias, -480);
    EXPECT_TRUE(zone.camera.stTimeZone.bDst);
    EXPECT_EQ(zone.camera.stTimeZone.iDstEndMinute, 30);
    EXPECT_EQ(zone.camera.stTimeZone.iTimeType, 2);
}

TEST(VideoArgs, ErrorTypeLoginAndVane)
{
    EXPECT_EQ(readShowErrorInfoInFullScreenArgs(json("{}")).iType, 1);
    EXPECT_EQ(readShowErrorInfoInFullScreenArgs(json(R"({"type":"2"})")).iType, 0);
    EXPECT_EQ(readShowErrorInfoInFullScreenArgs(json(R"({"error":"b2s="})")).strError, "ok");

    const InitLoginInfoArgs login = readInitLoginInfoArgs(json(R"({"hubPort":"80","loginModel":-1,"userType":2})"));
    EXPECT_EQ(login.iHubPort, 0);
    EXPECT_EQ(login.iLoginModel, -1);
    EXPECT_TRUE(login.strUserType.isEmpty());

    const SetVanePlayInfoArgs vane = readSetVanePlayInfoArgs(json(R"({"uuid":"w","port":"554","ip":"h"})"));
    EXPECT_EQ(vane.strUUID, "w");
    EXPECT_EQ(vane.iPort, 0);
    EXPECT_EQ(vane.strIp, "h");
}

TEST(VideoArgs, HeatMapQueryFillsTheRecordInItsOwnOrder)
{
    const auto args = readStartDownloadCameraHeatValueArgs(json(
        R"({"guid":"top","param":{"startTime":"2024-01-02 03:04:05","endTime":"bad","siteID":"3",)"
        R"("cameraID":8,"minValue":5,"maxValue":9,"queryType":1,"heatMapType":2,"guid":"g"}})"));
    EXPECT_EQ(args.param.llStartTime, 1704164645LL);
    EXPECT_EQ(args.param.llEndTime, -1LL);              // whatever the parser gives
    EXPECT_EQ(args.param.iSiteID, 0);
    EXPECT_EQ(args.param.iCameraID, 8);
    EXPECT_EQ(args.param.iMaxValue, 9);
    EXPECT_EQ(args.param.iMinValue, 5);
    EXPECT_EQ(args.param.iQueryType, 1);
    EXPECT_EQ(args.param.iHeatMapType, 2);
    EXPECT_EQ(args.param.strGuid, "g");                 // the guid inside "param" only
}

TEST(PtzArgs, PresetsRoutesAndFlags)
{
    const SetFishEyePTZPresetArgs preset = readSetFishEyePTZPresetArgs(
        json(R"({"command":-1,"presetInfo":{"posX":0.1,"posY":"1","zoom":3}})"));
    EXPECT_EQ(preset.iCommand, -1);
    EXPECT_EQ(preset.preset.fPosX, 0.1f);
    EXPECT_EQ(preset.preset.fPosY, 0.0f);
    EXPECT_EQ(preset.preset.iZoom, 3);
    EXPECT_EQ(preset.preset.iPresetID, -1);
    EXPECT_EQ(preset.preset.iReserved, -1);

    const ControlFishEyeParolArgs route = readControlFishEyeParolArgs(json(
        R"({"cruisePointList":[{"presetNo":4,"sequence":2,"staySeconds":10,"speed":3,"presetInfo":{"zoom":1}},7]})"));
    ASSERT_EQ(route.vecCruisePoints.size(), 2u);
    EXPECT_EQ(route.vecCruisePoints[0].iCruisePointID, -1);
    EXPECT_EQ(route.vecCruisePoints[0].iSequence, 2);
    EXPECT_EQ(route.vecCruisePoints[0].iStayTime, 10);
    EXPECT_EQ(route.vecCruisePoints[0].iSpeed, 3);
    EXPECT_EQ(route.vecCruisePoints[0].stPreset.iZoom, 1);
    EXPECT_EQ(route.vecCruisePoints[1].iSequence, 0);   // not an object: a point of defaults
    EXPECT_TRUE(readControlFishEyeParolArgs(json("{}")).vecCruisePoints.empty());

    EXPECT_FALSE(readOpenPtzWndArgs(json(R"({"open":1})")).bOpen);
    EXPECT_TRUE(readSetWndAutoPanStateArgs(json(R"({"open":true})")).bOpen);
    EXPECT_EQ(readSetPreview3DPositionArgs(json(R"({"open":true})")).iOpen, 0);
    EXPECT_EQ(readSetPreview3DPositionArgs(json(R"({"open":1})")).iOpen, 1);
    EXPECT_TRUE(readControlFishEyePTZArgs(json(R"({"stop":true})")).bStop);
}
