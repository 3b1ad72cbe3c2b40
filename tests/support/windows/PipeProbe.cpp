// The probes' pipe on Windows: Qt's socket notifiers watch sockets there, so the "pipe" is
// a connected pair of loopback TCP sockets (the descriptors hold the socket handles).
#include "PipeProbe.h"

#include <QSocketNotifier>

#include <winsock2.h>

#include <chrono>
#include <thread>

namespace {

bool socketPair(SOCKET *pRead, SOCKET *pWrite)
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int iLen = sizeof(addr);
    *pRead = *pWrite = INVALID_SOCKET;
    if (listener != INVALID_SOCKET && bind(listener, reinterpret_cast<sockaddr *>(&addr), sizeof(addr)) == 0
        && getsockname(listener, reinterpret_cast<sockaddr *>(&addr), &iLen) == 0 && listen(listener, 1) == 0) {
        *pWrite = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        if (*pWrite != INVALID_SOCKET && connect(*pWrite, reinterpret_cast<sockaddr *>(&addr), sizeof(addr)) == 0)
            *pRead = accept(listener, nullptr, nullptr);
    }
    if (listener != INVALID_SOCKET)
        closesocket(listener);
    if (*pRead == INVALID_SOCKET) {
        if (*pWrite != INVALID_SOCKET)
            closesocket(*pWrite);
        return false;
    }
    u_long uNonBlocking = 1;
    ioctlsocket(*pRead, FIONBIO, &uNonBlocking);
    return true;
}

} // namespace

PipeProbe::PipeProbe(QObject *pParent)
    : QObject(pParent)
{
    SOCKET read, write;
    if (!socketPair(&read, &write))
        return;
    m_aiFds[0] = int(read);
    m_aiFds[1] = int(write);
    m_pNotifier = new QSocketNotifier(qintptr(read), QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, &PipeProbe::onReadable);
}

PipeProbe::~PipeProbe()
{
    delete m_pNotifier; // unregistered before its socket closes
    for (int fd : m_aiFds)
        if (fd >= 0)
            closesocket(SOCKET(fd));
}

void PipeProbe::write(const QByteArray &data)
{
    if (m_aiFds[1] >= 0 && !data.isEmpty())
        send(SOCKET(m_aiFds[1]), data.constData(), data.size(), 0);
}

void PipeProbe::writeFromThread(const QByteArray &data, int iDelayMs)
{
    // The thread writes on the probe's own socket: a probe gone by then makes it fail.
    const int fd = m_aiFds[1];
    if (fd < 0)
        return;
    std::thread([fd, data, iDelayMs] {
        std::this_thread::sleep_for(std::chrono::milliseconds(iDelayMs));
        send(SOCKET(fd), data.constData(), data.size(), 0);
    }).detach();
}

void PipeProbe::onReadable()
{
    ++m_iActivations;
    char buffer[4096];
    int n;
    while ((n = recv(SOCKET(m_aiFds[0]), buffer, sizeof(buffer), 0)) > 0)
        m_received.append(buffer, n);
}
