#include "Win32SimWindowStyle.h"

#include <QLibraryInfo>
#include <QString>
#include <QVariant>
#include <QVersionNumber>
#include <QWindow>

#ifndef CS_SAVEBITS
#define CS_SAVEBITS 0x0800
#endif
#ifndef CS_DROPSHADOW
#define CS_DROPSHADOW 0x00020000
#endif

Win32SimWindowStyle win32SimWindowStyle(Qt::WindowFlags flags, bool bChild)
{
    const Qt::WindowType type = Qt::WindowType(int(flags & Qt::WindowType_Mask));
    const bool bPopupType = type == Qt::Popup || type == Qt::ToolTip;

    Win32SimWindowStyle style;
    if (bChild) {
        style.dwStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        return style;
    }

    const bool bFrameless = bPopupType || type == Qt::SplashScreen || (flags & Qt::FramelessWindowHint);
    style.dwStyle = (bFrameless ? WS_POPUP : WS_OVERLAPPEDWINDOW) | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (type == Qt::Tool)
        style.dwExStyle |= WS_EX_TOOLWINDOW;
    if (flags & Qt::WindowStaysOnTopHint)
        style.dwExStyle |= WS_EX_TOPMOST;
    if (flags & Qt::WindowDoesNotAcceptFocus)
        style.dwExStyle |= WS_EX_NOACTIVATE;
    style.bShowWithoutActivating = type == Qt::Tool || bPopupType || (flags & Qt::WindowDoesNotAcceptFocus);
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
