// The desktop as a whole: taskbars, monitors, posted messages, pictures, the message
// observer, and a fresh desktop for each test. What a real desktop cannot do is said
// by can() and, once, on the debug output when asked for anyway.
#include "Face.h"

#include <QDebug>
#include <QImage>
#include <QSet>

#include <cstring>

using namespace win32real;

namespace win32real {

void cannot(const char *what)
{
    static QSet<QByteArray> s_said;
    if (!s_said.contains(what)) {
        s_said.insert(what);
        qWarning("win32real: a real desktop cannot %s", what);
    }
}

} // namespace win32real

namespace {

win32sim::MessageHook s_observer;
HHOOK s_hCallWndProc = nullptr;
HHOOK s_hGetMessage = nullptr;

LRESULT CALLBACK observeSent(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && s_observer) {
        const auto *c = reinterpret_cast<const CWPSTRUCT *>(lParam);
        MSG msg = {};
        msg.hwnd = c->hwnd;
        msg.message = c->message;
        msg.wParam = c->wParam;
        msg.lParam = c->lParam;
        s_observer(msg);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK observePosted(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == PM_REMOVE && s_observer)
        s_observer(*reinterpret_cast<const MSG *>(lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data)
{
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    if (GetMonitorInfoW(monitor, &mi)) {
        reinterpret_cast<QVector<win32sim::Monitor> *>(data)->append(
            win32sim::Monitor{toQRect(mi.rcMonitor), toQRect(mi.rcWork), (mi.dwFlags & MONITORINFOF_PRIMARY) != 0});
    }
    return TRUE;
}

// The screen's pixels, or a null image when the display driver keeps none.
QImage grab(const QRect &rect)
{
    if (rect.isEmpty())
        return QImage();
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = rect.width();
    bi.bmiHeader.biHeight = -rect.height();
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    QImage image;
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(dc, bitmap);
        if (BitBlt(dc, 0, 0, rect.width(), rect.height(), screen, rect.x(), rect.y(), SRCCOPY | CAPTUREBLT)) {
            GdiFlush();
            image = QImage(rect.width(), rect.height(), QImage::Format_RGB32);
            for (int y = 0; y < rect.height(); ++y)
                std::memcpy(image.scanLine(y), static_cast<const char *>(bits) + size_t(y) * rect.width() * 4,
                            size_t(rect.width()) * 4);
        }
        SelectObject(dc, old);
        DeleteObject(bitmap);
    }
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return image;
}

} // namespace

namespace win32sim {

bool can(Ability ability)
{
    switch (ability) {
    case Ability::ScreenPixels: {
        // Wine's headless (null) driver has no screen to read.
        static const bool s_bPixels = [] {
            HDC screen = GetDC(nullptr);
            const bool ok = GetPixel(screen, 0, 0) != CLR_INVALID;
            ReleaseDC(nullptr, screen);
            return ok;
        }();
        return s_bPixels;
    }
    case Ability::SetMonitors:      // the system's monitors are what they are
    case Ability::QueueWake:        // no thread can watch another one's queue
    case Ability::SwitchWinEvents:  // the system raises them regardless
        return false;
    }
    return false;
}

HWND trayWnd()
{
    apps().processId();
    return apps().trayWnd();
}

HWND secondaryTrayWnd()
{
    apps().processId();
    return apps().secondaryTrays().value(0);
}

HWND startButton()
{
    apps().processId();
    return apps().startButton();
}

QVector<PostedMessage> postedMessages(HWND hwnd)
{
    // Messages posted to the other applications' windows, as their loop took them.
    const Message fields = apps().request({op::Posted, handleText(hwnd)});
    QVector<PostedMessage> out;
    for (size_t i = 0; i + 3 < fields.size(); i += 4) {
        out.append(PostedMessage{toHwnd(fields[i]), UINT(toNumber(fields[i + 1])),
                                 WPARAM(toNumber(fields[i + 2])), LPARAM(toNumber(fields[i + 3]))});
    }
    return out;
}

void clearPostedMessages()
{
    apps().request({op::ClearPosted});
}

void setQueueWake(DWORD, QueueWake wake)
{
    if (wake)
        cannot("wake a thread for what is queued for it");
}

void setWinEventsEnabled(bool enabled)
{
    if (!enabled)
        cannot("turn the system's WinEvents off");
}

bool winEventsEnabled()
{
    return true;
}

bool setMonitors(const QVector<Monitor> &wanted)
{
    // Only the monitors there are, which remakes the taskbars.
    QVector<Monitor> now = monitors();
    bool same = wanted.size() == now.size();
    for (int i = 0; same && i < wanted.size(); ++i) {
        same = wanted[i].rect == now[i].rect && wanted[i].primary == now[i].primary
            && (wanted[i].work.isEmpty() || wanted[i].work == now[i].work);
    }
    if (!same) {
        cannot("change its monitors");
        return false;
    }
    apps().takeTaskbars(apps().request({op::Taskbars}));
    return true;
}

QVector<Monitor> monitors()
{
    QVector<Monitor> out;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&out));
    return out;
}

void reset()
{
    setMessageObserver(nullptr);
    bool ok = false;
    const Message bars = apps().request({op::Reset}, &ok);
    if (ok)
        apps().takeTaskbars(bars);
    AppsProcess::serveSentMessages();
}

void setWindowPixels(HWND, const QImage &)
{
    // Windows paint themselves on a real desktop.
}

QImage grabScreen(const QRect &screenRect)
{
    if (!can(Ability::ScreenPixels)) {
        cannot("read the screen with this display driver");
        return QImage();
    }
    return grab(screenRect);
}

QImage picture()
{
    const QRect screen(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                       GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
    return grabScreen(screen);
}

bool savePicture(const QString &pngPath)
{
    const QImage image = picture();
    return !image.isNull() && image.save(pngPath, "PNG");
}

void setMessageObserver(MessageHook hook)
{
    // The windows of this thread: hooks on other processes' threads need a DLL of their own.
    s_observer = std::move(hook);
    if (s_observer && !s_hCallWndProc) {
        s_hCallWndProc = SetWindowsHookExW(WH_CALLWNDPROC, observeSent, nullptr, GetCurrentThreadId());
        s_hGetMessage = SetWindowsHookExW(WH_GETMESSAGE, observePosted, nullptr, GetCurrentThreadId());
    } else if (!s_observer && s_hCallWndProc) {
        UnhookWindowsHookEx(s_hCallWndProc);
        UnhookWindowsHookEx(s_hGetMessage);
        s_hCallWndProc = s_hGetMessage = nullptr;
    }
}

} // namespace win32sim
