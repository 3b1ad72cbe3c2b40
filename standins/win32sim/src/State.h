// The desktop's own records: windows, classes, regions, monitors, queues. Internal to
// libwin32sim; the Win32 functions and the control face are thin layers over this.
//
// Rectangles are kept as Wine keeps them: relative to the parent's client area (for
// top-level windows the parent is the desktop, whose client origin is the screen
// origin), so a child moves with its parent without being touched.
#pragma once

#include <windows.h>
#include <win32sim/Desktop.h>

#include <QColor>
#include <QImage>
#include <QMargins>
#include <QRect>
#include <QRegion>
#include <QString>

#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace win32sim {
namespace detail {

struct WindowClass
{
    QString name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC proc = nullptr;     // null: DefWindowProcW
    HINSTANCE instance = nullptr;
    bool system = false;        // registered by the desktop itself
    int windows = 0;            // live windows of this class
};

struct Window
{
    HWND handle = nullptr;
    WindowClass *cls = nullptr;
    QString title;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;      // the desktop for top-level windows
    HWND owner = nullptr;
    QRect rect;                 // window rectangle in the parent's client coordinates
    QRect client;               // client rectangle, same coordinates (WM_NCCALCSIZE decides it)
    std::vector<HWND> children; // top first
    LONG_PTR userData = 0;
    LONG_PTR id = 0;
    HINSTANCE instance = nullptr;
    DWORD threadId = 0;         // the creating thread, or a thread of the simulated other processes
    bool needSize = false;      // overlapped windows get WM_SIZE/WM_MOVE at their first show
    bool destroying = false;    // WM_DESTROY sent
    bool hasRegion = false;
    QRegion region;             // window coordinates
    HRGN regionHandle = nullptr;
    QImage pixels;              // client pixels handed over by their owner
    QColor colour;
};

struct Region
{
    QRegion area;
    int rawRects = -1;          // rectangle count as GDI built it, until an operation normalises it
    HWND ownerWindow = nullptr; // handed to a window by SetWindowRgn
};

struct WinEventHook
{
    HWINEVENTHOOK handle = nullptr;
    DWORD eventMin = 0;
    DWORD eventMax = 0;
    WINEVENTPROC proc = nullptr;
    DWORD process = 0;          // events of this process only; 0: all
    DWORD thread = 0;           // events of this thread only; 0: all
    DWORD flags = 0;
    DWORD ownerThread = 0;      // the thread that set it, where out-of-context events go
};

struct PendingWinEvent
{
    HWINEVENTHOOK hook = nullptr;
    DWORD event = 0;
    HWND hwnd = nullptr;
    LONG idObject = 0;
    LONG idChild = 0;
    DWORD thread = 0;           // the thread the event came from
    DWORD time = 0;
    quint64 serial = 0;         // order of raising, desktop-wide
};

struct MonitorRec
{
    HMONITOR handle = nullptr;
    QRect rect;
    QRect work;
    bool primary = false;
};

class State
{
public:
    static State &get();
    static std::recursive_mutex &mutex();

    HWND newWindowHandle();
    void *newHandle();

    Window *win(HWND h) const;  // null for unknown handles and for the desktop's null
    Window *desktopWin() const { return win(desktop); }
    bool isDesktop(HWND h) const { return h && h == desktop; }

    WindowClass *findClass(const QString &name) const;
    WindowClass *findClass(ATOM atom) const;
    WindowClass *ensureSystemClass(const QString &name);

    HWND desktop = nullptr;
    std::unordered_map<HWND, std::unique_ptr<Window>> windows;
    std::vector<std::unique_ptr<WindowClass>> classes;
    std::unordered_map<HRGN, Region> regions;
    std::vector<MonitorRec> monitors;
    HWND foreground = nullptr;  // also the active window (one input queue)
    HWND focus = nullptr;
    HWND capture = nullptr;
    QPoint cursor;
    HWND trayWnd = nullptr;
    std::vector<HWND> secondaryTrays;
    HWND startButton = nullptr;
    std::map<DWORD, std::deque<MSG>> queues;
    std::vector<WinEventHook> winEventHooks;
    std::map<DWORD, std::deque<PendingWinEvent>> winEvents;   // out-of-context, by hooking thread
    quint64 winEventSerial = 0;
    bool winEventsEnabled = true;
    std::map<DWORD, QueueWake> queueWakes;
    std::map<DWORD, bool> wakePending;  // woken, and the thread has not looked at its queue since
    MessageHook observer;
    DWORD creationThread = 0;   // when set, windows made now belong to that thread
    bool started = false;

private:
    uintptr_t m_nextHandle = 0x10010;
    ATOM m_nextAtom = 0xC000;
};

using Lock = std::lock_guard<std::recursive_mutex>;

// Windows the desktop makes on behalf of other processes: the shell's taskbars, and the
// browsers and other applications of the control face. Their thread ids are not real
// threads, so activation across them sends WM_ACTIVATEAPP, and their posted messages
// wait in queues no message loop of this process reads.
constexpr DWORD kShellThread = 1;
constexpr DWORD kOtherAppsThread = 2;
// Their processes, and ours (every other thread is one of ours).
constexpr DWORD kOwnProcess = 1;
constexpr DWORD kShellProcess = 2;
constexpr DWORD kOtherAppsProcess = 3;
DWORD processOfThread(DWORD thread);

struct ForeignThread
{
    explicit ForeignThread(DWORD id);
    ~ForeignThread();
    DWORD previous;
};

// The desktop comes up (monitors, taskbars) on first use.
State &desktop();

// Geometry helpers.
QMargins nonClientMargins(DWORD style, DWORD exStyle);
QPoint clientOrigin(HWND h);           // screen position of the client area's corner
QRect screenRect(const Window *w);     // window rectangle on screen
QRect clientRectScreen(const Window *w);
QRect clientRectParent(const Window *w);   // client rectangle in the parent's client coordinates
MINMAXINFO minMaxInfo(HWND h);         // the defaults, then what WM_GETMINMAXINFO made of them
bool isVisibleChain(HWND h);           // WS_VISIBLE on it and every ancestor

// Stacking.
bool linkWindow(Window *w, HWND insertAfter);   // Wine's rules; true when it moved
void unlinkWindow(Window *w);
HWND nextSibling(HWND h);
HWND prevSibling(HWND h);

// Messages.
LRESULT sendMessage(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
void observe(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);

// Thread queues: something was queued for the thread (wakes its loop, see setQueueWake),
// and the thread looks at its queue now.
void queueChanged(DWORD thread);
void queueLooked(DWORD thread);

// WinEvents: raised by the desktop's operations on behalf of the thread of the window
// they are about; out-of-context ones are delivered to the calling thread's hooks by
// deliverWinEvents (PeekMessageW, GetMessageW).
void raiseWinEvent(DWORD event, HWND hwnd, LONG idObject, LONG idChild, DWORD thread);
void raiseReorder(const Window *w);    // w took another place among its siblings
void deliverWinEvents();
void clearWinEvents();

// Operations shared between the Win32 functions and the control face.
BOOL setWindowPosInternal(WINDOWPOS *pos, int parentDx, int parentDy);
BOOL setForegroundInternal(HWND h, bool mouse);
bool setActiveInternal(HWND h, HWND *previous, bool mouse, bool focus);
void activateOtherWindow(HWND h);
HWND hitTest(const QPoint &screen, bool *inClient);
void deleteRegionHandle(HRGN h);
void createTaskbars();
void destroyAllWindows();
std::vector<HWND> topLevelList();      // the desktop's children, top first

QString fromW(LPCWSTR s);
QString fromW(LPCWSTR s, int n);
int toW(const QString &s, LPWSTR buf, int size);   // copies with NUL; returns units written

} // namespace detail
} // namespace win32sim
