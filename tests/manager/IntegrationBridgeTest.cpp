// The integration library bridge against a small library of our own (ManagerPlugin.cpp).
#include "TestApplication.h"

#include "host/WindowControl.h"
#include "manager/WindowControlManager.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QLibrary>
#include <QSignalSpy>

namespace {

using CountFn = int (*)(const char *);
using TextFn = const char *(*)();
using WndFn = HWND (*)();
using CallBackFn = void (*)(HWND, const char *);

// The plugins sit next to the test program, so their "dllPath" is their file name.
struct Plugin
{
    explicit Plugin(const char *fileName)
        : library(QCoreApplication::applicationDirPath() + "/" + fileName)
    {
        library.load();
        count = reinterpret_cast<CountFn>(library.resolve("managerPluginCount"));
        lastParams = reinterpret_cast<TextFn>(library.resolve("managerPluginLastParams"));
        lastWnd = reinterpret_cast<WndFn>(library.resolve("managerPluginLastWnd"));
        callBack = reinterpret_cast<CallBackFn>(library.resolve("managerPluginCallBack"));
    }
    QLibrary library;
    CountFn count = nullptr;
    TextFn lastParams = nullptr;
    WndFn lastWnd = nullptr;
    CallBackFn callBack = nullptr;
};

QJsonObject parse(const QString &text)
{
    return QJsonDocument::fromJson(text.toUtf8()).object();
}

class IntegrationBridge : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WindowControlManager::DeleteInstance();
        ASSERT_TRUE(full.count) << qPrintable(full.library.errorString());
    }
    void TearDown() override { WindowControlManager::DeleteInstance(); }

    static WindowControlManager *manager() { return WindowControlManager::GetInstance(); }
    static QString start(const char *uuid, const char *path)
    {
        return manager()->StartService(QString(R"({"sequence":"s","uuid":"%1","options":{"dllPath":"%2"}})")
                                           .arg(uuid, path));
    }

    QApplication *m_pApp = testApplication();   // before the plugins: they are found through it
    Plugin full{MANAGER_PLUGIN_FILE};
};

} // namespace

TEST_F(IntegrationBridge, OneLibraryObjectPerPathUntilItsLastWindowStops)
{
    const int iSetBefore = full.count("setIntegrationCallBack");
    const int iCleanupBefore = full.count("cleanup");
    EXPECT_EQ(start("a", MANAGER_PLUGIN_FILE), R"({"errorCode":0,"errorModule":0,"sequence":"s","uuid":"a"})");
    EXPECT_EQ(start("b", MANAGER_PLUGIN_FILE), R"({"errorCode":0,"errorModule":0,"sequence":"s","uuid":"b"})");
    EXPECT_EQ(full.count("setIntegrationCallBack"), iSetBefore + 1);

    manager()->StopService(R"({"uuid":"a"})");
    EXPECT_EQ(full.count("cleanup"), iCleanupBefore);
    manager()->StopService(R"({"uuid":"b"})");
    EXPECT_EQ(full.count("cleanup"), iCleanupBefore + 1);

    // A fresh load after the last stop hands the callback over again.
    start("c", MANAGER_PLUGIN_FILE);
    EXPECT_EQ(full.count("setIntegrationCallBack"), iSetBefore + 2);
}

TEST_F(IntegrationBridge, RequestsReachTheLibraryWindowOnly)
{
    start("a", MANAGER_PLUGIN_FILE);
    const QString request = R"({"sequence":"1","uuid":"a","requestParams":{"k":"v\u00e9"}})";
    const int iRequests = full.count("requestInterface");
    // No library window yet: nothing is sent.
    EXPECT_EQ(manager()->RequestInterface(request),
              R"({"errorCode":0,"errorModule":0,"responseMsg":{},"sequence":"1","uuid":"a"})");
    EXPECT_EQ(full.count("requestInterface"), iRequests);

    const HWND hWnd = reinterpret_cast<HWND>(0x77);
    manager()->setIntegrationWnd("a", hWnd);
    const int iFrees = full.count("freeMsgBuffer");
    EXPECT_EQ(manager()->RequestInterface(request),
              QStringLiteral("{\"errorCode\":0,\"errorModule\":0,\"responseMsg\":{\"k\":\"v\u00e9\"},\"sequence\":\"1\",\"uuid\":\"a\"}"));
    EXPECT_EQ(QString::fromUtf8(full.lastParams()), QStringLiteral("{\n    \"k\": \"v\u00e9\"\n}\n"));
    EXPECT_EQ(full.lastWnd(), hWnd);
    EXPECT_EQ(full.count("freeMsgBuffer"), iFrees + 1);

    // An answer that is no object reads as an empty one; the buffer is still released.
    EXPECT_EQ(parse(manager()->RequestInterface(R"({"uuid":"a","requestParams":{"array":1}})")).value("responseMsg"),
              QJsonObject());
    EXPECT_EQ(full.count("freeMsgBuffer"), iFrees + 2);

    EXPECT_EQ(manager()->RequestInterface("[}"),
              R"({"errorCode":1,"errorModule":5,"responseMsg":{},"sequence":"","uuid":""})");
}

TEST_F(IntegrationBridge, CallbacksBecomeNotifications)
{
    start("a", MANAGER_PLUGIN_FILE);
    manager()->setIntegrationWnd("a", reinterpret_cast<HWND>(0x77));
    manager()->setIntegrationWnd("b", reinterpret_cast<HWND>(0x77));
    QSignalSpy spy(manager(), &WindowControlManager::integrationCallBack);

    full.callBack(reinterpret_cast<HWND>(0x77), "{\"x\":[1]}");
    full.callBack(reinterpret_cast<HWND>(0x99), "not json");
    full.callBack(nullptr, nullptr);
    ASSERT_EQ(spy.count(), 3);
    EXPECT_EQ(spy[0][0].toString(),
              R"({"cmd":"window.integrationCallBack","responseMsg":{"x":[1]},"sequence":"","uuid":"a"})");
    EXPECT_EQ(spy[1][0].toString(),
              R"({"cmd":"window.integrationCallBack","responseMsg":{},"sequence":"","uuid":""})");
    EXPECT_EQ(parse(spy[2][0].toString()).value("uuid").toString(), "");
}

TEST_F(IntegrationBridge, ConnectCloseDestroysTheLibraryWindowThenStopsTheService)
{
    start("a", MANAGER_PLUGIN_FILE);
    const HWND hWnd = reinterpret_cast<HWND>(0x42);
    manager()->setIntegrationWnd("a", hWnd);
    manager()->insertWindow("a", new WindowControl);
    const int iDestroys = full.count("destroyWnd");
    const int iCleanups = full.count("cleanup");

    manager()->ConnectClose(R"({"uuid":"a"})");   // a request text is no window key
    EXPECT_EQ(full.count("destroyWnd"), iDestroys);

    manager()->ConnectClose("a");
    EXPECT_EQ(full.count("destroyWnd"), iDestroys + 1);
    EXPECT_EQ(full.lastWnd(), hWnd);
    EXPECT_EQ(manager()->findWindow("a"), nullptr);
    EXPECT_EQ(manager()->integrationWnd("a"), nullptr);
    EXPECT_EQ(full.count("cleanup"), iCleanups + 1);
}
