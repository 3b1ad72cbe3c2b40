// GDI regions and window regions. QRegion holds the pixels (its bands are GDI's), but
// rounded rectangles are rasterised here row by row the way Wine's gdi32 does, and keep
// GDI's unmerged row count until an operation normalises them, so that the region
// kinds (SIMPLEREGION/COMPLEXREGION) agree too.
//
// SetWindowRgn hands the region to the window: the handle stays valid, the application
// must not delete it (DeleteObject refuses), and it is deleted when the window gets
// another region or is destroyed.
#include "State.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

using namespace win32sim::detail;

namespace {

QRegion rectRegion(int l, int t, int r, int b)
{
    if (l > r)
        std::swap(l, r);
    if (t > b)
        std::swap(t, b);
    if (l == r || t == b)
        return QRegion();
    return QRegion(l, t, r - l, b - t);
}

// Midpoint ellipse (Zingl) over the lower half, mirrored to the upper half; the middle
// row stretches over the straight part of the sides. Interior only: the right and
// bottom edges are exclusive, one pixel inside the rectangle given.
QRegion roundRectRegion(int left, int top, int right, int bottom, int ew, int eh, int *rows)
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    --right;
    --bottom;
    ew = std::min(right - left, std::abs(ew));
    eh = std::min(bottom - top, std::abs(eh));
    if (ew < 2 || eh < 2) {
        const QRegion r = rectRegion(left, top, right, bottom);
        *rows = r.rectCount();
        return r;
    }
    struct Span
    {
        int l, r, t, b;
    };
    std::vector<Span> span(size_t(eh), Span{left, right, 0, 0});
    const long long a = ew - 1;
    const long long b = eh - 1;
    const long long asq = 8 * a * a;
    const long long bsq = 8 * b * b;
    long long dx = 4 * b * b * (1 - a);
    long long dy = 4 * a * a * (1 + (b % 2));
    long long err = dx + dy + a * a * (b % 2);
    int x = 0;
    int y = eh / 2;
    while (x <= ew / 2) {
        const long long e2 = 2 * err;
        if (e2 >= dx) {
            ++x;
            err += dx += bsq;
        }
        if (e2 <= dy) {
            ++y;
            err += dy += asq;
            if (y < eh) {
                span[size_t(y)].l = left + x;
                span[size_t(y)].r = right - x;
            }
        }
    }
    int i = 0;
    for (; i < eh / 2; ++i) {
        span[size_t(i)].l = span[size_t(b - i)].l;
        span[size_t(i)].r = span[size_t(b - i)].r;
        span[size_t(i)].t = top + i;
        span[size_t(i)].b = top + i + 1;
    }
    for (; i < eh; ++i) {
        span[size_t(i)].t = bottom - eh + i;
        span[size_t(i)].b = span[size_t(i)].t + 1;
    }
    span[size_t(eh / 2)].t = top + eh / 2;
    QRegion r;
    for (const Span &s : span)
        if (s.r > s.l && s.b > s.t)
            r += QRect(s.l, s.t, s.r - s.l, s.b - s.t);
    *rows = eh;
    return r;
}

int kindOf(const Region &r)
{
    if (r.area.isEmpty())
        return NULLREGION;
    const int n = r.rawRects >= 0 ? r.rawRects : r.area.rectCount();
    return n == 1 ? SIMPLEREGION : COMPLEXREGION;
}

Region *findRegion(HRGN h)
{
    auto &m = State::get().regions;
    auto it = m.find(h);
    return it == m.end() ? nullptr : &it->second;
}

HRGN newRegion(const QRegion &area, int rawRects = -1)
{
    State &s = desktop();
    HRGN h = static_cast<HRGN>(s.newHandle());
    Region r;
    r.area = area;
    r.rawRects = rawRects;
    s.regions.emplace(h, r);
    return h;
}

} // namespace

namespace win32sim {
namespace detail {

void deleteRegionHandle(HRGN h)
{
    State::get().regions.erase(h);
}

} // namespace detail
} // namespace win32sim

HRGN WINAPI CreateRectRgn(int x1, int y1, int x2, int y2)
{
    Lock lock(State::mutex());
    return newRegion(rectRegion(x1, y1, x2, y2));
}

HRGN WINAPI CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h)
{
    Lock lock(State::mutex());
    int rows = -1;
    const QRegion area = roundRectRegion(x1, y1, x2, y2, w, h, &rows);
    return newRegion(area, rows);
}

int WINAPI CombineRgn(HRGN dst, HRGN src1, HRGN src2, int mode)
{
    Lock lock(State::mutex());
    desktop();
    Region *d = findRegion(dst);
    Region *a = findRegion(src1);
    if (!d || !a || d->ownerWindow)
        return ERROR;
    if (mode == RGN_COPY) {
        d->area = a->area;
        d->rawRects = a->rawRects;
        return kindOf(*d);
    }
    Region *b = findRegion(src2);
    if (!b)
        return ERROR;
    QRegion result;
    switch (mode) {
    case RGN_AND:
        result = a->area.intersected(b->area);
        break;
    case RGN_OR:
        result = a->area.united(b->area);
        break;
    case RGN_XOR:
        result = a->area.xored(b->area);
        break;
    case RGN_DIFF:
        result = a->area.subtracted(b->area);
        break;
    default:
        return ERROR;
    }
    d->area = result;
    d->rawRects = -1;
    return kindOf(*d);
}

int WINAPI OffsetRgn(HRGN h, int x, int y)
{
    Lock lock(State::mutex());
    Region *r = findRegion(h);
    if (!r)
        return ERROR;
    r->area.translate(x, y);
    return kindOf(*r);
}

BOOL WINAPI PtInRegion(HRGN h, int x, int y)
{
    Lock lock(State::mutex());
    Region *r = findRegion(h);
    return r && r->area.contains(QPoint(x, y));
}

int WINAPI GetRgnBox(HRGN h, LPRECT rc)
{
    Lock lock(State::mutex());
    Region *r = findRegion(h);
    if (!r || !rc)
        return ERROR;
    const QRect b = r->area.boundingRect();
    *rc = r->area.isEmpty() ? RECT{0, 0, 0, 0} : RECT{b.x(), b.y(), b.x() + b.width(), b.y() + b.height()};
    return kindOf(*r);
}

BOOL WINAPI EqualRgn(HRGN h1, HRGN h2)
{
    Lock lock(State::mutex());
    Region *a = findRegion(h1);
    Region *b = findRegion(h2);
    if (!a || !b)
        return ERROR;
    return a->area == b->area;
}

BOOL WINAPI DeleteObject(HGDIOBJ h)
{
    Lock lock(State::mutex());
    Region *r = findRegion(static_cast<HRGN>(h));
    if (!r || r->ownerWindow)
        return FALSE;
    State::get().regions.erase(static_cast<HRGN>(h));
    return TRUE;
}

int WINAPI SetWindowRgn(HWND hWnd, HRGN hRgn, BOOL redraw)
{
    Lock lock(State::mutex());
    State &s = desktop();
    Window *w = s.win(hWnd);
    Region *r = hRgn ? findRegion(hRgn) : nullptr;
    if (!w || s.isDesktop(hWnd) || (hRgn && (!r || (r->ownerWindow && r->ownerWindow != hWnd)))) {
        SetLastError(w ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    const HRGN old = w->regionHandle;
    if (hRgn) {
        r->ownerWindow = hWnd;
        w->hasRegion = true;
        w->region = r->area;
        w->regionHandle = hRgn;
    } else {
        w->hasRegion = false;
        w->region = QRegion();
        w->regionHandle = nullptr;
    }
    if (old && old != hRgn)
        deleteRegionHandle(old);
    UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | 0x0800 | 0x1000;
    if (!redraw)
        flags |= SWP_NOREDRAW;
    SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, flags);
    return 1;
}

int WINAPI GetWindowRgn(HWND hWnd, HRGN hRgn)
{
    Lock lock(State::mutex());
    State &s = desktop();
    Window *w = s.win(hWnd);
    Region *r = findRegion(hRgn);
    if (!w || !r || !w->hasRegion || r->ownerWindow)
        return ERROR;
    r->area = w->region;
    r->rawRects = -1;
    if (Region *own = findRegion(w->regionHandle))
        r->rawRects = own->rawRects;
    return kindOf(*r);
}
