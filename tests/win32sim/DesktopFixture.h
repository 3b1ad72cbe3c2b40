// A fresh desktop per test, plain windows made through the Win32 face, and a message
// log in the form "title MESSAGE details".
#pragma once

#include <win32sim/Desktop.h>

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <initializer_list>
#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QStringList &l, std::ostream *os)
{
    *os << "\n    " << l.join(QStringLiteral("\n    ")).toStdString();
}

class DesktopTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        win32sim::reset();
        static bool registered = false;
        if (!registered) {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof(wc);
            wc.lpfnWndProc = DefWindowProcW;
            wc.style = CS_DBLCLKS;
            wc.lpszClassName = L"T";
            registered = RegisterClassExW(&wc) != 0;
        }
    }
    void TearDown() override { win32sim::setMessageObserver(nullptr); }

    // For comparisons with Wine, whose headless desktop has no topmost taskbar that
    // would take part in the band rules.
    static void removeTaskbars()
    {
        DestroyWindow(win32sim::startButton());
        DestroyWindow(win32sim::trayWnd());
    }

    static HWND make(const wchar_t *title, DWORD style, int x, int y, int w, int h, HWND parent = nullptr,
                     DWORD ex = 0)
    {
        return CreateWindowExW(ex, L"T", title, style, x, y, w, h, parent, nullptr, nullptr, nullptr);
    }

    static QString name(HWND h)
    {
        if (!h)
            return QStringLiteral("0");
        if (h == HWND_TOPMOST)
            return QStringLiteral("TOPMOST");
        if (h == HWND_NOTOPMOST)
            return QStringLiteral("NOTOPMOST");
        if (h == GetDesktopWindow())
            return QStringLiteral("DESKTOP");
        const QString t = win32sim::title(h);
        return t.isEmpty() ? QStringLiteral("untitled") : t;
    }

    // The windows of class "T" from the top, topmost ones marked with '*'.
    static QString order()
    {
        QStringList out;
        for (HWND h : win32sim::topLevelOrder())
            if (win32sim::className(h) == QLatin1String("T"))
                out << name(h) + (win32sim::isTopmost(h) ? QStringLiteral("*") : QString());
        return out.join(QLatin1Char(' '));
    }

    static QString children(HWND parent)
    {
        QStringList out;
        for (HWND h : win32sim::childOrder(parent))
            out << name(h);
        return out.join(QLatin1Char(' '));
    }

    void record()
    {
        m_log.clear();
        win32sim::setMessageObserver([this](const MSG &m) { m_log << describe(m); });
    }

    QStringList takeLog()
    {
        const QStringList l = m_log;
        m_log.clear();
        return l;
    }

    static QString describe(const MSG &m);

    QStringList m_log;
};

// Flags and codes by name, as Wine's message tables write them.
inline QString swpFlags(UINT flags)
{
#define FLAG(name) {name, #name}
    // 0x0800 and 0x1000: Wine's SWP_NOCLIENTSIZE and SWP_NOCLIENTMOVE in WM_WINDOWPOSCHANGED.
    static const struct { UINT bit; const char *name; } names[] = {
        FLAG(SWP_NOSIZE), FLAG(SWP_NOMOVE), FLAG(SWP_NOZORDER), FLAG(SWP_NOREDRAW), FLAG(SWP_NOACTIVATE),
        FLAG(SWP_FRAMECHANGED), FLAG(SWP_SHOWWINDOW), FLAG(SWP_HIDEWINDOW), FLAG(SWP_NOCOPYBITS),
        FLAG(SWP_NOOWNERZORDER), FLAG(SWP_NOSENDCHANGING), {0x0800, "SWP_NOCLIENTSIZE"}, {0x1000, "SWP_NOCLIENTMOVE"},
        FLAG(SWP_DEFERERASE), FLAG(SWP_ASYNCWINDOWPOS)};
#undef FLAG
    QStringList out;
    for (const auto &n : names)
        if (flags & n.bit)
            out << QLatin1String(n.name);
    flags &= ~0x7fffu;
    if (flags || out.isEmpty())
        out << QStringLiteral("0x%1").arg(flags, 0, 16);
    return out.join(QLatin1Char('|'));
}

inline QString code(UINT value, std::initializer_list<const char *> names)
{
    return value < names.size() ? QLatin1String(names.begin()[value]) : QString::number(value);
}

inline QString DesktopTest::describe(const MSG &m)
{
    const QString who = name(m.hwnd);
    auto words = [](LPARAM l) { return QStringLiteral("%1,%2").arg(short(LOWORD(l))).arg(short(HIWORD(l))); };
    switch (m.message) {
    case WM_NCCREATE: return who + QStringLiteral(" WM_NCCREATE");
    case WM_CREATE: return who + QStringLiteral(" WM_CREATE");
    case WM_DESTROY: return who + QStringLiteral(" WM_DESTROY");
    case WM_NCDESTROY: return who + QStringLiteral(" WM_NCDESTROY");
    case WM_SHOWWINDOW: return who + QStringLiteral(" WM_SHOWWINDOW %1").arg(m.wParam ? "TRUE" : "FALSE");
    case WM_MOVE: return who + QStringLiteral(" WM_MOVE ") + words(m.lParam);
    case WM_SIZE:
        return who + QStringLiteral(" WM_SIZE ")
            + code(UINT(m.wParam), {"SIZE_RESTORED", "SIZE_MINIMIZED", "SIZE_MAXIMIZED"}) + ' ' + words(m.lParam);
    case WM_ACTIVATE:
        return who + QStringLiteral(" WM_ACTIVATE ") + code(LOWORD(m.wParam), {"WA_INACTIVE", "WA_ACTIVE", "WA_CLICKACTIVE"})
            + ' ' + name(HWND(m.lParam));
    case WM_SETFOCUS: return who + QStringLiteral(" WM_SETFOCUS");
    case WM_KILLFOCUS: return who + QStringLiteral(" WM_KILLFOCUS");
    case WM_CHILDACTIVATE: return who + QStringLiteral(" WM_CHILDACTIVATE");
    case WM_PARENTNOTIFY:
        return who + QStringLiteral(" WM_PARENTNOTIFY ")
            + (LOWORD(m.wParam) == WM_CREATE ? QStringLiteral("WM_CREATE")
               : LOWORD(m.wParam) == WM_DESTROY ? QStringLiteral("WM_DESTROY") : QString::number(LOWORD(m.wParam)));
    case WM_LBUTTONDOWN: return who + QStringLiteral(" WM_LBUTTONDOWN ") + words(m.lParam);
    case WM_LBUTTONUP: return who + QStringLiteral(" WM_LBUTTONUP ") + words(m.lParam);
    case WM_LBUTTONDBLCLK: return who + QStringLiteral(" WM_LBUTTONDBLCLK ") + words(m.lParam);
    case WM_MOUSEWHEEL:
        return who + QStringLiteral(" WM_MOUSEWHEEL %1 ").arg(short(HIWORD(m.wParam))) + words(m.lParam);
    case WM_DISPLAYCHANGE:
        return who + QStringLiteral(" WM_DISPLAYCHANGE %1 %2x%3").arg(m.wParam).arg(LOWORD(m.lParam)).arg(HIWORD(m.lParam));
    case WM_SETTINGCHANGE:
        return who + QStringLiteral(" WM_SETTINGCHANGE ")
            + (m.wParam == SPI_SETWORKAREA ? QStringLiteral("SPI_SETWORKAREA") : QString::number(m.wParam));
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED: {
        const auto *p = reinterpret_cast<const WINDOWPOS *>(m.lParam);
        return who + (m.message == WM_WINDOWPOSCHANGING ? QStringLiteral(" CHANGING ") : QStringLiteral(" CHANGED "))
            + QStringLiteral("%1 %2,%3 %4x%5 ").arg(name(p->hwndInsertAfter)).arg(p->x).arg(p->y).arg(p->cx).arg(p->cy)
            + swpFlags(p->flags);
    }
    default:
        return QString();   // left out below
    }
}

// The log without the messages this file does not name.
inline QStringList named(const QStringList &log)
{
    QStringList out;
    for (const QString &l : log)
        if (!l.isEmpty())
            out << l;
    return out;
}
