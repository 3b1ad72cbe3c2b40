// Window classes, creation and destruction, in the message order Wine shows:
// creation sends WM_NCCREATE, WM_CREATE, then WM_SIZE/WM_MOVE (overlapped windows get
// those at their first show instead), WM_PARENTNOTIFY, and shows the window last.
// Destruction hides the window, destroys its owned windows, moves activation away,
// sends WM_DESTROY to the window and then to its descendants (parent first), and
// WM_NCDESTROY children first. A descendant that leaves the tree during its WM_DESTROY
// (SetParent to the desktop) survives.
#include "State.h"

using namespace win32sim::detail;

namespace {

QString classArg(LPCWSTR name)
{
    const uintptr_t v = reinterpret_cast<uintptr_t>(name);
    if (v && v <= 0xFFFF)
        return QString();   // an atom
    return fromW(name);
}

WindowClass *lookupClass(State &s, LPCWSTR name)
{
    const uintptr_t v = reinterpret_cast<uintptr_t>(name);
    if (!v)
        return nullptr;
    if (v <= 0xFFFF)
        return s.findClass(ATOM(v));
    return s.findClass(fromW(name));
}

void sendParentNotify(HWND h, UINT msg)
{
    State &s = State::get();
    Window *w = s.win(h);
    if (!w || (w->style & (WS_CHILD | WS_POPUP)) != WS_CHILD || (w->exStyle & WS_EX_NOPARENTNOTIFY))
        return;
    const HWND parent = w->parent;
    if (parent && !s.isDesktop(parent))
        sendMessage(parent, WM_PARENTNOTIFY, MAKEWPARAM(msg, w->id), reinterpret_cast<LPARAM>(h));
}

void freeWindow(HWND h)
{
    State &s = State::get();
    Window *w = s.win(h);
    if (!w)
        return;
    unlinkWindow(w);
    if (w->regionHandle)
        s.regions.erase(w->regionHandle);
    if (w->cls)
        --w->cls->windows;
    if (s.foreground == h)
        s.foreground = nullptr;
    if (s.focus == h)
        s.focus = nullptr;
    if (s.capture == h)
        s.capture = nullptr;
    for (auto &q : s.queues)
        for (auto it = q.second.begin(); it != q.second.end();)
            it = it->hwnd == h ? q.second.erase(it) : it + 1;
    // Owned windows of other threads lose their owner.
    for (auto &e : s.windows)
        if (e.second->owner == h)
            e.second->owner = nullptr;
    s.windows.erase(h);
}

// Children first, then the window: WM_NCDESTROY and the records go together.
void destroyStorage(HWND h)
{
    State &s = State::get();
    Window *w = s.win(h);
    if (!w)
        return;
    const std::vector<HWND> children = w->children;
    for (HWND c : children)
        if (Window *cw = s.win(c); cw && cw->parent == h)
            destroyStorage(c);
    if (!s.win(h))
        return;
    sendMessage(h, WM_NCDESTROY, 0, 0);
    freeWindow(h);
}

// Windows that got WM_DESTROY but left the tree in time survive, and may be destroyed
// again later: their mark is cleared when the outermost DestroyWindow returns.
struct DestroyDepth
{
    static int &depth()
    {
        static int d = 0;
        return d;
    }
    DestroyDepth() { ++depth(); }
    ~DestroyDepth()
    {
        if (--depth() == 0)
            for (auto &e : State::get().windows)
                e.second->destroying = false;
    }
};

void sendDestroyMessage(HWND h)
{
    State &s = State::get();
    if (h == s.foreground)
        activateOtherWindow(h);
    if (Window *w = s.win(h))
        w->destroying = true;
    sendMessage(h, WM_DESTROY, 0, 0);
    Window *w = s.win(h);
    if (!w)
        return;
    const std::vector<HWND> children = w->children;
    for (HWND c : children) {
        Window *cw = s.win(c);
        if (cw && cw->parent == h)
            sendDestroyMessage(c);
    }
}

} // namespace

ATOM WINAPI RegisterClassExW(const WNDCLASSEXW *wc)
{
    Lock lock(State::mutex());
    State &s = desktop();
    if (!wc || wc->cbSize != sizeof(WNDCLASSEXW) || !wc->lpszClassName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const QString name = classArg(wc->lpszClassName);
    if (name.isEmpty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (s.findClass(name)) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    WindowClass *c = s.ensureSystemClass(name);
    c->system = false;
    c->style = wc->style;
    c->proc = wc->lpfnWndProc;
    c->instance = wc->hInstance;
    return c->atom;
}

BOOL WINAPI UnregisterClassW(LPCWSTR lpClassName, HINSTANCE)
{
    Lock lock(State::mutex());
    State &s = desktop();
    WindowClass *c = lookupClass(s, lpClassName);
    if (!c || c->system) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    if (c->windows > 0) {
        SetLastError(ERROR_CLASS_HAS_WINDOWS);
        return FALSE;
    }
    for (auto it = s.classes.begin(); it != s.classes.end(); ++it)
        if (it->get() == c) {
            s.classes.erase(it);
            break;
        }
    return TRUE;
}

HWND WINAPI CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                            int width, int height, HWND parentArg, HMENU menu, HINSTANCE instance, LPVOID param)
{
    Lock lock(State::mutex());
    State &s = desktop();
    WindowClass *cls = lookupClass(s, className);
    if (!cls) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    HWND parent = s.desktop;
    HWND owner = nullptr;
    if (parentArg && parentArg != HWND_MESSAGE) {
        Window *pw = s.win(parentArg);
        if (!pw) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        if (style & WS_CHILD) {
            parent = parentArg;
        } else {
            // The owner is always a top-level window.
            HWND root = parentArg;
            while (Window *rw = s.win(root)) {
                if (rw->parent == s.desktop || !rw->parent)
                    break;
                root = rw->parent;
            }
            owner = root;
        }
    } else if ((style & (WS_CHILD | WS_POPUP)) == WS_CHILD) {
        SetLastError(1406);   // ERROR_TLW_WITH_WSCHILD
        return nullptr;
    }

    DWORD st = style;
    DWORD ex = exStyle;
    if (!(st & WS_CHILD)) {
        st |= WS_CLIPSIBLINGS;
        if (!(st & WS_POPUP))
            st |= WS_CAPTION;
    }
    if ((ex & WS_EX_DLGMODALFRAME) || (!(ex & WS_EX_STATICEDGE) && (st & (WS_DLGFRAME | WS_THICKFRAME))))
        ex |= WS_EX_WINDOWEDGE;
    else
        ex &= ~WS_EX_WINDOWEDGE;
    if (parent != s.desktop)
        ex &= ~WS_EX_TOPMOST;

    if (x == CW_USEDEFAULT) {
        x = 0;
        y = (parent == s.desktop && !(st & WS_POPUP)) ? 0 : y;
    }
    if (width == CW_USEDEFAULT) {
        const QRect m = s.monitors.empty() ? QRect(0, 0, 1024, 768) : s.monitors.front().rect;
        width = (parent == s.desktop && !(st & WS_POPUP)) ? m.width() * 3 / 4 : 0;
        height = (parent == s.desktop && !(st & WS_POPUP)) ? m.height() * 3 / 4 : 0;
    }

    auto w = std::make_unique<Window>();
    w->handle = s.newWindowHandle();
    w->cls = cls;
    w->proc = cls->proc;
    w->style = st & ~WS_VISIBLE;
    w->exStyle = ex;
    w->parent = parent;
    w->owner = owner;
    w->rect = QRect(x, y, std::max(0, width), std::max(0, height));
    w->client = w->rect;
    w->id = (st & WS_CHILD) ? reinterpret_cast<LONG_PTR>(menu) : 0;
    w->instance = instance;
    w->threadId = s.creationThread ? s.creationThread : GetCurrentThreadId();
    w->needSize = !(st & (WS_CHILD | WS_POPUP));
    const HWND h = w->handle;
    s.windows.emplace(h, std::move(w));
    ++cls->windows;

    // Sizable and overlapped windows start within their tracking sizes.
    if ((st & WS_THICKFRAME) || !(st & (WS_POPUP | WS_CHILD))) {
        const MINMAXINFO info = minMaxInfo(h);
        Window *mw = s.win(h);
        if (!mw)
            return nullptr;
        const int cx = std::max<int>(std::min<int>(mw->rect.width(), info.ptMaxTrackSize.x), info.ptMinTrackSize.x);
        const int cy = std::max<int>(std::min<int>(mw->rect.height(), info.ptMaxTrackSize.y), info.ptMinTrackSize.y);
        mw->rect.setSize(QSize(std::max(0, cx), std::max(0, cy)));
        mw->client = mw->rect;
    }
    Window *wp = s.win(h);

    const std::wstring cname = cls->name.toStdWString();
    CREATESTRUCTW cs{};
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menu;
    cs.hwndParent = parentArg;
    cs.cx = wp->rect.width();
    cs.cy = wp->rect.height();
    cs.x = wp->rect.x();
    cs.y = wp->rect.y();
    cs.style = LONG(st);
    cs.lpszName = windowName;
    cs.lpszClass = cname.c_str();
    cs.dwExStyle = ex;

    // The window joins the stacking order only after WM_NCCREATE, as in Wine.
    if (!sendMessage(h, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        if (s.win(h))
            destroyStorage(h);
        return nullptr;
    }
    if (!(wp = s.win(h)))
        return nullptr;
    {
        // WM_NCCALCSIZE without WINDOWPOS gets screen coordinates.
        const QPoint origin = s.isDesktop(parent) ? QPoint() : clientOrigin(parent);
        const QRect r = wp->rect.translated(origin);
        RECT client{r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
        sendMessage(h, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
        if (!(wp = s.win(h)))
            return nullptr;
        wp->client = QRect(client.left - origin.x(), client.top - origin.y(), std::max(0, int(client.right - client.left)),
                           std::max(0, int(client.bottom - client.top)));
    }
    // Top-level windows start at the top (of the topmost band when asked), children at
    // the bottom of their siblings, so that GW_CHILD walks children in creation order.
    if (linkWindow(wp, (st & WS_CHILD) ? HWND_BOTTOM : HWND_TOP))
        raiseReorder(wp);
    if (sendMessage(h, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        if (s.win(h))
            destroyStorage(h);   // refused: freed without WM_DESTROY, as Wine does
        return nullptr;
    }
    Window *cw = s.win(h);
    if (!cw)
        return nullptr;
    if (!cw->needSize) {
        const QRect c = clientRectParent(cw);
        sendMessage(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.width(), c.height()));
        if (!(cw = s.win(h)))
            return nullptr;
        const QRect c2 = clientRectParent(cw);
        sendMessage(h, WM_MOVE, 0, MAKELPARAM(c2.x(), c2.y()));
    }
    sendParentNotify(h, WM_CREATE);
    if (!s.win(h))
        return nullptr;
    if (st & WS_VISIBLE)
        ShowWindow(h, SW_SHOW);
    return s.win(h) ? h : nullptr;
}

BOOL WINAPI DestroyWindow(HWND h)
{
    Lock lock(State::mutex());
    State &s = desktop();
    Window *w = s.win(h);
    if (!w || s.isDesktop(h)) {
        SetLastError(w ? ERROR_ACCESS_DENIED : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (w->destroying)
        return TRUE;   // already on its way (DestroyWindow from inside WM_DESTROY)
    DestroyDepth depth;
    const bool isChild = (w->style & WS_CHILD) != 0;
    w->destroying = true;
    if (isChild)
        sendParentNotify(h, WM_DESTROY);
    if (!(w = s.win(h)))
        return TRUE;
    if (w->style & WS_VISIBLE) {
        // Only child windows get WM_SHOWWINDOW from DestroyWindow.
        if (isChild)
            ShowWindow(h, SW_HIDE);
        else
            SetWindowPos(h, nullptr, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    }
    if (!s.win(h))
        return TRUE;
    if (!isChild) {
        for (;;) {
            bool gotOne = false;
            for (HWND o : topLevelList()) {
                Window *ow = s.win(o);
                if (!ow || ow->owner != h)
                    continue;
                DestroyWindow(o);
                gotOne = true;
            }
            if (!gotOne)
                break;
        }
    }
    sendDestroyMessage(h);
    if (!s.win(h))
        return TRUE;
    destroyStorage(h);
    return TRUE;
}

namespace win32sim {
namespace detail {

void destroyAllWindows()
{
    State &s = State::get();
    for (int guard = 0; guard < 64; ++guard) {
        const std::vector<HWND> top = topLevelList();
        if (top.empty())
            break;
        for (HWND h : top)
            DestroyWindow(h);
    }
    // Whatever refused to go (a procedure that keeps re-creating windows) goes silently.
    std::vector<HWND> rest;
    for (auto &e : s.windows)
        if (e.first != s.desktop)
            rest.push_back(e.first);
    for (HWND h : rest)
        freeWindow(h);
    if (Window *d = s.desktopWin())
        d->children.clear();
}

} // namespace detail
} // namespace win32sim
