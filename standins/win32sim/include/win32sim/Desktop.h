// The control face of the simulated desktop: what tests, the shell and the demo
// use to build browser windows, drive them as a user would, and read the whole
// window-manager state back. The product never includes this header; it only calls
// the Win32 face (<windows.h>).
//
// One desktop per process. Coordinates are screen pixels unless a name says
// otherwise. Every call is safe from any thread (one recursive lock); window
// procedures are called on the calling thread, as SendMessage does within a thread.
//
// The same face exists over a real Win32 desktop (standins/win32real): there the other
// applications' windows live in a helper process, input goes through SendInput, and
// what a real desktop cannot do is told by can().
#pragma once

#include <windows.h>

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

namespace win32sim {

// A plain window to create, as a test or the demo asks for it. Plain windows (no window
// procedure of their own) paint a flat colour and their title when the desktop is drawn.
struct NewWindow
{
    QString className = QStringLiteral("SimWindow");
    QString title;
    QRect rect;                  // window rectangle: screen coordinates, or the parent's client coordinates
    bool framed = false;         // caption and sizing frame (WS_OVERLAPPEDWINDOW); client area is inset
    HWND parent = nullptr;       // WS_CHILD of this window when set
    HWND owner = nullptr;        // owned top-level window when set (and no parent)
    bool visible = true;
    bool topmost = false;        // WS_EX_TOPMOST
    bool tool = false;           // WS_EX_TOOLWINDOW
    DWORD extraStyle = 0;        // OR-ed into the style
    QColor colour;               // invalid: a colour derived from the handle
};

// Made as another application's window (see <windows.h>); a visible top-level window
// is activated, as a newly opened application window is.
HWND createWindow(const NewWindow &window);

// Chrome/Electron: a framed top-level window of class "Chrome_WidgetWin_1" whose title is
// `title`, with a page render child ("Chrome_RenderWidgetHostHWND") filling the client
// area below a tool strip of `stripHeight` pixels, and a compositor child
// ("Intermediate D3D Window") over the same area.
struct ChromeWindow
{
    HWND frame = nullptr;
    HWND render = nullptr;
    HWND compositor = nullptr;
};
ChromeWindow createChrome(const QString &title, const QRect &rect, int stripHeight = 80);

// Internet Explorer 11: a framed top-level "IEFrame" window titled `frameTitle`, holding
// one "Frame Tab" child per entry of `tabTitles`, each holding one tab window
// ("TabWindowClass") with that title. Only the first frame tab is visible.
struct IeWindow
{
    HWND frame = nullptr;
    QVector<HWND> frameTabs;
    QVector<HWND> tabWindows;
};
IeWindow createIe11(const QString &frameTitle, const QRect &rect, const QStringList &tabTitles);

// What a user does.
void moveWindow(HWND hwnd, const QRect &windowRect);   // SetWindowPos, no z-order change
void setTitle(HWND hwnd, const QString &title);
void show(HWND hwnd);
void hide(HWND hwnd);
void activate(HWND hwnd);                              // SetForegroundWindow on its top-level window
void destroy(HWND hwnd);                               // DestroyWindow
void moveTab(HWND tabWindow, HWND frameTab);           // SetParent, keeping its client position
// Button down/up (WM_LBUTTONDBLCLK for classes with CS_DBLCLKS) to the deepest visible,
// enabled window under the point, in client coordinates, nothing on a frame; a click
// into an inactive window first sends WM_MOUSEACTIVATE and activates its top-level
// window (WA_CLICKACTIVE) unless that answers MA_NOACTIVATE.
void click(const QPoint &screen, bool doubleClick = false);
void wheel(const QPoint &screen, int delta);            // WM_MOUSEWHEEL, screen coordinates

// The state, read back.
QVector<HWND> topLevelOrder();                         // top first, topmost band first (as EnumWindows)
QVector<HWND> childOrder(HWND parent);                 // top first (as GetWindow GW_CHILD / GW_HWNDNEXT)
HWND parentOf(HWND hwnd);                              // the real parent, null for top-level windows
HWND ownerOf(HWND hwnd);
QString className(HWND hwnd);
QString title(HWND hwnd);
QRect windowRect(HWND hwnd);                           // screen coordinates
QRect clientRect(HWND hwnd);                           // screen coordinates
bool isVisible(HWND hwnd);                             // WS_VISIBLE on it and on every ancestor
bool isTopmost(HWND hwnd);
bool hasRegion(HWND hwnd);
QRegion region(HWND hwnd);                             // window coordinates; the whole window when it has none
HWND foreground();
QString describe(HWND hwnd);                           // one readable line, for logs and failures
QString dump();                                        // the whole tree, one window a line, top first

// The taskbars made with the desktop: "Shell_TrayWnd" on the primary monitor, a
// "Shell_SecondaryTrayWnd" on every other monitor, and the start button ("Button").
HWND trayWnd();
HWND secondaryTrayWnd();                               // null with one monitor
HWND startButton();

struct PostedMessage
{
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
QVector<PostedMessage> postedMessages(HWND hwnd = nullptr);   // still queued; null: all
void clearPostedMessages();

// Waking a thread's message loop, as MsgWaitForMultipleObjects wakes a shell on Windows.
// `wake` is called when a message is posted or a WinEvent is queued for `threadId` and
// that thread has not looked at its queue (PeekMessageW, GetMessageW) since the last
// call; at once when something already waits. A loop that answers each call by reading
// its queue until PeekMessageW returns FALSE misses nothing and never needs to poll.
// `wake` runs on the thread that queued, inside the desktop's lock: it must only signal
// (a uv_async_send) and return. Null removes it; reset() keeps it.
using QueueWake = std::function<void()>;
void setQueueWake(DWORD threadId, QueueWake wake);

// WinEvents (SetWinEventHook) on or off, on at start and after reset(). While off,
// nothing is raised, queued or delivered, as on a system that never sends them: what the
// product does without them, measured with the same binary. Turning them off drops what waits.
void setWinEventsEnabled(bool enabled);
bool winEventsEnabled();

// What this desktop can do. The simulated desktop does everything. A real one keeps the
// system's monitors, cannot wake a thread for its queue nor switch the system's WinEvents
// off, and under a headless display driver (Wine's null driver) has no screen to read
// (each window still paints its own pixels): those calls then do nothing (grabScreen gives
// a null image) and say so once as a warning.
enum class Ability { ScreenPixels, SetMonitors, QueueWake, SwitchWinEvents };
bool can(Ability ability);

struct Monitor
{
    QRect rect;
    QRect work;          // empty: the monitor rectangle less the taskbar
    bool primary = false;
};
// Exactly one primary; remakes the taskbars. As on Windows, every top-level window then
// gets WM_DISPLAYCHANGE if the monitors changed and WM_SETTINGCHANGE (SPI_SETWORKAREA) if
// a work area did, so Qt's screens follow by themselves. False: this desktop cannot.
bool setMonitors(const QVector<Monitor> &monitors);
QVector<Monitor> monitors();

// Back to a new desktop: every window destroyed (window procedures still get their
// messages), one 1920x1080 primary monitor (as setMonitors sets it, before the windows
// go), the taskbars remade, queues emptied. The message observer and every WinEvent hook
// are removed first, so a hook left by an earlier test sees nothing.
void reset();

// Pixels. Windows with pixels of their own (Qt windows) hand them over; the rest paint
// a flat colour and their title. Composition follows the stacking order, clipped by
// parents' client areas and by window regions, as a screen grab on Windows shows it.
void setWindowPixels(HWND hwnd, const QImage &clientPixels);
QImage grabScreen(const QRect &screenRect);
QImage picture();                                       // the whole virtual screen
bool savePicture(const QString &pngPath);

// Sees every message the desktop sends or dispatches to a window procedure (tests, logs).
using MessageHook = std::function<void(const MSG &msg)>;
void setMessageObserver(MessageHook hook);

} // namespace win32sim
