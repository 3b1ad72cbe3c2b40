// What the component gets built from a request: the XML documents byte for byte with
// the log lines around them, the play call with its camera record, cruise routes.
#include "VideoTest.h"

namespace {

using M = WindowControlManager;

const char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

} // namespace

TEST_F(VideoTest, LoginDocumentIsEscapedAndLogged)
{
    const QStringList log = logOf([] {
        send(&M::InitLoginInfo, json(R"({"hubAddress":"h&1<2>\"'","hubPort":"80","loginModel":-1,)"
                                     R"("userType":2,"networkType":"lan"})"));
    });
    const QString xml = QString(kDeclaration) +
        "<device>\n"
        " <lpHUBAddress>h&amp;1&lt;2>\"'</lpHUBAddress>\n"
        " <lPort>0</lPort>\n"
        " <lpSessionID></lpSessionID>\n"
        " <lpLoginModel>-1</lpLoginModel>\n"
        " <lpUserType></lpUserType>\n"
        " <lpNetworkType>lan</lpNetworkType>\n"
        "</device>\n";
    ASSERT_EQ(calls().size(), 1);
    EXPECT_EQ(lastCall().args, QVariantList{xml});
    EXPECT_EQ(log, QStringList({"InitLoginInfo: " + xml, "InitLoginInfo: true"}));

    EXPECT_EQ(logOf([] { send(&M::SetHubToken, json(R"({"token":"t"})")); }), QStringList{"SetHubToken: true"});
    EXPECT_EQ(logOf([] { send(&M::SetTranslateFile, json(R"({"language":"en"})")); }),
              QStringList{"SetTranslateFile: true"});
    EXPECT_TRUE(logOf([] { send(&M::SetTranslateFile, json(R"({"language":"en"})"), "none"); }).isEmpty());
}

TEST_F(VideoTest, PlayWithoutOptionsPassesThirteenArgumentsAndTheDefaults)
{
    send(&M::StartPlay, json(R"({"url":"rtsp://h/7","password":"cA==","username":"u","siteID":5,)"
                             R"("areaName":"w6Rs","cameraName":"","wndIndex":3,)"
                             R"("permission":{"liveView":1,"playback":-1,"volume":true}})"));
    ASSERT_EQ(calls().size(), 1);
    const varavozov::JournalEntry play = lastCall();
    ASSERT_EQ(play.args.size(), 13);
    // siteID was a number; the password stays as sent while the names are decoded.
    EXPECT_EQ(play.args.mid(0, 6), QVariantList({"", "rtsp://h/7", "u", "cA==", QString::fromUtf8("\xc3\xa4l"), ""}));
    EXPECT_EQ(play.args.at(6).toString(), QString(kDeclaration) +
        "<Permission>\n <LiveView>1</LiveView>\n <Playback>-1</Playback>\n <VideoSearch>0</VideoSearch>\n"
        " <ManualRecording>0</ManualRecording>\n <TwoWayAudio>0</TwoWayAudio>\n <PTZControl>0</PTZControl>\n"
        " <CapturePrint>0</CapturePrint>\n <Volume>0</Volume>\n</Permission>\n");
    EXPECT_TRUE(play.strLine.endsWith(
        "\"\", 0, 0, WebCameraStruct{fecPlaceType=-1, abilityType=[], timeZone=TimeZoneInfo{id=0, utcBias=0, "
        "dst=false, daylightBias=0, dstStartMonth=0, dstEndMonth=0, dstStartWeek=0, dstEndWeek=0, dstStartDay=0, "
        "dstEndDay=0, dstStartHour=0, dstEndHour=0, dstStartMinute=0, dstEndMinute=0, timeType=1}, "
        "extendInfo=\"\"}, 3, 0)")) << qPrintable(play.strLine);
}

TEST_F(VideoTest, PlayOptionsChangeOnlyWhatIsPresent)
{
    send(&M::StartPlay, json(R"({"options":{"secretKey":"k","multiStreamProto":2,"fecPlaceType":"2",)"
                             R"("abilityType":[3,10,3,"x"],"timeZoneInfo":{"id":4,"utcBias":-480,"dst":1,"dstEndMinute":30,)"
                             R"("orbitTimeType":2}}})"));
    EXPECT_TRUE(lastCall().strLine.endsWith(
        "\"k\", 2, 0, WebCameraStruct{fecPlaceType=0, abilityType=[3, 10, 3, 0], timeZone=TimeZoneInfo{id=4, "
        "utcBias=-480, dst=false, daylightBias=0, dstStartMonth=0, dstEndMonth=0, dstStartWeek=0, dstEndWeek=0, "
        "dstStartDay=0, dstEndDay=0, dstStartHour=0, dstEndHour=0, dstStartMinute=0, dstEndMinute=30, "
        "timeType=2}, extendInfo=\"\"}, 0, 0)")) << qPrintable(lastCall().strLine);

    // A present but empty zone block sets every field, the time type to 0; a list that is
    // no array is empty.
    send(&M::StartPlay, json(R"({"options":{"timeZoneInfo":{},"dualStream":1,"abilityType":5}})"));
    const QVariantList args = lastCall().args;
    ASSERT_EQ(args.size(), 13);
    EXPECT_EQ(args.at(9), QVariant(1));
    const QVariantMap camera = args.at(10).toMap();
    EXPECT_EQ(camera.value("fecPlaceType"), QVariant(-1));
    EXPECT_EQ(camera.value("abilityType"), QVariantList());
    EXPECT_EQ(camera.value("timeZone").toMap().value("timeType"), QVariant(0));
}

TEST_F(VideoTest, CruiseRouteKeepsOrderAndDefaults)
{
    send(&M::ControlFishEyeParol, json(R"({"command":-1,"wndIndex":2,"cruisePointList":[)"
                                       R"({"presetNo":4,"sequence":2,"staySeconds":10,"speed":3,)"
                                       R"("presetInfo":{"posX":0.1,"posY":-2.5,"zoom":1}},7,{}]})"));
    const QString fresh = "PresetStruct{presetID=-1, presetName=\"\", cameraID=-1, channel=-1, presetType=-1, "
                          "posX=%1, posY=%2, pan=0, tilt=0, zoom=%3, reserved=-1}";
    const QString blank = "CruisePointStruct{cruisePointID=-1, preset=" + fresh.arg(0).arg(0).arg(0)
                          + ", sequence=0, stayTime=0, speed=0}";
    EXPECT_EQ(calls(), QStringList{
        "ControlFishEyeParol(4294967295, [CruisePointStruct{cruisePointID=-1, preset="
        + fresh.arg("0.1").arg("-2.5").arg(1) + ", sequence=2, stayTime=10, speed=3}, "
        + blank + ", " + blank + "], 2)"});

    varavozov::clearJournal("w1");
    send(&M::ControlFishEyeParol, json(R"({"cruisePointList":[]})"));
    EXPECT_EQ(calls(), QStringList{"ControlFishEyeParol(0, [], 0)"});
}
