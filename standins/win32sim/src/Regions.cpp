// GDI regions and window regions. QRegion holds the pixels (its bands are GDI's), but
// rounded rectangles are rasterised here row by row the way Wine's gdi32 does, and keep
// GDI's unmerged row count until an operation normalises them, so that the region
// kinds (SIMPLEREGION/COMPLEXREGION) agree too. Coordinates stay within GDI's device
// space (2^27) and corners within 65536 pixels, so huge numbers cost no more than those.
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

// Applications keep their graphics within 2^27 pixels of the origin (GDI's device space);
// clamped there, no width, height or offset of a region overflows an int.
constexpr int kCoordLimit = 1 << 27;
// Corner ellipses are rasterised with one band per row; a larger corner is drawn at this
// size, which keeps the rasteriser's 64-bit error terms exact and its rows few.
constexpr int kMaxCorner = 1 << 16;

int gdiCoord(qint64 v)
{
    return int(qBound<qint64>(-kCoordLimit, v, kCoordLimit));
}

QRegion rectRegion(int l, int t, int r, int b)
{
    l = gdiCoord(l);
    t = gdiCoord(t);
    r = gdiCoord(r);
    b = gdiCoord(b);
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
// bottom edges are exclusive, one pixel inside the rectangle given. Rows that share a
// span become one rectangle, so the cost follows the corner, not the rectangle.
QRegion roundRectRegion(int left, int top, int right, int bottom, int ew, int eh, int *rows)
{
    left = gdiCoord(left);
    top = gdiCoord(top);
    right = gdiCoord(right);
    bottom = gdiCoord(bottom);
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    --right;
    --bottom;
    ew = int(std::min<qint64>({right - left, std::abs(qint64(ew)), kMaxCorner}));
    eh = int(std::min<qint64>({bottom - top, std::abs(qint64(eh)), kMaxCorner}));
    if (ew < 2 || eh < 2) {
        const QRegion r = rectRegion(left, top, right, bottom);
        *rows = r.rectCount();
        return r;
    }
    // The lower half's rows from eh / 2 + 1 on, as runs: the row where the inset x starts.
    struct Run
    {
        int row, x;
    };
    std::vector<Run> runs;
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
        const bool bStepX = e2 >= dx;
        const bool bStepY = e2 <= dy;
        if (!bStepX && !bStepY)
            break;   // no progress possible; never happens for exact terms
        if (bStepX) {
            ++x;
            err += dx += bsq;
        }
        if (bStepY) {
            ++y;
            err += dy += asq;
            if (y < eh && (runs.empty() || runs.back().x != x))
                runs.push_back(Run{y, x});
        }
    }
    // Rows the loop never reached keep the full width.
    if (y + 1 < eh)
        runs.push_back(Run{y + 1, 0});
    const int iMiddle = eh / 2;
    const auto runEnd = [&](size_t k) { return k + 1 < runs.size() ? runs[k + 1].row : eh; };

    QRegion r;
    const auto band = [&](int x0, int y0, int y1) {
        if (right - x0 > left + x0 && y1 > y0)
            r += QRect(left + x0, y0, right - left - 2 * x0, y1 - y0);
    };
    // Upper half: row i mirrors lower row b - i, so the runs come in reverse.
    for (size_t k = runs.size(); k-- > 0;) {
        // lower rows [runs[k].row, runEnd(k)) mirror to upper rows (b - end, b - row].
        const int iFirst = std::max<long long>(0, b - (runEnd(k) - 1));
        const int iLast = std::min<long long>(iMiddle - 1, b - runs[k].row);
        if (iFirst <= iLast)
            band(runs[k].x, top + iFirst, top + iLast + 1);
    }
    // With an even count the last upper row mirrors the middle row.
    if (eh % 2 == 0)
        band(0, top + iMiddle - 1, top + iMiddle);
    band(0, top + iMiddle, bottom - eh + iMiddle + 1);
    for (size_t k = 0; k < runs.size(); ++k)
        band(runs[k].x, bottom - eh + runs[k].row, bottom - eh + runEnd(k));
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
    if (!r->area.isEmpty()) {
        // Moved no further than the device space reaches.
        const QRect box = r->area.boundingRect();
        const qint64 dx = qBound<qint64>(-kCoordLimit - qint64(box.left()), x, kCoordLimit - qint64(box.right()) - 1);
        const qint64 dy = qBound<qint64>(-kCoordLimit - qint64(box.top()), y, kCoordLimit - qint64(box.bottom()) - 1);
        r->area.translate(int(dx), int(dy));
    }
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
