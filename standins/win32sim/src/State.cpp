#include "State.h"

#include <algorithm>

namespace win32sim {
namespace detail {

// Both live until the process ends: windows torn down from static destructors (a Qt
// application destroyed at exit) still find their desktop.
std::recursive_mutex &State::mutex()
{
    static auto *m = new std::recursive_mutex;
    return *m;
}

State &State::get()
{
    static auto *s = new State;
    return *s;
}

State &desktop()
{
    State &s = State::get();
    if (!s.started) {
        s.started = true;
        Window *d = new Window;
        d->handle = s.newWindowHandle();
        d->cls = s.ensureSystemClass(QStringLiteral("#32769"));
        d->style = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        s.desktop = d->handle;
        s.windows.emplace(d->handle, std::unique_ptr<Window>(d));
        MonitorRec m;
        m.handle = static_cast<HMONITOR>(s.newHandle());
        m.rect = QRect(0, 0, 1920, 1080);
        m.work = m.rect.adjusted(0, 0, 0, -40);
        m.primary = true;
        s.monitors.push_back(m);
        d->rect = m.rect;
        d->client = m.rect;
        createTaskbars();
    }
    return s;
}

HWND State::newWindowHandle()
{
    return static_cast<HWND>(newHandle());
}

void *State::newHandle()
{
    void *h = reinterpret_cast<void *>(m_nextHandle);
    m_nextHandle += 4;
    return h;
}

Window *State::win(HWND h) const
{
    if (!h)
        return nullptr;
    auto it = windows.find(h);
    return it == windows.end() ? nullptr : it->second.get();
}

WindowClass *State::findClass(const QString &name) const
{
    for (const auto &c : classes)
        if (c->name.compare(name, Qt::CaseInsensitive) == 0)
            return c.get();
    return nullptr;
}

WindowClass *State::findClass(ATOM atom) const
{
    for (const auto &c : classes)
        if (c->atom == atom)
            return c.get();
    return nullptr;
}

WindowClass *State::ensureSystemClass(const QString &name)
{
    if (WindowClass *c = findClass(name))
        return c;
    auto c = std::make_unique<WindowClass>();
    c->name = name;
    c->atom = m_nextAtom++;
    c->system = true;
    c->style = CS_DBLCLKS;
    classes.push_back(std::move(c));
    return classes.back().get();
}

// Wine's non-client metrics: border 1, no padded border, caption 18 (+1 line),
// small caption 15 (+1), edge 2.
QMargins nonClientMargins(DWORD style, DWORD exStyle)
{
    int adjust = 0;
    if ((exStyle & (WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME)) == WS_EX_STATICEDGE)
        adjust = 1;
    else if ((exStyle & WS_EX_DLGMODALFRAME) || (style & (WS_THICKFRAME | WS_DLGFRAME)))
        adjust = 2;
    if (style & WS_THICKFRAME)
        adjust += 1;
    if ((style & (WS_BORDER | WS_DLGFRAME)) || (exStyle & WS_EX_DLGMODALFRAME))
        adjust++;
    QMargins m(adjust, adjust, adjust, adjust);
    if ((style & WS_CAPTION) == WS_CAPTION)
        m.setTop(m.top() + ((exStyle & WS_EX_TOOLWINDOW) ? 16 : 19));
    if (exStyle & WS_EX_CLIENTEDGE)
        m += QMargins(2, 2, 2, 2);
    return m;
}

QRect clientRectParent(const Window *w)
{
    return w->client;
}

ForeignThread::ForeignThread(DWORD id)
    : previous(State::get().creationThread)
{
    State::get().creationThread = id;
}

ForeignThread::~ForeignThread()
{
    State::get().creationThread = previous;
}

QPoint clientOrigin(HWND h)
{
    State &s = State::get();
    QPoint p(0, 0);
    Window *w = s.win(h);
    while (w && !s.isDesktop(w->handle)) {
        p += clientRectParent(w).topLeft();
        w = s.win(w->parent);
    }
    return p;
}

QRect screenRect(const Window *w)
{
    if (State::get().isDesktop(w->handle))
        return w->rect;
    return w->rect.translated(clientOrigin(w->parent));
}

QRect clientRectScreen(const Window *w)
{
    if (State::get().isDesktop(w->handle))
        return w->rect;
    return clientRectParent(w).translated(clientOrigin(w->parent));
}

bool isVisibleChain(HWND h)
{
    State &s = State::get();
    Window *w = s.win(h);
    if (!w)
        return false;
    while (w && !s.isDesktop(w->handle)) {
        if (!(w->style & WS_VISIBLE))
            return false;
        w = s.win(w->parent);
    }
    return w != nullptr;   // a detached window (no parent left) is not visible
}

std::vector<HWND> topLevelList()
{
    Window *d = State::get().desktopWin();
    return d ? d->children : std::vector<HWND>();
}

void unlinkWindow(Window *w)
{
    Window *p = State::get().win(w->parent);
    if (!p)
        return;
    auto &c = p->children;
    c.erase(std::remove(c.begin(), c.end(), w->handle), c.end());
}

// The stacking rules of Wine's server, topmost band included: NOTOPMOST only acts on a
// topmost window, BOTTOM drops topmost, TOP stays below the topmost band unless the
// window is topmost (or meets its owner there), and a window placed after another
// takes that one's band.
bool linkWindow(Window *w, HWND insertAfter)
{
    State &s = State::get();
    Window *p = s.win(w->parent);
    if (!p)
        return false;
    auto &c = p->children;
    const auto oldPos = std::find(c.begin(), c.end(), w->handle);
    const bool linked = oldPos != c.end();
    const HWND oldPrev = (linked && oldPos != c.begin()) ? *(oldPos - 1) : nullptr;
    const size_t oldIndex = linked ? size_t(oldPos - c.begin()) : size_t(-1);

    if (insertAfter == HWND_NOTOPMOST) {
        if (!(w->exStyle & WS_EX_TOPMOST) && linked)
            return false;
        w->exStyle &= ~WS_EX_TOPMOST;
        insertAfter = HWND_TOP;
    }
    if (linked)
        c.erase(oldPos);

    if (insertAfter == HWND_BOTTOM) {
        c.push_back(w->handle);
        w->exStyle &= ~WS_EX_TOPMOST;
    } else if (insertAfter == HWND_TOPMOST) {
        c.insert(c.begin(), w->handle);
        w->exStyle |= WS_EX_TOPMOST;
    } else if (insertAfter == HWND_TOP) {
        size_t i = 0;
        if (!(w->exStyle & WS_EX_TOPMOST)) {
            for (; i < c.size(); ++i) {
                Window *next = s.win(c[i]);
                if (!next || !(next->exStyle & WS_EX_TOPMOST))
                    break;
                if (next->handle == w->owner) {   // keep it above its owner
                    w->exStyle |= WS_EX_TOPMOST;
                    break;
                }
            }
        }
        c.insert(c.begin() + i, w->handle);
    } else {
        auto prev = std::find(c.begin(), c.end(), insertAfter);
        if (prev == c.end()) {   // not a sibling: put it back
            c.insert(c.begin() + std::min(oldIndex, c.size()), w->handle);
            return false;
        }
        Window *pw = s.win(insertAfter);
        const auto at = c.insert(prev + 1, w->handle);
        if (!pw || !(pw->exStyle & WS_EX_TOPMOST)) {
            w->exStyle &= ~WS_EX_TOPMOST;
        } else if (at + 1 != c.end()) {
            Window *next = s.win(*(at + 1));
            if (next && (next->exStyle & WS_EX_TOPMOST))
                w->exStyle |= WS_EX_TOPMOST;
        }
    }
    const auto now = std::find(c.begin(), c.end(), w->handle);
    const HWND newPrev = now != c.begin() ? *(now - 1) : nullptr;
    return !linked || newPrev != oldPrev;
}

HWND nextSibling(HWND h)
{
    State &s = State::get();
    Window *w = s.win(h);
    Window *p = w ? s.win(w->parent) : nullptr;
    if (!p)
        return nullptr;
    auto it = std::find(p->children.begin(), p->children.end(), h);
    if (it == p->children.end() || it + 1 == p->children.end())
        return nullptr;
    return *(it + 1);
}

HWND prevSibling(HWND h)
{
    State &s = State::get();
    Window *w = s.win(h);
    Window *p = w ? s.win(w->parent) : nullptr;
    if (!p)
        return nullptr;
    auto it = std::find(p->children.begin(), p->children.end(), h);
    if (it == p->children.end() || it == p->children.begin())
        return nullptr;
    return *(it - 1);
}

void observe(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    State &s = State::get();
    if (!s.observer)
        return;
    MSG m{};
    m.hwnd = h;
    m.message = msg;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = GetTickCount();
    m.pt.x = s.cursor.x();
    m.pt.y = s.cursor.y();
    MessageHook hook = s.observer;   // the hook may replace itself
    hook(m);
}

LRESULT sendMessage(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    State &s = State::get();
    Window *w = s.win(h);
    if (!w || s.isDesktop(h))
        return 0;
    const WNDPROC proc = w->proc;
    observe(h, msg, wParam, lParam);
    return proc ? proc(h, msg, wParam, lParam) : DefWindowProcW(h, msg, wParam, lParam);
}

QString fromW(LPCWSTR s)
{
    return s ? QString::fromWCharArray(s) : QString();
}

QString fromW(LPCWSTR s, int n)
{
    return s ? QString::fromWCharArray(s, n) : QString();
}

int toW(const QString &s, LPWSTR buf, int size)
{
    if (!buf || size <= 0)
        return 0;
    // Windows counts UTF-16 units; here WCHAR is wchar_t, so count what fits in it.
    const std::wstring w = s.toStdWString();
    const int n = std::min<int>(int(w.size()), size - 1);
    std::copy(w.begin(), w.begin() + n, buf);
    buf[n] = 0;
    return n;
}

} // namespace detail
} // namespace win32sim
