// The control face: windows as tests and the demo make them, what a user does, and the
// window-manager state read back.
#include "State.h"
#include "BrowserTrees.h"
#include "WindowStyles.h"

#include <QStringList>

using namespace win32sim::detail;

namespace win32sim {

namespace {

std::wstring wide(const QString &s)
{
    return s.toStdWString();
}

Window *lookup(HWND h)
{
    return desktop().win(h);
}

} // namespace

HWND createWindow(const NewWindow &window)
{
    Lock lock(State::mutex());
    State &s = desktop();
    ForeignThread apps(s.creationThread ? s.creationThread : kOtherAppsThread);
    const face::CreateStyles c = face::createStyles(window, window.parent && s.win(window.parent));
    s.ensureSystemClass(c.className);
    const QRect r = window.rect;
    HWND h = CreateWindowExW(c.exStyle, wide(c.className).c_str(), wide(window.title).c_str(), c.style, r.x(), r.y(),
                             r.width(), r.height(), c.parent, nullptr, nullptr, nullptr);
    if (Window *w = s.win(h))
        w->colour = window.colour;
    return h;
}

ChromeWindow createChrome(const QString &title, const QRect &rect, int stripHeight)
{
    // Other threads see a browser's tree whole or not at all.
    Lock lock(State::mutex());
    return face::buildChrome(title, rect, stripHeight);
}

IeWindow createIe11(const QString &frameTitle, const QRect &rect, const QStringList &tabTitles)
{
    // Other threads see a browser's tree whole or not at all.
    Lock lock(State::mutex());
    return face::buildIe11(frameTitle, rect, tabTitles);
}

void moveWindow(HWND hwnd, const QRect &r)
{
    Lock lock(State::mutex());
    Window *w = lookup(hwnd);
    if (!w)
        return;
    const QPoint origin = w->parent == desktop().desktop ? QPoint() : clientOrigin(w->parent);
    SetWindowPos(hwnd, nullptr, r.x() - origin.x(), r.y() - origin.y(), r.width(), r.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void setTitle(HWND hwnd, const QString &title)
{
    SetWindowTextW(hwnd, wide(title).c_str());
}

void show(HWND hwnd)
{
    ShowWindow(hwnd, SW_SHOW);
}

void hide(HWND hwnd)
{
    ShowWindow(hwnd, SW_HIDE);
}

void activate(HWND hwnd)
{
    Lock lock(State::mutex());
    const HWND root = GetAncestor(hwnd, GA_ROOT);
    if (root)
        setForegroundInternal(root, false);
}

void destroy(HWND hwnd)
{
    DestroyWindow(hwnd);
}

void moveTab(HWND tabWindow, HWND frameTab)
{
    // Frame tabs share the frame's client area, so the position numbers carry over.
    SetParent(tabWindow, frameTab);
}

void click(const QPoint &screen, bool doubleClick)
{
    Lock lock(State::mutex());
    State &s = desktop();
    s.cursor = screen;
    bool inClient = false;
    const HWND target = hitTest(screen, &inClient);
    if (!target)
        return;
    const HWND root = GetAncestor(target, GA_ROOT);
    bool eat = false;
    if (root && root != s.foreground) {
        const LRESULT r = sendMessage(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(root),
                                      MAKELPARAM(inClient ? HTCLIENT : 2, WM_LBUTTONDOWN));
        eat = r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT;
        Window *rw = s.win(root);
        if ((r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT || r == 0) && rw && (rw->style & WS_VISIBLE)
            && !(rw->style & WS_DISABLED) && !(rw->exStyle & WS_EX_NOACTIVATE))
            setForegroundInternal(root, true);
    }
    if (!inClient)
        return;
    auto send = [&](UINT msg, WPARAM keys) {
        if (!s.win(target))
            return;
        const QPoint p = screen - clientOrigin(target);
        sendMessage(target, msg, keys, MAKELPARAM(p.x(), p.y()));
    };
    if (!eat)
        send(WM_LBUTTONDOWN, MK_LBUTTON);
    send(WM_LBUTTONUP, 0);
    if (doubleClick) {
        Window *w = s.win(target);
        const bool dbl = w && w->cls && (w->cls->style & CS_DBLCLKS);
        send(dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, MK_LBUTTON);
        send(WM_LBUTTONUP, 0);
    }
}

void wheel(const QPoint &screen, int delta)
{
    Lock lock(State::mutex());
    State &s = desktop();
    s.cursor = screen;
    const HWND target = hitTest(screen, nullptr);
    if (target)
        sendMessage(target, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(screen.x(), screen.y()));
}

QVector<HWND> topLevelOrder()
{
    Lock lock(State::mutex());
    desktop();
    const std::vector<HWND> l = topLevelList();
    return QVector<HWND>(l.begin(), l.end());
}

QVector<HWND> childOrder(HWND parent)
{
    Lock lock(State::mutex());
    Window *w = lookup(parent);
    if (!w)
        return {};
    return QVector<HWND>(w->children.begin(), w->children.end());
}

HWND parentOf(HWND hwnd)
{
    Lock lock(State::mutex());
    Window *w = lookup(hwnd);
    return (w && w->parent != desktop().desktop) ? w->parent : nullptr;
}

HWND ownerOf(HWND hwnd)
{
    Lock lock(State::mutex());
    Window *w = lookup(hwnd);
    return w ? w->owner : nullptr;
}

QString className(HWND hwnd)
{
    Lock lock(State::mutex());
    Window *w = lookup(hwnd);
    return (w && w->cls) ? w->cls->name : QString();
}

QString title(HWND hwnd)
{
    Lock lock(State::mutex());
    Window *w = lookup(hwnd);
    return w ? w->title : QString();
}

QRect windowRect(HWND hwnd)
{
    Lock lock(State::mutex());
    Window *w = lookup(hwnd);
    return w ? screenRect(w) : QRect();
}

QRect clientRect(HWND hwnd)
{
    Lock lock(State::mutex());
    Window *w = lookup(hwnd);
    return w ? clientRectScreen(w) : QRect();
}

bool isVisible(HWND hwnd)
{
    Lock lock(State::mutex());
    desktop();
    return isVisibleChain(hwnd);
}

bool isTopmost(HWND hwnd)
{
    Lock lock(State::mutex());
    Window *w = lookup(hwnd);
    return w && (w->exStyle & WS_EX_TOPMOST);
}

bool hasRegion(HWND hwnd)
{
    Lock lock(State::mutex());
    Window *w = lookup(hwnd);
    return w && w->hasRegion;
}

QRegion region(HWND hwnd)
{
    Lock lock(State::mutex());
    Window *w = lookup(hwnd);
    if (!w)
        return QRegion();
    return w->hasRegion ? w->region : QRegion(0, 0, w->rect.width(), w->rect.height());
}

HWND foreground()
{
    Lock lock(State::mutex());
    return desktop().foreground;
}

QString describe(HWND hwnd)
{
    Lock lock(State::mutex());
    State &s = desktop();
    const QString handle = QStringLiteral("0x%1").arg(quintptr(hwnd), 0, 16);
    Window *w = s.win(hwnd);
    if (!w)
        return handle + QStringLiteral(" (no window)");
    const QRect r = screenRect(w);
    const QRect c = clientRectScreen(w);
    QStringList flags = face::styleWords(isVisibleChain(hwnd), w->style, w->exStyle);
    if (w->hasRegion)
        flags << QStringLiteral("region %1 rects").arg(w->region.rectCount());
    if (hwnd == s.foreground)
        flags << QStringLiteral("foreground");
    if (hwnd == s.focus)
        flags << QStringLiteral("focus");
    if (w->parent && w->parent != s.desktop)
        flags << QStringLiteral("parent 0x%1").arg(quintptr(w->parent), 0, 16);
    if (w->owner)
        flags << QStringLiteral("owner 0x%1").arg(quintptr(w->owner), 0, 16);
    return face::windowLine(handle, w->cls ? w->cls->name : QString(), w->title, r, c, flags);
}

namespace {

void dumpTree(HWND h, int depth, QStringList &out)
{
    out << QString(depth * 2, QLatin1Char(' ')) + describe(h);
    Window *w = State::get().win(h);
    if (!w)
        return;
    for (HWND c : w->children)
        dumpTree(c, depth + 1, out);
}

} // namespace

QString dump()
{
    Lock lock(State::mutex());
    desktop();
    QStringList out;
    for (HWND h : topLevelList())
        dumpTree(h, 0, out);
    return out.join(QLatin1Char('\n'));
}

QVector<PostedMessage> postedMessages(HWND hwnd)
{
    Lock lock(State::mutex());
    QVector<PostedMessage> out;
    for (const auto &q : desktop().queues)
        for (const MSG &m : q.second)
            if (!hwnd || m.hwnd == hwnd)
                out.append(PostedMessage{m.hwnd, m.message, m.wParam, m.lParam});
    return out;
}

void clearPostedMessages()
{
    Lock lock(State::mutex());
    desktop().queues.clear();
}

void setMessageObserver(MessageHook hook)
{
    Lock lock(State::mutex());
    desktop().observer = std::move(hook);
}

bool can(Ability)
{
    return true;
}

} // namespace win32sim
