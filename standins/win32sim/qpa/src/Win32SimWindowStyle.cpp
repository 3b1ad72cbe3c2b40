#include "Win32SimWindowStyle.h"

#include <QLibraryInfo>
#include <QString>
#include <QVariant>
#include <QVersionNumber>
#include <QWindow>
#include <QtGui/private/qwindow_p.h>

#ifndef CS_SAVEBITS
#define CS_SAVEBITS 0x0800
#endif
#ifndef WS_EX_CONTEXTHELP
#define WS_EX_CONTEXTHELP 0x00000400L
#endif
#ifndef CS_DROPSHADOW
#define CS_DROPSHADOW 0x00020000
#endif

namespace {

// Qt's Windows platform completes the hints of plain top-level windows the same way.
Qt::WindowFlags completedTopLevelFlags(Qt::WindowFlags flags)
{
    flags &= ~Qt::WindowFullscreenButtonHint;
    if (flags == Qt::Window)
        flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                 | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint;
    else if (flags == Qt::Dialog || flags == Qt::Tool)
        flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if ((flags & Qt::WindowType_Mask) == Qt::SplashScreen)
        flags |= Qt::FramelessWindowHint;
    return flags;
}

bool showsMaximizeButton(const QWindow *window, Qt::WindowFlags flags)
{
    if ((flags & Qt::MSWindowsFixedSizeDialogHint) || !(flags & Qt::WindowMaximizeButtonHint))
        return false;
    return (flags & Qt::CustomizeWindowHint) || window->maximumSize() == QSize(QWINDOWSIZE_MAX, QWINDOWSIZE_MAX);
}

} // namespace

// Style bits as Qt's Windows platform chooses them: framed top-level windows are WS_POPUP with
// a caption and sizing frame (not WS_OVERLAPPEDWINDOW), windows of other kinds are tool
// windows, and popups and tool tips stay on top.
Win32SimWindowStyle win32SimWindowStyle(const QWindow *window, Qt::WindowFlags flagsIn, bool bChild)
{
    Win32SimWindowStyle style;
    if (bChild) {
        style.dwStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        return style;
    }

    const Qt::WindowFlags flags = completedTopLevelFlags(flagsIn);
    const Qt::WindowType type = Qt::WindowType(int(flags & Qt::WindowType_Mask));
    const bool bDialog = type == Qt::Dialog || type == Qt::Sheet || (flags & Qt::MSWindowsFixedSizeDialogHint);
    const bool bTool = type == Qt::Tool || type == Qt::Drawer;
    const bool bFrameless = flags & Qt::FramelessWindowHint;

    // Framed windows get WS_POPUP with their frame below.
    const bool bPopupStyle = type == Qt::Popup || type == Qt::ToolTip || bFrameless;
    style.dwStyle = (bPopupStyle ? WS_POPUP : WS_OVERLAPPED) | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (type == Qt::Window || bDialog || bTool) {
        if (!bFrameless) {
            style.dwStyle |= WS_POPUP;
            style.dwStyle |= (flags & Qt::MSWindowsFixedSizeDialogHint) ? WS_DLGFRAME : WS_THICKFRAME;
            if (flags & Qt::WindowTitleHint)
                style.dwStyle |= WS_CAPTION;
        }
        if (flags & Qt::WindowSystemMenuHint) {
            style.dwStyle |= WS_SYSMENU;
        } else if (bDialog && (flags & Qt::WindowCloseButtonHint) && !bFrameless) {
            style.dwStyle |= WS_SYSMENU | WS_BORDER;
            style.dwExStyle |= WS_EX_DLGMODALFRAME;
        }
        if (flags & Qt::WindowMinimizeButtonHint)
            style.dwStyle |= WS_MINIMIZEBOX;
        if (showsMaximizeButton(window, flags))
            style.dwStyle |= WS_MAXIMIZEBOX;
        if (bTool)
            style.dwExStyle |= WS_EX_TOOLWINDOW;
        if (flags & Qt::WindowContextHelpButtonHint)
            style.dwExStyle |= WS_EX_CONTEXTHELP;
    } else {
        style.dwExStyle |= WS_EX_TOOLWINDOW;
    }
    if (flagsIn & Qt::WindowTransparentForInput)
        style.dwExStyle |= WS_EX_LAYERED | WS_EX_TRANSPARENT;
    if ((flags & Qt::WindowStaysOnTopHint) || type == Qt::Popup || type == Qt::ToolTip)
        style.dwExStyle |= WS_EX_TOPMOST;
    // Qt::WindowDoesNotAcceptFocus is no reason: such a window is activated, and refuses the focus.
    style.bShowWithoutActivating = type == Qt::Tool || type == Qt::Popup || type == Qt::ToolTip;
    return style;
}

namespace {

// "Qt" and the version of the running Qt ("Qt5158"), as Qt's Windows platform starts
// every class name it registers.
QString classNamePrefix()
{
    // The version Qt reports at run time: the plugin may have been built against
    // other headers of the same major version.
    static const QString strPrefix = [] {
        const QVersionNumber version = QVersionNumber::fromString(QLatin1String(qVersion()));
        QString str = QStringLiteral("Qt%1%2%3").arg(version.majorVersion()).arg(version.minorVersion())
                          .arg(version.microVersion());
        if (QLibraryInfo::isDebugBuild())
            str += QLatin1Char('d');
#ifdef QT_NAMESPACE
#define WIN32SIM_STR2(s) #s
#define WIN32SIM_STR(s) WIN32SIM_STR2(s)
        str += QLatin1String(WIN32SIM_STR(QT_NAMESPACE));
#endif
        return str;
    }();
    return strPrefix;
}

} // namespace

Win32SimWindowClass win32SimWindowClass(const QWindow *window)
{
    const Qt::WindowFlags flags = window->flags();
    const Qt::WindowType type = Qt::WindowType(int(flags & Qt::WindowType_Mask));
    UINT uStyle = CS_DBLCLKS;   // the desktop then reports double clicks, as to Qt's windows
    bool bIcon = true;
    if (window->surfaceType() == QSurface::OpenGLSurface || (flags & Qt::MSWindowsOwnDC))
        uStyle |= CS_OWNDC;
    if (!(flags & Qt::NoDropShadowWindowHint)
        && (type == Qt::Popup || window->property("_q_windowsDropShadow").toBool()))
        uStyle |= CS_DROPSHADOW;
    switch (type) {
    case Qt::Tool:
    case Qt::ToolTip:
    case Qt::Popup:
        uStyle |= CS_SAVEBITS;
        bIcon = false;
        break;
    case Qt::Dialog:
        if (!(flags & Qt::WindowSystemMenuHint))
            bIcon = false;
        break;
    default:
        break;
    }

    QString strName = classNamePrefix() + QLatin1String("QWindow");
    if (type == Qt::Tool)
        strName += QLatin1String("Tool");
    else if (type == Qt::ToolTip)
        strName += QLatin1String("ToolTip");
    else if (type == Qt::Popup)
        strName += QLatin1String("Popup");
    if (uStyle & CS_DROPSHADOW)
        strName += QLatin1String("DropShadow");
    if (uStyle & CS_SAVEBITS)
        strName += QLatin1String("SaveBits");
    if (uStyle & CS_OWNDC)
        strName += QLatin1String("OwnDC");
    if (bIcon)
        strName += QLatin1String("Icon");
    return {strName.toStdWString(), uStyle};
}

void registerWin32SimWindowClass(const Win32SimWindowClass &windowClass, WNDPROC pfnWndProc)
{
    // Registering an existing class fails harmlessly; the desktop may have been reset.
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = windowClass.uStyle;
    wc.lpfnWndProc = pfnWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = windowClass.strName.c_str();
    RegisterClassExW(&wc);
}
