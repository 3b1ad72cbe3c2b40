#include "harness.h"

#include "browser.h"

#include <QApplication>
#include <QPointer>
#include <QVector>
#include <QWindow>
#include <QtGui/qevent.h>

namespace conf {

namespace {

QVector<QPointer<QWidget>> g_vecKept;
std::string g_strEvents;

// Qt's activation events of the widgets that have a role, and the application's state.
class EventLog : public QObject
{
protected:
    bool eventFilter(QObject *pObject, QEvent *pEvent) override
    {
        const QEvent::Type type = pEvent->type();
        if (type == QEvent::WindowActivate || type == QEvent::WindowDeactivate) {
            const auto *pWidget = qobject_cast<QWidget *>(pObject);
            const char *pszWhat = type == QEvent::WindowActivate ? ".activate" : ".deactivate";
            if (pWidget && pWidget->isWindow() && !pWidget->objectName().isEmpty())
                log(pWidget->objectName().toStdString() + pszWhat);
        } else if (type == QEvent::ApplicationStateChange && pObject == qApp) {
            const bool bActive = static_cast<QApplicationStateChangeEvent *>(pEvent)->applicationState()
                                 == Qt::ApplicationActive;
            log(bActive ? "app.active" : "app.inactive");
        }
        return false;
    }

private:
    static void log(const std::string &strEntry) { g_strEvents += (g_strEvents.empty() ? "" : " ") + strEntry; }
};

} // namespace

void scenario(const char *pszName)
{
    static EventLog *s_pLog = nullptr;
    if (!s_pLog) {
        s_pLog = new EventLog;
        qApp->installEventFilter(s_pLog);
    }
    for (int i = g_vecKept.size() - 1; i >= 0; --i)
        delete g_vecKept.at(i).data();
    g_vecKept.clear();
    flush();
    closeBrowsers();
    flush();
    g_strEvents.clear();
    startScenario(pszName);
}

void finish()
{
    scenario(nullptr);
    endBrowsers();
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

void steps(std::initializer_list<Step> rows, const std::function<std::string()> &look)
{
    walk(rows, [&] {
        flush();
        return look();
    });
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

HWND hwndOf(const QWidget *pWidget) { return reinterpret_cast<HWND>(pWidget->winId()); }

std::string className(HWND h)
{
    wchar_t szName[256] = {};
    const int n = GetClassNameW(h, szName, 256);
    return n > 0 ? text(szName, n) : "fails";
}

std::string title(HWND h)
{
    wchar_t szTitle[256] = {};
    const int n = GetWindowTextW(h, szTitle, 256);
    return "\"" + text(szTitle, n > 0 ? n : 0) + "\"";
}

std::string owner(HWND h) { return name(GetWindow(h, GW_OWNER)); }

std::string rectText(const QRect &r, POINT o)
{
    return rectText(RECT{r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}, o);
}

std::string point(const QPoint &p, HWND ref) { return pointText(POINT{p.x(), p.y()}, corner(ref)); }

std::string shown(const QWidget *pWidget)
{
    return std::string("visible=") + yes(IsWindowVisible(hwndOf(pWidget))) +
           " exposed=" + yes(pWidget->windowHandle()->isExposed());
}

std::string where(const QWidget *pWidget, HWND ref)
{
    return "rect=" + windowRect(hwndOf(pWidget), corner(ref)) + " qt=" + rectText(pWidget->geometry(), corner(ref)) +
           " map=" + point(pWidget->mapToGlobal(QPoint(0, 0)), ref);
}

std::string activation()
{
    // Before anything was activated Windows reports its desktop window and the simulated
    // desktop none: both read "none".
    const HWND hForeground = GetForegroundWindow();
    const QWindow *pFocus = QGuiApplication::focusWindow();
    const QWidget *pActive = QApplication::activeWindow();
    return std::string("fg=") + (hForeground && hForeground != GetDesktopWindow() ? name(hForeground) : "none") +
           " qt-focus=" + (pFocus ? name(reinterpret_cast<HWND>(pFocus->winId())) : "none") +
           " qt-active=" + (pActive ? pActive->objectName().toStdString() : std::string("none")) +
           " app=" + (QGuiApplication::applicationState() == Qt::ApplicationActive ? "active" : "inactive");
}

std::string events()
{
    std::string strOut;
    strOut.swap(g_strEvents);
    return strOut.empty() ? "none" : strOut;
}

std::string activationEvents()
{
    const std::string strActivation = activation();
    return strActivation + " events: " + events();
}

}  // namespace conf
