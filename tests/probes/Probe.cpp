#include "Probe.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QThread>
#include <QTimerEvent>

#include <uv.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <thread>

Probe::~Probe()
{
    stopTicking();
    delete m_pNotifier;   // unregistered before its descriptor closes
    for (int fd : m_aiFds)
        if (fd >= 0)
            ::close(fd);
}

void Probe::post()
{
    QCoreApplication::postEvent(this, new QEvent(kProbeEvent));
}

void Probe::customEvent(QEvent *pEvent)
{
    if (pEvent->type() == kProbeEvent)
        ++m_iReceived;
}

void Probe::startTicking(int iInterval, Qt::TimerType type, std::function<void()> fnTick)
{
    m_iInterval = iInterval;
    m_fnTick = std::move(fnTick);
    m_ticksNs.reserve(4096);
    m_uStartNs = uv_hrtime();
    m_iTimerId = startTimer(iInterval, type);
}

void Probe::stopTicking()
{
    if (m_iTimerId > 0)
        killTimer(m_iTimerId);
    m_iTimerId = 0;
}

int Probe::remainingTime() const
{
    QAbstractEventDispatcher *pDispatcher = QAbstractEventDispatcher::instance();
    return m_iTimerId > 0 && pDispatcher ? pDispatcher->remainingTime(m_iTimerId) : -1;
}

void Probe::timerEvent(QTimerEvent *pEvent)
{
    if (pEvent->timerId() != m_iTimerId)
        return;
    m_ticksNs.push_back(uv_hrtime());
    if (QThread::currentThread() != QCoreApplication::instance()->thread())
        ++m_iForeignThreadTicks;
    if (m_fnTick)
        m_fnTick();
}

bool Probe::openPipe()
{
    if (::pipe2(m_aiFds, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    m_pNotifier = new QSocketNotifier(m_aiFds[0], QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, [this] {
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(m_aiFds[0], buffer, sizeof(buffer))) > 0)
            m_pipeReceived.append(buffer, int(n));
    });
    return true;
}

void Probe::write(const QByteArray &data, int iDelayMs)
{
    if (iDelayMs < 0) {
        (void)!::write(m_aiFds[1], data.constData(), size_t(data.size()));
        return;
    }
    // The thread owns a duplicate, so the probe may go before the thread writes.
    const int fd = ::fcntl(m_aiFds[1], F_DUPFD_CLOEXEC, 0);
    if (fd < 0)
        return;
    std::thread([fd, data, iDelayMs] {
        std::this_thread::sleep_for(std::chrono::milliseconds(iDelayMs));
        (void)!::write(fd, data.constData(), size_t(data.size()));
        ::close(fd);
    }).detach();
}
