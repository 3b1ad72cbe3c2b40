#include <VarAvozov/Control.h>

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <memory>
#include <new>

using namespace varavozov;

namespace {

class ComponentJournal : public ::testing::Test
{
protected:
    void SetUp() override { reset(); }
    static std::unique_ptr<WebClientComponents> make(const QString &uuid = QString())
    {
        auto component = std::make_unique<WebClientComponents>(
            nullptr, 0, Split2x2, QStringLiteral("en"), WndModeNormal, 64u);
        if (!uuid.isEmpty())
            component->SetWebUUID(uuid);
        return component;
    }
};

} // namespace

TEST_F(ComponentJournal, KeyJournalStartsAtConstructionAndOutlivesTheInstance)
{
    auto *pComponent = new WebClientComponents(nullptr, 3, Split3x3, QStringLiteral("en"),
                                               WndModeSingle, 4u);
    const QString strCtor = QStringLiteral("WebClientComponents(3, 3, \"en\", 1, 4)");
    EXPECT_EQ(journalLines(pComponent), QStringList{strCtor});
    EXPECT_EQ(paneCount(pComponent), 4);   // 3 x 3 capped by the window count
    EXPECT_TRUE(journal(QStringLiteral("w1")).isEmpty());

    pComponent->SetWebUUID(QStringLiteral("w1"));
    pComponent->SetConfigXmlPath(QStringLiteral("C:/cfg"), QStringLiteral("C:/svc"));
    EXPECT_EQ(findComponent(QStringLiteral("w1")), pComponent);
    EXPECT_EQ(liveKeys(), QStringList{QStringLiteral("w1")});
    const QStringList expected{strCtor, QStringLiteral("SetWebUUID(\"w1\")"),
                               QStringLiteral("SetConfigXmlPath(\"C:/cfg\", \"C:/svc\")")};
    EXPECT_EQ(journalLines(QStringLiteral("w1")), expected);
    EXPECT_EQ(journalLines(pComponent), expected);
    const QList<JournalEntry> entries = journal(QStringLiteral("w1"));
    EXPECT_EQ(entries.at(0).strUUID, QString());
    EXPECT_EQ(entries.at(2).strUUID, QStringLiteral("w1"));
    EXPECT_EQ(entries.at(2).strComponentGuid, componentGuid(pComponent));
    EXPECT_EQ(entries.at(2).args, (QVariantList{QStringLiteral("C:/cfg"), QStringLiteral("C:/svc")}));

    clearJournal(pComponent);
    EXPECT_TRUE(journal(pComponent).isEmpty());
    EXPECT_EQ(journal(QStringLiteral("w1")).size(), 3);

    delete pComponent;
    EXPECT_EQ(findComponent(QStringLiteral("w1")), nullptr);
    EXPECT_TRUE(journal(pComponent).isEmpty());  // no longer live: not read
    EXPECT_EQ(journalLines(QStringLiteral("w1")).last(), QStringLiteral("~WebClientComponents()"));
    clearJournal(QStringLiteral("w1"));
    EXPECT_TRUE(journal(QStringLiteral("w1")).isEmpty());
}

TEST_F(ComponentJournal, PlayRecordIsWrittenFieldByField)
{
    auto component = make(QStringLiteral("w1"));
    clientframework::WebCameraStruct camera;
    camera.iFecPlaceType = 2;
    camera.vecAbilityType = {3, 10, 3};
    camera.stTimeZone.iUtcBias = -480;
    camera.stTimeZone.bDst = true;
    camera.stTimeZone.iDstEndMinute = 30;
    camera.stTimeZone.iTimeType = 0;
    const QString strArea = QString::fromUtf8("a\"b\\c\nd\te\x01\xc3\xbc");
    component->OnPlay(QStringLiteral("s1"), QStringLiteral("rtsp://h/cam/42"), QStringLiteral("u"),
                      QStringLiteral("p"), strArea, QStringLiteral("cam"), QStringLiteral("<x/>"),
                      QStringLiteral("k"), 1, 2, camera, 3, 0);

    const QString strExpected = QString::fromUtf8(
        R"x(OnPlay("s1", "rtsp://h/cam/42", "u", "p", "a\"b\\c\nd\te\u0001ü", "cam", "<x/>", "k", 1, 2, )x"
        R"x(WebCameraStruct{fecPlaceType=2, abilityType=[3, 10, 3], timeZone=TimeZoneInfo{id=0, )x"
        R"x(utcBias=-480, dst=true, daylightBias=0, dstStartMonth=0, dstEndMonth=0, dstStartWeek=0, )x"
        R"x(dstEndWeek=0, dstStartDay=0, dstEndDay=0, dstStartHour=0, dstEndHour=0, dstStartMinute=0, )x"
        R"x(dstEndMinute=30, timeType=0}, extendInfo=""}, 3, 0))x");
    const JournalEntry entry = journal(QStringLiteral("w1")).last();
    EXPECT_EQ(entry.strLine, strExpected);
    EXPECT_EQ(entry.strOperation, QStringLiteral("OnPlay"));
    ASSERT_EQ(entry.args.size(), 13);
    EXPECT_EQ(entry.args.at(4).toString(), strArea);
    const QVariantMap mapCamera = entry.args.at(10).toMap();
    EXPECT_EQ(mapCamera.value(QStringLiteral("abilityType")), (QVariantList{3, 10, 3}));
    EXPECT_EQ(mapCamera.value(QStringLiteral("timeZone")).toMap().value(QStringLiteral("utcBias")), -480);
    EXPECT_TRUE(isPanePlaying(component.get(), 3));
    EXPECT_FALSE(isPanePlaying(component.get(), 0));
}

TEST_F(ComponentJournal, PresetsAndRoutes)
{
    auto component = make(QStringLiteral("w1"));
    clearJournal(QStringLiteral("w1"));
    ResourceManager::PresetStruct preset;
    preset.fPosX = 0.1f;
    preset.fPosY = -2.5f;
    preset.iZoom = 7;
    component->SetFishEyePTZPreset(4294967295u, preset, 1);

    std::vector<ResourceManager::CruisePointStruct> route(2);
    route[1].iSequence = 5;
    route[1].iStayTime = 10;
    route[1].stPreset.strPresetName = "x";
    component->ControlFishEyeParol(2, route, 0);
    std::vector<ResourceManager::CruisePointStruct> empty;
    component->ControlFishEyeParol(3, empty, 1);

    setPresetAnswer(0.25f, 1e-7f, -3);
    ResourceManager::PresetStruct answer;
    EXPECT_TRUE(component->GetFishEyePTZPreset(answer, 2));
    EXPECT_EQ(answer.fPosX, 0.25f);
    EXPECT_EQ(answer.fPosY, 1e-7f);
    EXPECT_EQ(answer.iZoom, -3);
    EXPECT_EQ(answer.iPresetID, -1);

    const QString strDefault = QStringLiteral(
        "PresetStruct{presetID=-1, presetName=\"\", cameraID=-1, channel=-1, presetType=-1, "
        "posX=0, posY=0, pan=0, tilt=0, zoom=0, reserved=-1}");
    const QStringList lines = journalLines(QStringLiteral("w1"));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines.at(0), QStringLiteral(
        "SetFishEyePTZPreset(4294967295, PresetStruct{presetID=-1, presetName=\"\", cameraID=-1, "
        "channel=-1, presetType=-1, posX=0.1, posY=-2.5, pan=0, tilt=0, zoom=7, reserved=-1}, 1)"));
    EXPECT_EQ(lines.at(1), QStringLiteral(
        "ControlFishEyeParol(2, [CruisePointStruct{cruisePointID=-1, preset=%1, sequence=-1, "
        "stayTime=0, speed=0}, CruisePointStruct{cruisePointID=-1, preset=%2, sequence=5, "
        "stayTime=10, speed=0}], 0)")
        .arg(strDefault, QString(strDefault).replace(QStringLiteral("presetName=\"\""),
                                                     QStringLiteral("presetName=\"x\""))));
    EXPECT_EQ(lines.at(2), QStringLiteral("ControlFishEyeParol(3, [], 1)"));
    EXPECT_EQ(lines.at(3), QStringLiteral("GetFishEyePTZPreset(%1, 2)").arg(strDefault));
    const QVariantMap mapPreset = journal(QStringLiteral("w1")).at(0).args.at(1).toMap();
    EXPECT_EQ(mapPreset.value(QStringLiteral("posX")).toFloat(), 0.1f);
}

TEST_F(ComponentJournal, FailedConstructionLeavesNoInstance)
{
    failNextConstruction(2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_THROW(make(QStringLiteral("w1")), std::bad_alloc);
        EXPECT_TRUE(liveComponents().isEmpty());
    }
    EXPECT_TRUE(journal(QStringLiteral("w1")).isEmpty());
    EXPECT_EQ(pendingConstructionFailures(), 0);
    auto component = make(QStringLiteral("w1"));
    EXPECT_EQ(liveComponents(), QList<WebClientComponents *>{component.get()});
}

TEST_F(ComponentJournal, ClassWideCountsAndAnswers)
{
    WebClientComponents::InitStreamClient();
    WebClientComponents::InitStreamClient();
    WebClientComponents::UninitStreamClient();
    EXPECT_EQ(initStreamClientCount(), 2);
    EXPECT_EQ(uninitStreamClientCount(), 1);

    auto first = make(QStringLiteral("a"));
    auto second = make(QStringLiteral("b"));
    EXPECT_NE(first->GetComponentGuid(), second->GetComponentGuid());
    EXPECT_EQ(first->GetComponentGuid(), componentGuid(first.get()));

    const QString strRequest = QStringLiteral("{\"menu\":[1,\"x\"]}");
    const QJsonObject echo = QJsonDocument::fromJson(second->HandleRequest(strRequest).toUtf8()).object();
    EXPECT_EQ(echo.value(QStringLiteral("request")).toString(), strRequest);
    EXPECT_EQ(echo.value(QStringLiteral("uuid")).toString(), QStringLiteral("b"));
    setHandleRequestAnswer(QStringLiteral("not json"));
    EXPECT_EQ(second->HandleRequest(strRequest), QStringLiteral("not json"));
    EXPECT_TRUE(second->SetTranslateFile(QString()));

    reset();
    EXPECT_EQ(initStreamClientCount(), 0);
    EXPECT_TRUE(journal(QStringLiteral("a")).isEmpty());
    EXPECT_EQ(second->HandleRequest(QString()), QStringLiteral("{\"request\":\"\",\"uuid\":\"b\"}"));
}
