#include "TestApplication.h"

#include <gtest/gtest.h>

#ifdef WC_TEST_WIN32SIM
#include <win32sim/QpaImport.h>
#endif

namespace {

QApplication *s_pApp = nullptr;

class ApplicationEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { testApplication(); }
    void TearDown() override
    {
        delete s_pApp;
        s_pApp = nullptr;
    }
};

const auto *g_pEnvironment = ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

} // namespace

QApplication *testApplication()
{
    // QApplication keeps argc and argv by reference for its whole life.
    static int s_argc = 3;
#if defined(WC_TEST_WIN32SIM)
    static char s_arg2[] = "win32sim";
#elif defined(_WIN32)
    static char s_arg2[] = "windows";   // a real desktop: Qt's own platform, the only one it has
#else
    static char s_arg2[] = "offscreen";
#endif
    static char s_arg0[] = "tests", s_arg1[] = "-platform";
    static char *s_argv[] = {s_arg0, s_arg1, s_arg2, nullptr};
    if (!s_pApp)
        s_pApp = new QApplication(s_argc, s_argv);
    return s_pApp;
}
