#include "LoopBench.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include <windows.h>

#include <algorithm>
#include <chrono>

namespace {

constexpr int kInterval = 15;
constexpr int kMouseSpacingMs = 20;

qint64 processCpu100ns()
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return 0;
    auto value = [](const FILETIME &ft) { return (qint64(ft.dwHighDateTime) << 32) | ft.dwLowDateTime; };
    return value(kernel) + value(user);
}

QJsonObject stats(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    auto at = [&values](double q) {
        return values[std::min(values.size() - 1, size_t(q * double(values.size())))];
    };
    if (values.empty())
        return QJsonObject{{"n", 0}};
    return QJsonObject{{"n", int(values.size())}, {"median", at(0.5)}, {"p99", at(0.99)},
                       {"min", values.front()}, {"max", values.back()}};
}

QJsonArray toArray(const std::vector<double> &values)
{
    QJsonArray array;
    for (double value : values)
        array.append(value);
    return array;
}

// Moves as the loop takes them from the queue, before Qt reads them.
struct MoveCounter : QAbstractNativeEventFilter
{
    int iMoves = 0;
    bool nativeEventFilter(const QByteArray &, void *pMessage, long *) override
    {
        if (static_cast<MSG *>(pMessage)->message == WM_MOUSEMOVE)
            ++iMoves;
        return false;
    }
};
MoveCounter s_moveCounter;

} // namespace

class LoopBench::MouseWidget : public QWidget
{
public:
    explicit MouseWidget(LoopBench *pBench)
        : QWidget(nullptr, Qt::Tool)
        , m_pBench(pBench)
    {
        setMouseTracking(true);
    }

protected:
    void mouseMoveEvent(QMouseEvent *) override { m_pBench->onMouseMove(); }

private:
    LoopBench *m_pBench;
};

LoopBench::LoopBench(const Options &options, QObject *pParent)
    : QObject(pParent)
    , m_options(options)
{
    m_clock.start();
    m_ticksNs.reserve(size_t(options.iTimerSeconds) * 1000 / kInterval + 16);
}

LoopBench::~LoopBench()
{
    m_bStopPosting = true;
    if (m_poster.joinable())
        m_poster.join();
    delete m_pWidget;
}

int LoopBench::expectedMs() const
{
    return m_options.iTimerSeconds * 1000 + m_options.iIdleSeconds * 1000
           + m_options.iMouseMessages * kMouseSpacingMs * 11 / 10 + 1000;
}

void LoopBench::start()
{
    m_pWidget = new MouseWidget(this);
    m_pWidget->setGeometry(100, 100, 200, 120);
    m_pWidget->show();
    m_pTicker = new QTimer(this);
    m_pTicker->setTimerType(Qt::CoarseTimer);
    m_pTicker->setInterval(kInterval);
    connect(m_pTicker, &QTimer::timeout, this, [this] {
        m_ticksNs.push_back(nowNs());
        if (nowNs() - m_iTimerStartNs >= qint64(m_options.iTimerSeconds) * 1000000000) {
            m_pTicker->stop();
            startIdle();
        }
    });
    m_iTimerStartNs = nowNs();
    m_pTicker->start();
}

void LoopBench::startIdle()
{
    // One timer ends the idle phase; nothing else is due until then.
    m_iIdleStartNs = nowNs();
    m_iIdleStartCpu100ns = processCpu100ns();
    QTimer::singleShot(m_options.iIdleSeconds * 1000, this, [this] {
        const double dWallNs = double(nowNs() - m_iIdleStartNs);
        m_dIdleCpuPercent = double(processCpu100ns() - m_iIdleStartCpu100ns) * 100.0 * 100.0 / dWallNs;
        startMouse();
    });
}

void LoopBench::startMouse()
{
    const HWND hWnd = reinterpret_cast<HWND>(m_pWidget->winId());
    // Qt takes a move without buttons as the mouse entering only when the cursor is over
    // the window: it is put there first.
    const QPoint centre = m_pWidget->geometry().center();
    SetCursorPos(centre.x(), centre.y());
    s_moveCounter.iMoves = 0;   // counted anew in each round of the same process
    QCoreApplication::instance()->installNativeEventFilter(&s_moveCounter);
    m_mouseDelaysNs.reserve(size_t(m_options.iMouseMessages));
    const int iCount = m_options.iMouseMessages;
    m_poster = std::thread([this, hWnd, iCount] {
        for (int i = 0; i < iCount && !m_bStopPosting; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(kMouseSpacingMs));
            // A new point each time: Qt drops a move to where the mouse already is.
            const LPARAM lParam = MAKELPARAM(10 + (i % 50), 10 + (i % 2));
            // The move before still not handled: the loop took more than the spacing.
            if (m_iPostedNs.exchange(nowNs()) != 0)
                ++m_iMovesWaiting;
            PostMessageW(hWnd, WM_MOUSEMOVE, 0, lParam);
            ++m_iMovesPosted;
        }
        // Sleeps overshoot: the end is counted from the last move, not from the start.
        QMetaObject::invokeMethod(
            this, [this] { QTimer::singleShot(500, this, &LoopBench::finish); }, Qt::QueuedConnection);
    });
}

void LoopBench::onMouseMove()
{
    ++m_iMovesReceived;
    const qint64 iPosted = m_iPostedNs.exchange(0);
    if (iPosted > 0)
        m_mouseDelaysNs.push_back(nowNs() - iPosted);
}

void LoopBench::finish()
{
    m_bStopPosting = true;
    if (m_poster.joinable())
        m_poster.join();
    QCoreApplication::instance()->removeNativeEventFilter(&s_moveCounter);
    // Against the timer's own schedule, as bench/timing.js measures it.
    std::vector<double> lateness;
    qint64 iDue = m_iTimerStartNs + qint64(kInterval) * 1000000;
    for (qint64 iTick : m_ticksNs) {
        lateness.push_back(double(iTick - iDue) / 1e6);
        iDue += qint64(kInterval) * 1000000;
        if (iDue <= iTick)
            iDue = iTick + qint64(kInterval) * 1000000;
    }
    std::vector<double> mouse;
    for (qint64 iNs : m_mouseDelaysNs)
        mouse.push_back(double(iNs) / 1e6);
    const QJsonObject result{
        {"timerLatenessMs", stats(lateness)},
        {"idleCpuPercent", m_dIdleCpuPercent},
        {"mouseMessageMs", stats(mouse)},
        {"mousePosted", m_iMovesPosted.load()},
        {"mouseReceived", m_iMovesReceived},
        {"mouseTaken", s_moveCounter.iMoves},
        {"mouseStillWaiting", m_iMovesWaiting.load()},
        // The samples themselves, pooled by the script over rounds.
        {"timerLatenessSamples", toArray(lateness)},
        {"mouseMessageSamples", toArray(mouse)},
    };
    m_strResult = QString::fromUtf8(QJsonDocument(result).toJson(QJsonDocument::Compact));
    m_pWidget->hide();
    emit finished(m_strResult);
}
