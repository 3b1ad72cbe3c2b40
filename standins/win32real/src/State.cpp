// The window-manager state, read back with the system's own calls, whichever process
// owns the window.
#include "Face.h"
#include "WindowStyles.h"

#include <QRegion>
#include <QStringList>
#include <QVector>

#include <memory>

using namespace win32real;

namespace {

BOOL CALLBACK collect(HWND hwnd, LPARAM data)
{
    // The system's hidden input-method window of each GUI thread ("IME", "Default IME")
    // is no application's window; the simulated desktop has none.
    wchar_t cls[8] = {};
    if (GetClassNameW(hwnd, cls, 8) == 3 && lstrcmpW(cls, L"IME") == 0 && !IsWindowVisible(hwnd))
        return TRUE;
    reinterpret_cast<QVector<HWND> *>(data)->append(hwnd);
    return TRUE;
}

QString text(HWND hwnd)
{
    // The window's own text, with no message to its (perhaps busy) thread.
    wchar_t buffer[512] = {};
    const int n = InternalGetWindowText(hwnd, buffer, 512);
    return QString::fromWCharArray(buffer, qMax(n, 0));
}

} // namespace

namespace win32sim {

// As EnumWindows lists them, less the input-method windows.
QVector<HWND> topLevelOrder()
{
    QVector<HWND> order;
    EnumWindows(collect, reinterpret_cast<LPARAM>(&order));
    return order;
}

QVector<HWND> childOrder(HWND parent)
{
    QVector<HWND> order;
    if (!IsWindow(parent))
        return order;
    for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        order.append(h);
    return order;
}

HWND parentOf(HWND hwnd)
{
    const HWND parent = IsWindow(hwnd) ? GetAncestor(hwnd, GA_PARENT) : nullptr;
    return parent == GetDesktopWindow() ? nullptr : parent;
}

HWND ownerOf(HWND hwnd)
{
    return IsWindow(hwnd) ? GetWindow(hwnd, GW_OWNER) : nullptr;
}

QString className(HWND hwnd)
{
    wchar_t buffer[256] = {};
    const int n = IsWindow(hwnd) ? GetClassNameW(hwnd, buffer, 256) : 0;
    return QString::fromWCharArray(buffer, qMax(n, 0));
}

QString title(HWND hwnd)
{
    return IsWindow(hwnd) ? text(hwnd) : QString();
}

QRect windowRect(HWND hwnd)
{
    RECT r{};
    return (IsWindow(hwnd) && GetWindowRect(hwnd, &r)) ? toQRect(r) : QRect();
}

QRect clientRect(HWND hwnd)
{
    RECT r{};
    if (!IsWindow(hwnd) || !GetClientRect(hwnd, &r))
        return QRect();
    POINT p = {0, 0};
    ClientToScreen(hwnd, &p);
    return QRect(QPoint(p.x, p.y), QSize(r.right, r.bottom));
}

bool isVisible(HWND hwnd)
{
    return IsWindowVisible(hwnd);
}

bool isTopmost(HWND hwnd)
{
    return IsWindow(hwnd) && (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

bool hasRegion(HWND hwnd)
{
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    const bool has = IsWindow(hwnd) && GetWindowRgn(hwnd, rgn) != ERROR;
    DeleteObject(rgn);
    return has;
}

QRegion region(HWND hwnd)
{
    if (!IsWindow(hwnd))
        return QRegion();
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    QRegion out;
    if (GetWindowRgn(hwnd, rgn) == ERROR) {
        out = QRegion(QRect(QPoint(), windowRect(hwnd).size()));
    } else if (const DWORD size = GetRegionData(rgn, 0, nullptr)) {
        std::unique_ptr<char[]> buffer(new char[size]);
        auto *data = reinterpret_cast<RGNDATA *>(buffer.get());
        if (GetRegionData(rgn, size, data)) {
            const auto *rects = reinterpret_cast<const RECT *>(data->Buffer);
            QVector<QRect> list;
            for (DWORD i = 0; i < data->rdh.nCount; ++i)
                list.append(toQRect(rects[i]));
            out.setRects(list.constData(), list.size());
        }
    }
    DeleteObject(rgn);
    return out;
}

HWND foreground()
{
    return GetForegroundWindow();
}

QString describe(HWND hwnd)
{
    const QString handle = QStringLiteral("0x%1").arg(quintptr(hwnd), 0, 16);
    if (!IsWindow(hwnd))
        return handle + QStringLiteral(" (no window)");
    const QRect r = windowRect(hwnd);
    const QRect c = clientRect(hwnd);
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    const LONG ex = GetWindowLongW(hwnd, GWL_EXSTYLE);
    QStringList flags = win32sim::face::styleWords(IsWindowVisible(hwnd), DWORD(style), DWORD(ex));
    if (hasRegion(hwnd))
        flags << QStringLiteral("region %1 rects").arg(region(hwnd).rectCount());
    if (hwnd == GetForegroundWindow())
        flags << QStringLiteral("foreground");
    if (const HWND parent = parentOf(hwnd))
        flags << QStringLiteral("parent 0x%1").arg(quintptr(parent), 0, 16);
    if (const HWND owner = ownerOf(hwnd))
        flags << QStringLiteral("owner 0x%1").arg(quintptr(owner), 0, 16);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    flags << (pid == GetCurrentProcessId() ? QStringLiteral("own") : pid == apps().processId() ? QStringLiteral("apps")
                                                                                                : QStringLiteral("pid %1").arg(pid));
    return win32sim::face::windowLine(handle, className(hwnd), text(hwnd), r, c, flags);
}

namespace {

void dumpTree(HWND h, int depth, QStringList &out)
{
    out << QString(depth * 2, QLatin1Char(' ')) + describe(h);
    for (HWND c : childOrder(h))
        dumpTree(c, depth + 1, out);
}

} // namespace

QString dump()
{
    QStringList out;
    for (HWND h : topLevelOrder())
        dumpTree(h, 0, out);
    return out.join(QLatin1Char('\n'));
}

} // namespace win32sim
