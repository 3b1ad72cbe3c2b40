// The manager: one instance, the component library initialised once, the registry in
// key order, and the lifecycle requests that need nothing but the registry.
#include "TestApplication.h"

#include "host/WindowControl.h"
#include "manager/WindowControlManager.h"

#include <VarAvozov/Control.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>

namespace {

class ManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        testApplication();
        WindowControlManager::DeleteInstance();
        varavozov::reset();
    }
    void TearDown() override { WindowControlManager::DeleteInstance(); }

    static WindowControlManager *manager() { return WindowControlManager::GetInstance(); }
};

} // namespace

TEST_F(ManagerTest, OneInstanceAndOneInitialisation)
{
    WindowControlManager *pFirst = WindowControlManager::GetInstance();
    EXPECT_EQ(WindowControlManager::GetInstance(), pFirst);
    EXPECT_EQ(varavozov::initStreamClientCount(), 1);
    EXPECT_EQ(varavozov::uninitStreamClientCount(), 0);

    WindowControlManager::DeleteInstance();
    EXPECT_EQ(varavozov::uninitStreamClientCount(), 1);
    WindowControlManager::GetInstance();
    EXPECT_EQ(varavozov::initStreamClientCount(), 2);
}

TEST_F(ManagerTest, RegistryKeepsKeyOrderAndReplaces)
{
    auto *pB = new WindowControl;
    auto *pA = new WindowControl;
    auto *pA2 = new WindowControl;
    manager()->insertWindow("b", pB);
    manager()->insertWindow("a", pA);
    EXPECT_EQ(manager()->windowKeys(), QStringList({"a", "b"}));
    manager()->insertWindow("a", pA2);
    EXPECT_EQ(manager()->findWindow("a"), pA2);
    // The replaced host is no longer the manager's; deleting it leaves the new entry.
    delete pA;
    EXPECT_EQ(manager()->findWindow("a"), pA2);
    EXPECT_EQ(manager()->findWindow("A"), nullptr);

    QPointer<WindowControl> pGuardB = pB;
    WindowControlManager::DeleteInstance();
    EXPECT_TRUE(pGuardB.isNull());   // the manager owns what its registry holds
}

TEST_F(ManagerTest, ClosedHostLeavesTheRegistry)
{
    auto *pHost = new WindowControl;
    manager()->insertWindow("w", pHost);
    pHost->close();   // deletes itself on close
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(manager()->findWindow("w"), nullptr);
    EXPECT_TRUE(manager()->windowKeys().isEmpty());
}

TEST_F(ManagerTest, HideAndDestroyActOnRegisteredHostsOnly)
{
    auto *pHost = new WindowControl;
    pHost->show();
    manager()->insertWindow("w", pHost);
    manager()->setIntegrationWnd("w", reinterpret_cast<HWND>(0x55));
    QPointer<WindowControl> pGuard = pHost;

    EXPECT_EQ(manager()->HideWnd(R"({"sequence":"1","uuid":"W"})"),
              R"({"errorCode":0,"errorModule":0,"sequence":"1","uuid":"W"})");
    EXPECT_TRUE(pHost->isVisible());
    manager()->HideWnd(R"({"uuid":"w"})");
    EXPECT_FALSE(pHost->isVisible());

    EXPECT_EQ(manager()->DestroyWnd(R"({"sequence":"2","uuid":"w"})"),
              R"({"errorCode":0,"errorModule":0,"sequence":"2","uuid":"w"})");
    EXPECT_TRUE(pGuard.isNull());
    EXPECT_EQ(manager()->findWindow("w"), nullptr);
    EXPECT_EQ(manager()->integrationWnd("w"), nullptr);
    EXPECT_EQ(manager()->DestroyWnd("{"), R"({"errorCode":1,"errorModule":5,"sequence":"","uuid":""})");
}
