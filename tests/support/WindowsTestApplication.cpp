#include <QApplication>
#include <gtest/gtest.h>
namespace {
class App : public ::testing::Environment
{
public:
    void SetUp() override
    {
        static int argc = 3;
        static char arg0[] = "tests", arg1[] = "-platform", arg2[] = "windows";
        static char *argv[] = {arg0, arg1, arg2, nullptr};
        m_pApp = new QApplication(argc, argv);
    }
    void TearDown() override { delete m_pApp; }
private:
    QApplication *m_pApp = nullptr;
};
const auto *g_pEnvironment = ::testing::AddGlobalTestEnvironment(new App);
}
