// Finding the browser's windows: the top-level window whose title carries the key, its
// Chrome render and compositor children, the IE11 frame tab and tab window.
#include "WindowControl.h"
#include "WindowControlConstants.h"

#include <QDebug>

namespace {

// Window texts and class names are read as the system truncates them.
const int kTextBufferSize = 260;

QString titleText(HWND hWnd)
{
    WCHAR buffer[kTextBufferSize] = {};
    const int length = GetWindowTextW(hWnd, buffer, kTextBufferSize);
    return QString::fromWCharArray(buffer, qBound(0, length, kTextBufferSize - 1));
}

QString classText(HWND hWnd)
{
    WCHAR buffer[kTextBufferSize] = {};
    const int length = GetClassNameW(hWnd, buffer, kTextBufferSize);
    return QString::fromWCharArray(buffer, qBound(0, length, kTextBufferSize - 1));
}

// Qt's native windows, the hosts included: Qt names their classes "Qt", the digits of
// its version, then "QWindow" and the kind ("Qt5158QWindowToolSaveBits").
bool isQtWindowClass(const QString &name)
{
    if (!name.startsWith(QLatin1String("Qt")) || name.size() < 3 || !name.at(2).isDigit())
        return false;
    return name.indexOf(QLatin1String("QWindow"), 3) >= 0;
}

// A window of this add-on: a host, or a window inside one. Other Qt windows of the
// process (a desktop shell's own browser window) may well be the page's.
bool isHostWindow(HWND hWnd)
{
    for (QWidget *pWidget = QWidget::find(reinterpret_cast<WId>(hWnd)); pWidget; pWidget = pWidget->parentWidget()) {
        if (qobject_cast<WindowControl *>(pWidget))
            return true;
    }
    return false;
}

} // namespace

void WindowControl::findParentWnd(const QString &uuid, const QString &className)
{
    if (uuid.isEmpty()) {
        // No key to look for: the page's window is the one the user works in.
        m_hParentHwnd = GetForegroundWindow();
        if (m_hParentHwnd && m_bEmbed)
            SetParent(m_hWnd, m_hParentHwnd);
        qDebug().noquote().nospace() << "::GetForegroundWindow = " << m_hParentHwnd;
    } else {
        m_strClassName = className;
        EnumWindows(&WindowControl::enumWindowsProc, reinterpret_cast<LPARAM>(this));
    }
    findRenderHwnd();
    findD3dHwnd();
    findFrameTabHwnd();
    watchBrowser();
}

BOOL CALLBACK WindowControl::enumWindowsProc(HWND hWnd, LPARAM lParam)
{
    auto *pHost = reinterpret_cast<WindowControl *>(lParam);
    const HWND hFound = matchBrowserWindow(hWnd, pHost->m_strUUID, pHost->m_strClassName);
    if (!hFound)
        return TRUE;
    // Enumeration runs from the top of the stacking order: the topmost match wins.
    pHost->m_hParentHwnd = hFound;
    qDebug().noquote().nospace() << "enumWindowsProc = " << hFound;
    if (pHost->m_bEmbed)
        SetParent(pHost->m_hWnd, hFound);
    return FALSE;
}

HWND WindowControl::matchBrowserWindow(HWND hWnd, const QString &uuid, const QString &className)
{
    // Hosts are titled too ("WindowControl"), and a key may occur in that title.
    if (!titleText(hWnd).contains(uuid) || isHostWindow(hWnd))
        return nullptr;
    // Chrome-based shells use several window classes; the title alone decides for them.
    if (className.isEmpty() || className == kChromeClass)
        return hWnd;
    return classText(hWnd) == className ? hWnd : nullptr;
}

void WindowControl::findRenderHwnd()
{
    if (!m_hParentHwnd || m_strClassName != kChromeClass || m_hRenderWnd)
        return;
    // Other hosts and the compositor are children too; the page is the first other one.
    for (HWND hChild = GetWindow(m_hParentHwnd, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        const QString name = classText(hChild);
        if (!isQtWindowClass(name) && !name.contains(QLatin1String("D3D Window"))) {
            m_hRenderWnd = hChild;
            return;
        }
    }
}

void WindowControl::findD3dHwnd()
{
    if (!m_hParentHwnd || m_strClassName != kChromeClass || !m_bEmbed)
        return;
    HWND hFound = nullptr;
    for (HWND hChild = GetWindow(m_hParentHwnd, GW_CHILD); hChild && !hFound; hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        const QString name = classText(hChild);
        if (name.contains(QLatin1String("D3D Window")) || name.contains(QLatin1String("Software Window")))
            hFound = hChild;
    }
    if (!hFound)
        return;
    qDebug().noquote().nospace() << "===kt=== findD3dHwnd " << hFound;
    m_hD3DWnd = hFound;
    // The compositor paints over its siblings unless it clips them: the host is one.
    const LONG style = GetWindowLongW(m_hD3DWnd, GWL_STYLE);
    SetWindowLongW(m_hD3DWnd, GWL_STYLE, style | WS_CLIPSIBLINGS);
}

void WindowControl::findFrameTabHwnd()
{
    if (!m_hParentHwnd || m_strClassName != kIeFrameClass || m_bActiveXParent)
        return;
    for (HWND hTab = GetWindow(m_hParentHwnd, GW_CHILD); hTab; hTab = GetWindow(hTab, GW_HWNDNEXT)) {
        if (!classText(hTab).contains(QLatin1String("Frame Tab")))
            continue;
        for (HWND hChild = GetWindow(hTab, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT)) {
            if (titleText(hChild).contains(m_strUUID)) {
                m_hFrameTab = hTab;
                m_hTabWindow = hChild;
                qDebug().noquote().nospace() << "findFrameTabHwnd, Frame Tab = " << m_hFrameTab
                                             << ", TabWindow = " << m_hTabWindow;
                return;
            }
        }
    }
}

void WindowControl::updateParentWnd()
{
    const HWND hOld = m_hParentHwnd;
    m_hParentHwnd = GetForegroundWindow();
    qDebug().noquote().nospace() << "updateParentWnd hParentWnd = " << m_hParentHwnd;
    if (m_hParentHwnd != hOld) {
        m_bParentChange = true;
        if (m_bEmbed) {
            SetParent(m_hWnd, m_hParentHwnd);
            if (m_bHiddenByParentDestroy) {
                m_bHiddenByParentDestroy = false;
                show();
            }
            findD3dHwnd();
        }
    } else {
        m_bParentChange = false;
    }
    qDebug().noquote().nospace() << "updateParentWnd m_bParentChange = " << m_bParentChange;
    watchBrowser();
}
