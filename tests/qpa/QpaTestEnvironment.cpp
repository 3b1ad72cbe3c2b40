#include "QpaTestEnvironment.h"

#include <QCoreApplication>

#include <win32sim/QpaImport.h>

namespace {
class QtEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        static int argc = 3;
        static char arg0[] = "qpa_tests", arg1[] = "-platform", arg2[] = "win32sim";
        static char *argv[] = {arg0, arg1, arg2, nullptr};
        m_pApp = new QApplication(argc, argv);
    }
    void TearDown() override { delete m_pApp; }

private:
    QApplication *m_pApp = nullptr;
};
const auto *g_pEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);
} // namespace

bool Probe::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate || e->type() == QEvent::WindowDeactivate)
        activations.append(e->type());
    return QWidget::event(e);
}

bool Probe::nativeEvent(const QByteArray &eventType, void *message, long *result)
{
    if (eventType != "windows_generic_MSG")
        return QWidget::nativeEvent(eventType, message, result);
    const MSG *msg = static_cast<MSG *>(message);
    nativeMessages.append(msg->message);
    if (msg->message == WM_DESTROY && detachOnDestroy) {
        SetParent(msg->hwnd, nullptr);
        hide();
    }
    return QWidget::nativeEvent(eventType, message, result);
}

void QpaTest::flush()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();   // the platform's dispatcher also sends window system events
    }
}

QString QpaTest::classOf(HWND hwnd)
{
    wchar_t name[256] = {};
    const int n = GetClassNameW(hwnd, name, 256);
    return QString::fromWCharArray(name, qMax(n, 0));
}
