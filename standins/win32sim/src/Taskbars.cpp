// Monitors and the taskbars that come with them: "Shell_TrayWnd" along the bottom of the
// primary monitor with the start button ("Button", "Start") above it, and a
// "Shell_SecondaryTrayWnd" along the bottom of every other monitor. They are ordinary
// topmost tool windows; the work area of each monitor leaves out its taskbar. A change of
// the monitors is told to every top-level window, as Windows tells it.
#include "State.h"

using namespace win32sim::detail;

namespace {

constexpr int kTaskbarHeight = 40;
constexpr int kStartWidth = 48;

HWND makeBar(const QString &cls, const QString &title, const QRect &r, const QColor &colour)
{
    State &s = State::get();
    s.ensureSystemClass(cls);
    const std::wstring c = cls.toStdWString();
    const std::wstring t = title.toStdWString();
    HWND h = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, c.c_str(), t.c_str(), WS_POPUP | WS_CLIPCHILDREN,
                             r.x(), r.y(), r.width(), r.height(), nullptr, nullptr, nullptr, nullptr);
    if (Window *w = s.win(h))
        w->colour = colour;
    // Shown without taking the foreground, as the shell's own windows appear.
    ShowWindow(h, SW_SHOWNA);
    return h;
}

// WM_DISPLAYCHANGE when the monitors changed (bits per pixel, the primary monitor's
// size), then WM_SETTINGCHANGE with SPI_SETWORKAREA when a work area did, as the taskbars
// set the new ones; both go to every top-level window.
void announceChanges(const std::vector<MonitorRec> &before)
{
    const std::vector<MonitorRec> &after = State::get().monitors;
    bool bDisplay = before.size() != after.size();
    bool bWork = bDisplay;
    QSize primary;
    for (size_t i = 0; i < after.size(); ++i) {
        if (after[i].primary)
            primary = after[i].rect.size();
        if (i < before.size()) {
            bDisplay = bDisplay || before[i].rect != after[i].rect || before[i].primary != after[i].primary;
            bWork = bWork || before[i].work != after[i].work;
        }
    }
    if (bDisplay)
        SendMessageW(HWND_BROADCAST, WM_DISPLAYCHANGE, 32, MAKELPARAM(primary.width(), primary.height()));
    if (bWork)
        SendMessageW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
}

} // namespace

namespace win32sim {
namespace detail {

void createTaskbars()
{
    State &s = State::get();
    ForeignThread shell(kShellThread);
    s.secondaryTrays.clear();
    s.trayWnd = nullptr;
    s.startButton = nullptr;
    for (const MonitorRec &m : s.monitors) {
        const QRect bar(m.rect.x(), m.rect.y() + m.rect.height() - kTaskbarHeight, m.rect.width(), kTaskbarHeight);
        if (m.primary) {
            s.trayWnd = makeBar(QStringLiteral("Shell_TrayWnd"), QString(), bar, QColor(0x20, 0x24, 0x2A));
            s.startButton = makeBar(QStringLiteral("Button"), QStringLiteral("Start"),
                                    QRect(bar.topLeft(), QSize(kStartWidth, kTaskbarHeight)), QColor(0x30, 0x70, 0xC0));
        } else {
            s.secondaryTrays.push_back(
                makeBar(QStringLiteral("Shell_SecondaryTrayWnd"), QString(), bar, QColor(0x20, 0x24, 0x2A)));
        }
    }
}

} // namespace detail
} // namespace win32sim

namespace win32sim {

bool setMonitors(const QVector<Monitor> &list)
{
    Lock lock(State::mutex());
    State &s = desktop();
    if (list.isEmpty())
        return false;
    const std::vector<MonitorRec> before = s.monitors;
    for (HWND h : s.secondaryTrays)
        DestroyWindow(h);
    DestroyWindow(s.startButton);
    DestroyWindow(s.trayWnd);
    s.monitors.clear();
    bool havePrimary = false;
    for (const Monitor &m : list) {
        MonitorRec r;
        r.handle = static_cast<HMONITOR>(s.newHandle());
        r.rect = m.rect.normalized();
        r.primary = m.primary && !havePrimary;
        havePrimary = havePrimary || r.primary;
        r.work = m.work.isEmpty() ? r.rect.adjusted(0, 0, 0, -kTaskbarHeight) : m.work;
        s.monitors.push_back(r);
    }
    if (!havePrimary)
        s.monitors.front().primary = true;
    QRect v;
    for (const MonitorRec &m : s.monitors)
        v = v.united(m.rect);
    if (Window *d = s.desktopWin())
        d->rect = d->client = v;
    createTaskbars();
    announceChanges(before);
    return true;
}

QVector<Monitor> monitors()
{
    Lock lock(State::mutex());
    QVector<Monitor> out;
    for (const MonitorRec &r : desktop().monitors)
        out.append(Monitor{r.rect, r.work, r.primary});
    return out;
}

HWND trayWnd()
{
    Lock lock(State::mutex());
    return desktop().trayWnd;
}

HWND secondaryTrayWnd()
{
    Lock lock(State::mutex());
    State &s = desktop();
    return s.secondaryTrays.empty() ? nullptr : s.secondaryTrays.front();
}

HWND startButton()
{
    Lock lock(State::mutex());
    return desktop().startButton;
}

void reset()
{
    Lock lock(State::mutex());
    State &s = desktop();
    // A hook left by an earlier test must not see this test's teardown.
    s.observer = nullptr;
    clearWinEvents();
    // The monitors of a new desktop, told to the windows that are still there.
    setMonitors({Monitor{QRect(0, 0, 1920, 1080), QRect(), true}});
    destroyAllWindows();
    s.queues.clear();
    s.foreground = nullptr;
    s.focus = nullptr;
    s.capture = nullptr;
    createTaskbars();
}

} // namespace win32sim
