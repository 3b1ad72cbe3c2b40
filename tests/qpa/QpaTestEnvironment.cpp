#include "QpaTestEnvironment.h"

#include <QCoreApplication>
#include <QLibraryInfo>

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

QString QpaTest::qtClassPrefix()
{
    return QLatin1String("Qt") + QString::fromLatin1(qVersion()).remove(QLatin1Char('.'))
           + QLatin1String(QLibraryInfo::isDebugBuild() ? "d" : "");
}
