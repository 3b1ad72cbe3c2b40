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

    void record()
    {
        m_log.clear();
        win32sim::setMessageObserver([this](const MSG &m) {
            const QString text = describe(m);
            if (!text.isEmpty())
                m_log << text;
        });
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

inline QString code(UINT value, std::initializer_list<const char *> names)
{
    return value < names.size() ? QLatin1String(names.begin()[value]) : QString::number(value);
}

// The messages the tests look for, as Wine's message tables write them; others are left out.
inline QString DesktopTest::describe(const MSG &m)
{
    const QString who = name(m.hwnd);
    auto words = [](LPARAM l) { return QStringLiteral("%1,%2").arg(short(LOWORD(l))).arg(short(HIWORD(l))); };
    switch (m.message) {
    case WM_ACTIVATE:
        return who + QStringLiteral(" WM_ACTIVATE ") + code(LOWORD(m.wParam), {"WA_INACTIVE", "WA_ACTIVE", "WA_CLICKACTIVE"})
            + ' ' + name(HWND(m.lParam));
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
    default:
        return QString();
    }
}
