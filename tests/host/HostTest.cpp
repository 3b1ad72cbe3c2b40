#include "HostTest.h"

#include <QApplication>

#include <win32sim/QpaImport.h>

namespace {
class QtEnvironment : public ::testing::Environment
{
    void SetUp() override
    {
        static int argc = 3;
        static char arg0[] = "host_tests", arg1[] = "-platform", arg2[] = "win32sim";
        static char *argv[] = {arg0, arg1, arg2, nullptr};
        m_pApp = new QApplication(argc, argv);
    }
    void TearDown() override { delete m_pApp; }
    QApplication *m_pApp = nullptr;
};
const auto *g_pEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);
} // namespace

void HostTest::SetUp()
{
    win32sim::reset();
    varavozov::reset();
    qputenv("USERPROFILE", "C:\\Users\\op");
}
