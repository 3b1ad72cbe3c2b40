#pragma once

#include <QByteArray>
#include <QEvent>
#include <QObject>

#include <cstdint>
#include <functional>
#include <vector>

class QSocketNotifier;

// A Qt object that shows how the loop serves Qt: it counts the events posted to it,
// records when its timer ticks (uv_hrtime clock) and on which thread, and reads a pipe
// through a socket notifier, whose writes may come from another thread after a delay.
class Probe : public QObject
{
    Q_OBJECT

public:
    static constexpr QEvent::Type kProbeEvent = QEvent::Type(QEvent::User + 1);

    ~Probe() override;

    void post();
    int received() const { return m_iReceived; }

    void startTicking(int iInterval, Qt::TimerType type, std::function<void()> fnTick);
    void stopTicking();
    int remainingTime() const;
    int interval() const { return m_iInterval; }
    uint64_t startNs() const { return m_uStartNs; }
    const std::vector<uint64_t> &ticksNs() const { return m_ticksNs; }
    int foreignThreadTicks() const { return m_iForeignThreadTicks; }

    bool openPipe();
    void write(const QByteArray &data, int iDelayMs);   // a delay: from another thread
    QByteArray pipeReceived() const { return m_pipeReceived; }

protected:
    void customEvent(QEvent *pEvent) override;
    void timerEvent(QTimerEvent *pEvent) override;

private:
    int m_iReceived = 0;
    int m_iInterval = 0;
    int m_iTimerId = 0;
    uint64_t m_uStartNs = 0;
    std::vector<uint64_t> m_ticksNs;
    int m_iForeignThreadTicks = 0;
    std::function<void()> m_fnTick;
    int m_aiFds[2] = {-1, -1};
    QSocketNotifier *m_pNotifier = nullptr;
    QByteArray m_pipeReceived;
};
