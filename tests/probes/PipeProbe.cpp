#include "PipeProbe.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <thread>

PipeProbe::PipeProbe(QObject *pParent)
    : QObject(pParent)
{
    if (::pipe2(m_aiFds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_pNotifier = new QSocketNotifier(m_aiFds[0], QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, &PipeProbe::onReadable);
}

PipeProbe::~PipeProbe()
{
    delete m_pNotifier; // unregistered before its descriptor closes
    for (int fd : m_aiFds)
        if (fd >= 0)
            ::close(fd);
}

void PipeProbe::write(const QByteArray &data)
{
    if (m_aiFds[1] >= 0 && !data.isEmpty())
        (void)!::write(m_aiFds[1], data.constData(), size_t(data.size()));
}

void PipeProbe::writeFromThread(const QByteArray &data, int iDelayMs)
{
    // The thread owns a duplicate, so the probe may go before the thread writes.
    const int fd = m_aiFds[1] >= 0 ? ::fcntl(m_aiFds[1], F_DUPFD_CLOEXEC, 0) : -1;
    if (fd < 0)
        return;
    std::thread([fd, data, iDelayMs] {
        std::this_thread::sleep_for(std::chrono::milliseconds(iDelayMs));
        (void)!::write(fd, data.constData(), size_t(data.size()));
        ::close(fd);
    }).detach();
}

void PipeProbe::onReadable()
{
    ++m_iActivations;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(m_aiFds[0], buffer, sizeof(buffer))) > 0)
        m_received.append(buffer, int(n));
}
