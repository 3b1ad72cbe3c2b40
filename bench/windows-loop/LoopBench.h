#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <atomic>
#include <thread>
#include <vector>

class QTimer;
class QWidget;

// What a loop does for Qt on Windows, measured the same way whichever loop serves it
// (Qt's own exec(), or the shell on Node's loop): a 15 ms coarse timer's lateness, the
// process's CPU time while idle with a tool window shown, and the time from a mouse
// message posted by another thread to the widget's event. Phases run one after the other
// from Qt timers; finished() carries the result as JSON.
class LoopBench : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        int iTimerSeconds = 10;
        int iIdleSeconds = 5;
        int iMouseMessages = 200;
    };

    explicit LoopBench(const Options &options, QObject *pParent = nullptr);
    ~LoopBench() override;

    void start();
    bool isDone() const { return !m_strResult.isEmpty(); }
    QString result() const { return m_strResult; }
    // The whole run, for a caller that must stay alive that long.
    int expectedMs() const;

signals:
    void finished(const QString &strJson);

private:
    class MouseWidget;
    void startIdle();
    void startMouse();
    void finish();
    void onMouseMove();
    qint64 nowNs() const { return m_clock.nsecsElapsed(); }

    Options m_options;
    QElapsedTimer m_clock;
    QWidget *m_pWidget = nullptr;
    QTimer *m_pTicker = nullptr;
    qint64 m_iTimerStartNs = 0;
    std::vector<qint64> m_ticksNs;
    qint64 m_iIdleStartNs = 0;
    qint64 m_iIdleStartCpu100ns = 0;
    double m_dIdleCpuPercent = -1;
    std::thread m_poster;
    std::atomic<qint64> m_iPostedNs{0};
    std::atomic<int> m_iMovesPosted{0};
    std::atomic<int> m_iMovesWaiting{0};   // posted while the one before was not handled yet
    std::atomic<bool> m_bStopPosting{false};
    std::vector<qint64> m_mouseDelaysNs;
    int m_iMovesReceived = 0;
    QString m_strResult;
};
