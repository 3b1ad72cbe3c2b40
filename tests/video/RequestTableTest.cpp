// Requests that end in one component call: what arrives for each field, its fallbacks
// and its order; nothing for an unknown window; nothing (and no harm) without a component.
#include "VideoTest.h"

namespace {

using M = WindowControlManager;

struct Case
{
    VideoTest::Handler handler;
    const char *fields;
    const char *call;       // the component's journal line
};

const Case kCases[] = {
    {&M::ChangePlayMode, R"({"type":-1})", "OnChangePlayMode(4294967295)"},
    {&M::ChangePlayMode, R"({"type":2.5})", "OnChangePlayMode(0)"},
    {&M::ChangePlayMode, R"({"type":"2"})", "OnChangePlayMode(0)"},
    {&M::SetLanguageType, R"({"type":1})", R"(SetLanguageType(""))"},
    {&M::SetLanguageType, R"({"type":"zh_CN"})", R"(SetLanguageType("zh_CN"))"},
    {&M::SetTranslateFile, R"({"language":"en\"x"})", R"(SetTranslateFile("en\"x"))"},
    {&M::SwitchToSimple, R"({"simple":true})", "SwitchToSimple(0)"},
    {&M::SetFirstDayOfWeek, R"({"firstDay":1})", "SetFirstDayOfWeek(1)"},
    {&M::SetDragMode, R"({"drag":-2})", "OnSetDragMode(-2)"},
    {&M::SetNumberOfWindows, R"({"number":9})", "SetNumberOfWindows(9)"},
    {&M::SetHubToken, R"({"token":"t"})", R"(SetHubToken("t"))"},
    {&M::SetVanePlayInfo,
     R"({"guid":"g","protocal":"rtsp","session":"se","token":"tk","ip":"h","port":"554","accessPath":"/a"})",
     R"(SetVanePlayInfo("g", "rtsp", "se", "tk", "h", 0, "/a", "w1"))"},
    {&M::StopPlay, "{}", "OnStopPlay(0)"},
    {&M::StopTotal, R"({"wndIndex":2})", "OnStopTotal()"},
    {&M::ShowErrorInfoInFullScreen, R"({"error":"b2s="})", R"(OnShowErrorInfoInFullScreen("ok", 1))"},
    {&M::ShowErrorInfoInFullScreen, R"({"error":"b2s=","type":"2"})", R"(OnShowErrorInfoInFullScreen("ok", 0))"},
    {&M::ControlFishEyePTZ, R"({"command":-1,"stop":true,"speed":5,"wndIndex":-1})",
     "ControlFishEyePTZ(4294967295, true, 5, -1)"},
    {&M::ControlFishEyePTZ, R"({"stop":1,"speed":-3})", "ControlFishEyePTZ(0, false, 4294967293, 0)"},
    {&M::OpenPtzWnd, R"({"wndIndex":-1,"open":1})", "OpenPtzWnd(4294967295, false)"},
    {&M::SetWndAutoPanState, R"({"wndIndex":2,"open":true})", "SetWndAutoPanState(2, true)"},
    {&M::SetPreview3DPosition, R"({"open":true})", "OnSetPreview3DPosition(0)"},
    {&M::SetPreview3DPosition, R"({"open":1})", "OnSetPreview3DPosition(1)"},
    {&M::SetFishEyePTZPreset, R"({"command":-1,"wndIndex":1,"presetInfo":{"posX":0.1,"posY":"1","zoom":3}})",
     "SetFishEyePTZPreset(4294967295, PresetStruct{presetID=-1, presetName=\"\", cameraID=-1, channel=-1, "
     "presetType=-1, posX=0.1, posY=0, pan=0, tilt=0, zoom=3, reserved=-1}, 1)"},
    {&M::StartDownloadCameraHeatValue,
     R"({"guid":"top","param":{"startTime":"2024-01-02 03:04:05","siteID":"3","cameraID":8,)"
     R"("minValue":5,"maxValue":9,"queryType":1,"heatMapType":2,"guid":"g"}})",
     "StartDownloadCameraHeatValue(HeatMapDownloaderParam{siteID=0, cameraID=8, startTime=1704164645, "
     "endTime=-1, heatMapType=2, queryType=1, maxValue=9, minValue=5, guid=\"g\"})"},
    {&M::HandleRequest, R"({"message":"m"})", R"(HandleRequest("m"))"},
};

} // namespace

TEST_F(VideoTest, EachRequestMakesOneCallWithItsFieldsInOrder)
{
    for (const Case &c : kCases) {
        varavozov::clearJournal("w1");
        const QJsonObject reply = send(c.handler, json(c.fields));
        EXPECT_EQ(reply.value("errorCode").toInt(-1), 0) << c.call;
        EXPECT_EQ(reply.value("uuid").toString(), "w1");
        EXPECT_EQ(calls(), QStringList{c.call}) << c.fields;

        send(c.handler, json(c.fields), "W1");   // keys are case-sensitive
        EXPECT_EQ(calls().size(), 1) << c.call;
    }
}

TEST_F(VideoTest, HostWithoutComponentTakesEveryRequestAndForwardsNothing)
{
    manager()->insertWindow("bare", new WindowControl(nullptr));
    for (const Case &c : kCases)
        EXPECT_EQ(send(c.handler, json(c.fields), "bare").value("errorCode").toInt(-1), 0) << c.call;
    EXPECT_EQ(send(&M::HandleRequest, json(R"({"message":"m"})"), "bare").value("message"), "");
    for (Handler h : {&M::StartPlay, &M::InitLoginInfo, &M::ControlFishEyeParol, &M::GetFishEyePTZPreset})
        EXPECT_EQ(send(h, {}, "bare").value("errorCode").toInt(-1), 0);
    manager()->SetLocalConfig("x");
    EXPECT_EQ(calls(), QStringList{R"(SetLocalConfig("x"))"});
}

TEST_F(VideoTest, SetLocalConfigHandsEveryComponentTheTextUnparsed)
{
    ASSERT_TRUE(createHost("b"));
    ASSERT_TRUE(createHost("a"));
    const QString text = QString::fromUtf8("{not json \xc3\xa9\"");
    manager()->SetLocalConfig(text);
    for (const QString key : {"a", "b", "w1"}) {
        ASSERT_EQ(varavozov::journal(key).size(), 1) << qPrintable(key);
        EXPECT_EQ(varavozov::journal(key).first().args, QVariantList{text});
    }
}
