#include <VarAvozov/Control.h>

#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>

using namespace varavozov;

namespace {

class ComponentSignals : public ::testing::Test
{
protected:
    void SetUp() override
    {
        reset();
        m_pComponent = std::make_unique<WebClientComponents>(
            nullptr, 0, Split2x2, QStringLiteral("en"), WndModeNormal, 64u);
        m_pComponent->SetWebUUID(QStringLiteral("w1"));
    }
    std::unique_ptr<WebClientComponents> m_pComponent;
};

} // namespace

TEST_F(ComponentSignals, EmitsByNameConvertingArguments)
{
    QSignalSpy spyPtz(m_pComponent.get(), &WebClientComponents::SignalWndPTZControl);
    EXPECT_TRUE(emitSignal(QStringLiteral("w1"), QStringLiteral("SignalWndPTZControl"),
                           {2, -1, 4294967295.0, QStringLiteral("7"), false}));
    ASSERT_EQ(spyPtz.size(), 1);
    EXPECT_EQ(spyPtz.at(0).at(1).toUInt(), 4294967295u);
    EXPECT_EQ(spyPtz.at(0).at(2).toUInt(), 4294967295u);
    EXPECT_EQ(spyPtz.at(0).at(3).toUInt(), 7u);
    EXPECT_FALSE(spyPtz.at(0).at(4).toBool());

    QSignalSpy spySelect(m_pComponent.get(), &WebClientComponents::SignalSetSelectedWnd);
    EXPECT_TRUE(emitSignalText(m_pComponent.get(), QStringLiteral("SignalSetSelectedWnd"),
                               {QStringLiteral("1"), QStringLiteral("4294967295"),
                                QStringLiteral("s\"1"), QStringLiteral("true")}));
    ASSERT_EQ(spySelect.size(), 1);
    EXPECT_EQ(spySelect.at(0).at(2).toString(), QStringLiteral("s\"1"));
    EXPECT_TRUE(spySelect.at(0).at(3).toBool());

    QSignalSpy spyStop(m_pComponent.get(), &WebClientComponents::SignalAllStop);
    EXPECT_TRUE(emitSignal(m_pComponent.get(), QStringLiteral("SignalAllStop"), {}));
    EXPECT_EQ(spyStop.size(), 1);

    struct Bad { QString strName; QVariantList args; };
    const Bad bad[] = {
        {QStringLiteral("SignalNope"), {}},
        {QStringLiteral("SignalWheelEvent"), {}},                       // count
        {QStringLiteral("SignalWheelEvent"), {2.5}},                    // not whole
        {QStringLiteral("SignalWheelEvent"), {QStringLiteral("abc")}},
        {QStringLiteral("SignalWheelEvent"), {4294967295.0}},           // out of int range
        {QStringLiteral("SignalTalkUrlEmpty"), {QStringLiteral("-3000000000")}},
        {QStringLiteral("SignalUpdate3DState"), {1, QStringLiteral("s"), 2, QStringLiteral("yes")}},
    };
    QSignalSpy spyWheel(m_pComponent.get(), &WebClientComponents::SignalWheelEvent);
    for (const Bad &b : bad) {
        QString strError;
        EXPECT_FALSE(emitSignal(m_pComponent.get(), b.strName, b.args, &strError)) << qPrintable(b.strName);
        EXPECT_FALSE(strError.isEmpty());
    }
    EXPECT_EQ(spyWheel.size(), 0);
    EXPECT_FALSE(emitSignal(QStringLiteral("unknown"), QStringLiteral("SignalAllStop"), {}));
    EXPECT_FALSE(emitSignal(reinterpret_cast<WebClientComponents *>(&spyWheel),
                            QStringLiteral("SignalAllStop"), {}));
}

TEST_F(ComponentSignals, HeatMapAnswersLaterWithTheQueryGuid)
{
    clientframework::HeatMapDownloaderParam param;
    param.iSiteID = 4;
    param.iCameraID = 9;
    param.llStartTime = 1700000000;
    param.llEndTime = 1700003600;
    param.iMaxValue = 9;
    param.iMinValue = 5;
    param.strGuid = QStringLiteral("g-1");
    QSignalSpy spy(m_pComponent.get(), &WebClientComponents::SignalHeatMap);
    EXPECT_TRUE(m_pComponent->StartDownloadCameraHeatValue(param));
    EXPECT_EQ(spy.size(), 0);   // not inside the call
    EXPECT_EQ(journalLines(QStringLiteral("w1")).last(), QStringLiteral(
        "StartDownloadCameraHeatValue(HeatMapDownloaderParam{siteID=4, cameraID=9, "
        "startTime=1700000000, endTime=1700003600, heatMapType=0, queryType=0, maxValue=9, "
        "minValue=5, guid=\"g-1\"})"));
    ASSERT_TRUE(spy.wait(2000));
    EXPECT_EQ(spy.at(0), (QVariantList{QStringLiteral("heat:4:9:1700000000:1700003600:0:0"), 9, 5,
                                       QStringLiteral("g-1")}));

    setHeatMapAnswer(QStringLiteral("[1,2]"), 2, 1);
    setHeatMapDelay(0);
    param.strGuid = QStringLiteral("g-2");
    m_pComponent->StartDownloadCameraHeatValue(param);
    ASSERT_TRUE(spy.wait(2000));
    EXPECT_EQ(spy.at(1), (QVariantList{QStringLiteral("[1,2]"), 2, 1, QStringLiteral("g-2")}));

    // Never answered, and nothing comes from a component deleted first.
    setHeatMapDelay(-1);
    m_pComponent->StartDownloadCameraHeatValue(param);
    setHeatMapDelay(5);
    auto other = std::make_unique<WebClientComponents>(nullptr, 0, Split1x1, QString(),
                                                       WndModeNormal, 1u);
    QSignalSpy spyOther(other.get(), &WebClientComponents::SignalHeatMap);
    other->StartDownloadCameraHeatValue(param);
    other.reset();
    QTest::qWait(50);
    EXPECT_EQ(spy.size(), 2);
    EXPECT_EQ(spyOther.size(), 0);
}

TEST_F(ComponentSignals, MouseSelectsWheelsAndTogglesFullScreen)
{
    WebClientComponents *pComponent = m_pComponent.get();
    pComponent->resize(400, 300);
    pComponent->show();
    clientframework::WebCameraStruct camera;
    pComponent->OnPlay(QStringLiteral("s1"), QStringLiteral("rtsp://h/cam/42?sub=1"), QString(),
                       QString(), QString(), QString(), QString(), QString(), 0, 0, camera, 3, 0);
    ASSERT_EQ(paneCount(pComponent), 4);
    EXPECT_EQ(paneRect(pComponent, 3), QRect(200, 150, 200, 150));
    EXPECT_TRUE(isPanePlaying(pComponent, 3));
    EXPECT_FALSE(isPanePlaying(pComponent, 0));

    QSignalSpy spyPressed(pComponent, &WebClientComponents::SignalMousePressed);
    QSignalSpy spySelect(pComponent, &WebClientComponents::SignalSetSelectedWnd);
    QTest::mouseClick(pComponent, Qt::LeftButton, Qt::NoModifier, QPoint(300, 200));
    ASSERT_EQ(spySelect.size(), 1);
    // The camera id is the url's last number.
    EXPECT_EQ(spySelect.at(0), (QVariantList{3u, 1u, QStringLiteral("s1"), false}));
    QTest::mouseClick(pComponent, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseClick(pComponent, Qt::RightButton, Qt::NoModifier, QPoint(300, 10));
    ASSERT_EQ(spySelect.size(), 2);
    EXPECT_EQ(spySelect.at(1), (QVariantList{0u, 0u, QString(), false}));
    EXPECT_EQ(selectedPane(pComponent), 0);
    EXPECT_EQ(spyPressed.size(), 3);

    QSignalSpy spyWheel(pComponent, &WebClientComponents::SignalWheelEvent);
    QWheelEvent wheel(QPointF(20, 20), QPointF(pComponent->mapToGlobal(QPoint(20, 20))), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(pComponent, &wheel);
    EXPECT_EQ(spyWheel.size(), 1);
    EXPECT_EQ(spyWheel.at(0).at(0).toInt(), -120);

    QSignalSpy spyEntered(pComponent, &WebClientComponents::SignalEnteredFullScreen);
    QSignalSpy spyQuited(pComponent, &WebClientComponents::SignalQuitedFullScreen);
    QTest::mouseDClick(pComponent, Qt::LeftButton, Qt::NoModifier, QPoint(300, 200));
    ASSERT_EQ(spyEntered.size(), 1);
    EXPECT_EQ(spyEntered.at(0).at(0).toString(), componentGuid(pComponent));
    EXPECT_TRUE(isFullScreen(pComponent));
    EXPECT_EQ(paneRect(pComponent, 3), pComponent->rect());
    EXPECT_TRUE(paneRect(pComponent, 0).isEmpty());
    QTest::mouseDClick(pComponent, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    ASSERT_EQ(spyQuited.size(), 1);
    EXPECT_EQ(spyQuited.at(0).at(0).toString(), componentGuid(pComponent));
    EXPECT_FALSE(isFullScreen(pComponent));
    EXPECT_EQ(spyEntered.size(), 1);

    // The pattern runs only while a pane plays; painting must not trip over any state.
    EXPECT_FALSE(pComponent->grab().isNull());
    pComponent->OnStopTotal();
    EXPECT_FALSE(isPanePlaying(pComponent, 3));
    pComponent->SetNumberOfWindows(5);
    EXPECT_EQ(paneCount(pComponent), 5);
    EXPECT_EQ(paneRect(pComponent, 4), QRect(133, 150, 133, 150));
}
