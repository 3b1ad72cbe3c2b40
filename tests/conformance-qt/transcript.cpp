#include "transcript.h"

#include "browser.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QtGui/qevent.h>
#include <QPointer>
#include <QVector>
#include <QWindow>

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace qconf {

namespace {

struct Named
{
    HWND hWnd;
    std::string strRole;
};

std::vector<Named> g_vecNamed;
QVector<QPointer<QWidget>> g_vecKept;
std::string g_strScenario;
std::string g_strEvents;
int g_iObservations = 0;
int g_iScenarios = 0;

void logEvent(const std::string &strEntry)
{
    g_strEvents += (g_strEvents.empty() ? "" : " ") + strEntry;
}

// Qt's activation events of the widgets that have a role, and the application's state.
class EventLog : public QObject
{
protected:
    bool eventFilter(QObject *pObject, QEvent *pEvent) override
    {
        const QEvent::Type type = pEvent->type();
        if (type == QEvent::WindowActivate || type == QEvent::WindowDeactivate) {
            auto *pWidget = qobject_cast<QWidget *>(pObject);
            if (pWidget && pWidget->isWindow() && !pWidget->objectName().isEmpty())
                logEvent(pWidget->objectName().toStdString()
                         + (type == QEvent::WindowActivate ? ".activate" : ".deactivate"));
        } else if (type == QEvent::ApplicationStateChange && pObject == qApp) {
            const auto *pChange = static_cast<QApplicationStateChangeEvent *>(pEvent);
            logEvent(pChange->applicationState() == Qt::ApplicationActive ? "app.active" : "app.inactive");
        }
        return false;
    }
};

void installLog()
{
    static EventLog *s_pLog = nullptr;
    if (!s_pLog) {
        s_pLog = new EventLog;
        qApp->installEventFilter(s_pLog);
    }
}

Named *find(HWND h)
{
    for (Named &named : g_vecNamed)
        if (named.hWnd == h)
            return &named;
    return nullptr;
}

BOOL CALLBACK collect(HWND h, LPARAM lParam)
{
    auto *pOut = reinterpret_cast<std::string *>(lParam);
    if (!find(h))
        return TRUE;
    *pOut += std::string(pOut->empty() ? "" : " ") + name(h);
    if (GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST)
        *pOut += '*';
    if (!IsWindowVisible(h))
        *pOut += '-';
    return TRUE;
}

std::string utf8(const wchar_t *psz, int iLength)
{
    return QString::fromWCharArray(psz, iLength).toStdString();
}

} // namespace

void scenario(const char *pszName)
{
    installLog();
    for (int i = g_vecKept.size() - 1; i >= 0; --i)
        delete g_vecKept.at(i).data();
    g_vecKept.clear();
    flush();
    closeBrowsers();
    flush();
    g_vecNamed.clear();
    g_strEvents.clear();
    if (pszName) {
        g_strScenario = pszName;
        ++g_iScenarios;
    }
}

void finish()
{
    scenario(nullptr);
    endBrowsers();
}

int observationCount() { return g_iObservations; }
int scenarioCount() { return g_iScenarios; }

void note(const char *pszKey, const char *pszFormat, ...)
{
    char szBuffer[4096];
    va_list args;
    va_start(args, pszFormat);
    std::vsnprintf(szBuffer, sizeof szBuffer, pszFormat, args);
    va_end(args);
    std::printf("%s %s: %s\n", g_strScenario.c_str(), pszKey, szBuffer);
    std::fflush(stdout);
    ++g_iObservations;
}

void flush()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        syncBrowsers();
    }
    QCoreApplication::processEvents();
}

QWidget *widget(const char *pszRole, Qt::WindowFlags flags, const QRect &geometry, QWidget *pParent)
{
    auto *pWidget = new QWidget(pParent, flags);
    pWidget->setObjectName(QString::fromLatin1(pszRole));
    pWidget->setGeometry(geometry);
    if (!pParent)
        g_vecKept.append(pWidget);
    nameWindow(hwndOf(pWidget), pszRole);
    return pWidget;
}

HWND hwndOf(const QWidget *pWidget)
{
    return reinterpret_cast<HWND>(pWidget->winId());
}

void nameWindow(HWND h, const char *pszRole)
{
    if (Named *pNamed = find(h))
        pNamed->strRole = pszRole;
    else if (h)
        g_vecNamed.push_back({h, pszRole});
}

const char *name(HWND h)
{
    if (!h)
        return "null";
    if (h == GetDesktopWindow())
        return "desktop";
    if (Named *pNamed = find(h))
        return pNamed->strRole.c_str();
    return "other";
}

std::string stack()
{
    std::string strOut;
    EnumWindows(collect, reinterpret_cast<LPARAM>(&strOut));
    return strOut;
}

std::string styles(HWND h)
{
    char szBuffer[64];
    std::snprintf(szBuffer, sizeof szBuffer, "style=%08X ex=%08X", unsigned(GetWindowLongW(h, GWL_STYLE)),
                  unsigned(GetWindowLongW(h, GWL_EXSTYLE)));
    return szBuffer;
}

std::string className(HWND h)
{
    wchar_t szName[256] = {};
    const int n = GetClassNameW(h, szName, 256);
    return n > 0 ? utf8(szName, n) : "fails";
}

std::string title(HWND h)
{
    wchar_t szTitle[256] = {};
    const int n = GetWindowTextW(h, szTitle, 256);
    return "\"" + utf8(szTitle, n > 0 ? n : 0) + "\"";
}

std::string rectText(const QRect &r)
{
    char szBuffer[96];
    std::snprintf(szBuffer, sizeof szBuffer, "(%d,%d)-(%d,%d)", r.x(), r.y(), r.x() + r.width(), r.y() + r.height());
    return szBuffer;
}

QPoint clientCorner(HWND ref)
{
    POINT pt = {0, 0};
    if (ref) {
        ClientToScreen(ref, &pt);
    } else {
        MONITORINFO mi = {};
        mi.cbSize = sizeof mi;
        if (GetMonitorInfoW(MonitorFromPoint(pt, MONITOR_DEFAULTTOPRIMARY), &mi))
            pt = {mi.rcMonitor.left, mi.rcMonitor.top};
    }
    return QPoint(pt.x, pt.y);
}

std::string windowRect(HWND h, HWND ref)
{
    RECT rc = {};
    if (!GetWindowRect(h, &rc))
        return "fails";
    return rectText(QRect(QPoint(rc.left, rc.top), QPoint(rc.right - 1, rc.bottom - 1)).translated(-clientCorner(ref)));
}

std::string clientRect(HWND h, HWND ref)
{
    RECT rc = {};
    POINT pt = {0, 0};
    if (!GetClientRect(h, &rc) || !ClientToScreen(h, &pt))
        return "fails";
    return rectText(QRect(pt.x, pt.y, rc.right, rc.bottom).translated(-clientCorner(ref)));
}

std::string qtGeometry(const QWidget *pWidget, HWND ref)
{
    return rectText(pWidget->geometry().translated(-clientCorner(ref)));
}

std::string point(const QPoint &p, HWND ref)
{
    const QPoint q = p - clientCorner(ref);
    char szBuffer[48];
    std::snprintf(szBuffer, sizeof szBuffer, "(%d,%d)", q.x(), q.y());
    return szBuffer;
}

std::string activation()
{
    // Before anything was activated Windows reports its desktop window and the simulated
    // desktop none: both read "none".
    const HWND hForeground = GetForegroundWindow();
    const QWindow *pFocus = QGuiApplication::focusWindow();
    const QWidget *pActive = QApplication::activeWindow();
    char szBuffer[256];
    std::snprintf(szBuffer, sizeof szBuffer, "fg=%s qt-focus=%s qt-active=%s app=%s",
                  hForeground && hForeground != GetDesktopWindow() ? name(hForeground) : "none",
                  pFocus ? name(reinterpret_cast<HWND>(pFocus->winId())) : "none",
                  pActive ? qPrintable(pActive->objectName()) : "none",
                  QGuiApplication::applicationState() == Qt::ApplicationActive ? "active" : "inactive");
    return szBuffer;
}

std::string events()
{
    const std::string strOut = g_strEvents.empty() ? "none" : g_strEvents;
    g_strEvents.clear();
    return strOut;
}

const char *yes(bool b)
{
    return b ? "yes" : "no";
}

} // namespace qconf
