#include "Win32SimIntegration.h"

#include "Win32SimBackingStore.h"
#include "Win32SimScreen.h"
#include "Win32SimWindow.h"

#include <QtEventDispatcherSupport/private/qgenericunixeventdispatcher_p.h>
#include <QtFontDatabaseSupport/private/qgenericunixfontdatabase_p.h>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformservices.h>
#include <qpa/qwindowsysteminterface.h>

#include <win32sim/Desktop.h>
#include <win32sim/Qpa.h>

#include <algorithm>

namespace {
Win32SimIntegration *g_pInstance = nullptr;

// The desktop's monitors, primary first, each with its work area filled in.
QVector<win32sim::Monitor> orderedMonitors()
{
    QVector<win32sim::Monitor> monitors = win32sim::monitors();
    std::stable_sort(monitors.begin(), monitors.end(),
                     [](const win32sim::Monitor &a, const win32sim::Monitor &b) { return a.primary && !b.primary; });
    for (win32sim::Monitor &monitor : monitors) {
        if (!monitor.work.isEmpty())
            continue;
        const QPoint centre = monitor.rect.center();
        MONITORINFO info = {};
        info.cbSize = sizeof(info);
        HMONITOR hMonitor = MonitorFromPoint(POINT{centre.x(), centre.y()}, MONITOR_DEFAULTTONULL);
        if (hMonitor && GetMonitorInfoW(hMonitor, &info))
            monitor.work = QRect(QPoint(info.rcWork.left, info.rcWork.top),
                                 QPoint(info.rcWork.right - 1, info.rcWork.bottom - 1));
        else
            monitor.work = monitor.rect;
    }
    return monitors;
}
} // namespace

Win32SimIntegration::Win32SimIntegration()
{
    g_pInstance = this;
}

Win32SimIntegration::~Win32SimIntegration()
{
    while (!m_listScreens.isEmpty())
        QWindowSystemInterface::handleScreenRemoved(m_listScreens.takeLast());
    if (g_pInstance == this)
        g_pInstance = nullptr;
}

Win32SimIntegration *Win32SimIntegration::instance()
{
    return win32sim::isQtPlatform() ? g_pInstance : nullptr;
}

void Win32SimIntegration::initialize()
{
    syncScreens();
}

void Win32SimIntegration::syncScreens()
{
    const QVector<win32sim::Monitor> monitors = orderedMonitors();
    int i = 0;
    for (; i < monitors.size(); ++i) {
        const win32sim::Monitor &monitor = monitors.at(i);
        if (i < m_listScreens.size()) {
            Win32SimScreen *pScreen = m_listScreens.at(i);
            if (pScreen->geometry() != monitor.rect || pScreen->availableGeometry() != monitor.work) {
                pScreen->setGeometries(monitor.rect, monitor.work);
                if (pScreen->screen())
                    QWindowSystemInterface::handleScreenGeometryChange(pScreen->screen(), monitor.rect, monitor.work);
            }
        } else {
            auto *pScreen = new Win32SimScreen(i, monitor.rect, monitor.work);
            m_listScreens.append(pScreen);
            QWindowSystemInterface::handleScreenAdded(pScreen, i == 0);
        }
    }
    // Qt needs at least one screen; the desktop always has a monitor, but keep one anyway.
    while (m_listScreens.size() > std::max(i, 1))
        QWindowSystemInterface::handleScreenRemoved(m_listScreens.takeLast());
}

QList<QPlatformScreen *> Win32SimIntegration::screens() const
{
    QList<QPlatformScreen *> list;
    for (Win32SimScreen *pScreen : m_listScreens)
        list.append(pScreen);
    return list;
}

bool Win32SimIntegration::hasCapability(Capability cap) const
{
    switch (cap) {
    case ThreadedPixmaps:
    case MultipleWindows:
    case NonFullScreenWindows:
    case WindowManagement:
        return true;
    default:
        return QPlatformIntegration::hasCapability(cap);
    }
}

QPlatformWindow *Win32SimIntegration::createPlatformWindow(QWindow *window) const
{
    auto *pWindow = new Win32SimWindow(window);
    return pWindow;
}

QPlatformBackingStore *Win32SimIntegration::createPlatformBackingStore(QWindow *window) const
{
    return new Win32SimBackingStore(window);
}

QAbstractEventDispatcher *Win32SimIntegration::createEventDispatcher() const
{
    return createUnixEventDispatcher();
}

QPlatformFontDatabase *Win32SimIntegration::fontDatabase() const
{
    if (!m_pFontDatabase)
        m_pFontDatabase.reset(new QGenericUnixFontDatabase);
    return m_pFontDatabase.data();
}

QPlatformServices *Win32SimIntegration::services() const
{
    if (!m_pServices)
        m_pServices.reset(new QPlatformServices);
    return m_pServices.data();
}

namespace win32sim {

bool isQtPlatform()
{
    return QGuiApplication::instance() && g_pInstance
           && QGuiApplicationPrivate::platformIntegration() == g_pInstance;
}

} // namespace win32sim
