// Monitors and system metrics. Frame metrics are Wine's defaults, so that client areas
// agree with Wine's for the same styles.
#include "State.h"

#include <algorithm>
#include <climits>

using namespace win32sim::detail;

namespace {

const MonitorRec *findMonitor(HMONITOR h)
{
    for (const MonitorRec &m : State::get().monitors)
        if (m.handle == h)
            return &m;
    return nullptr;
}

const MonitorRec *primary()
{
    for (const MonitorRec &m : State::get().monitors)
        if (m.primary)
            return &m;
    return State::get().monitors.empty() ? nullptr : &State::get().monitors.front();
}

qint64 distance2(const QRect &r, const QRect &target)
{
    auto gap = [](int a1, int a2, int b1, int b2) -> qint64 {
        if (a2 <= b1)
            return b1 - a2 + 1;
        if (b2 <= a1)
            return a1 - b2 + 1;
        return 0;
    };
    const qint64 dx = gap(r.left(), r.left() + r.width(), target.left(), target.left() + target.width());
    const qint64 dy = gap(r.top(), r.top() + r.height(), target.top(), target.top() + target.height());
    return dx * dx + dy * dy;
}

// The monitor with the largest intersection; failing that, the nearest one.
HMONITOR monitorFromRect(const QRect &r, DWORD flags)
{
    const auto &mons = State::get().monitors;
    const MonitorRec *best = nullptr;
    qint64 bestArea = 0;
    const QRect target = r.isEmpty() ? QRect(r.topLeft(), QSize(1, 1)) : r;
    for (const MonitorRec &m : mons) {
        const QRect i = m.rect.intersected(target);
        const qint64 area = qint64(i.width()) * i.height();
        if (area > bestArea) {
            bestArea = area;
            best = &m;
        }
    }
    if (best)
        return best->handle;
    if (flags == MONITOR_DEFAULTTOPRIMARY)
        return primary() ? primary()->handle : nullptr;
    if (flags == MONITOR_DEFAULTTONEAREST) {
        qint64 bestDist = LLONG_MAX;
        for (const MonitorRec &m : mons) {
            const qint64 d = distance2(target, m.rect);
            if (d < bestDist) {
                bestDist = d;
                best = &m;
            }
        }
        return best ? best->handle : nullptr;
    }
    return nullptr;
}

QRect virtualScreen()
{
    QRect v;
    for (const MonitorRec &m : State::get().monitors)
        v = v.united(m.rect);
    return v;
}

} // namespace

HMONITOR WINAPI MonitorFromPoint(POINT pt, DWORD flags)
{
    Lock lock(State::mutex());
    desktop();
    return monitorFromRect(QRect(pt.x, pt.y, 1, 1), flags);
}

HMONITOR WINAPI MonitorFromRect(LPCRECT r, DWORD flags)
{
    Lock lock(State::mutex());
    desktop();
    if (!r)
        return nullptr;
    return monitorFromRect(QRect(r->left, r->top, r->right - r->left, r->bottom - r->top), flags);
}

HMONITOR WINAPI MonitorFromWindow(HWND hWnd, DWORD flags)
{
    Lock lock(State::mutex());
    State &s = desktop();
    Window *w = s.win(hWnd);
    if (!w || s.isDesktop(hWnd)) {
        if (flags == MONITOR_DEFAULTTONULL)
            return nullptr;
        return primary() ? primary()->handle : nullptr;
    }
    return monitorFromRect(screenRect(w), flags);
}

BOOL WINAPI GetMonitorInfoW(HMONITOR h, LPMONITORINFO info)
{
    Lock lock(State::mutex());
    desktop();
    const MonitorRec *m = findMonitor(h);
    if (!m || !info || info->cbSize < sizeof(MONITORINFO))
        return FALSE;
    info->rcMonitor = RECT{m->rect.x(), m->rect.y(), m->rect.x() + m->rect.width(), m->rect.y() + m->rect.height()};
    info->rcWork = RECT{m->work.x(), m->work.y(), m->work.x() + m->work.width(), m->work.y() + m->work.height()};
    info->dwFlags = m->primary ? MONITORINFOF_PRIMARY : 0;
    return TRUE;
}

int WINAPI GetSystemMetrics(int index)
{
    Lock lock(State::mutex());
    desktop();
    const MonitorRec *p = primary();
    const QRect v = virtualScreen();
    switch (index) {
    case SM_CXSCREEN:
        return p ? p->rect.width() : 0;
    case SM_CYSCREEN:
        return p ? p->rect.height() : 0;
    case SM_CYCAPTION:
        return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return 4;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CYSMCAPTION:
        return 16;
    case SM_XVIRTUALSCREEN:
        return v.x();
    case SM_YVIRTUALSCREEN:
        return v.y();
    case SM_CXVIRTUALSCREEN:
        return v.width();
    case SM_CYVIRTUALSCREEN:
        return v.height();
    case SM_CMONITORS:
        return int(State::get().monitors.size());
    case SM_CXPADDEDBORDER:
        return 0;
    case SM_CXMINTRACK:
        return 112;
    case SM_CYMINTRACK:
        return 27;
    case SM_CXMAXTRACK:
        return v.width() + 4 + 2 * 4;
    case SM_CYMAXTRACK:
        return v.height() + 4 + 2 * 4;
    default:
        return 0;
    }
}
