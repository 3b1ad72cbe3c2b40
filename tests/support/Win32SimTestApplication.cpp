// Linked into a test program, this runs its tests inside a QApplication on the
// simulated desktop's Qt platform.
#include <QApplication>

#include <gtest/gtest.h>

#include <win32sim/QpaImport.h>

namespace {

class Win32SimApplication : public ::testing::Environment
{
public:
    void SetUp() override
    {
        static int argc = 3;
        static char arg0[] = "tests", arg1[] = "-platform", arg2[] = "win32sim";
        static char *argv[] = {arg0, arg1, arg2, nullptr};
        m_pApp = new QApplication(argc, argv);
    }
    void TearDown() override { delete m_pApp; }

private:
    QApplication *m_pApp = nullptr;
};

const auto *g_pEnvironment = ::testing::AddGlobalTestEnvironment(new Win32SimApplication);

} // namespace
