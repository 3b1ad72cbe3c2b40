#include "UvSocketNotifiers.h"

#include <QCoreApplication>
#include <QEvent>
#include <QtDebug>

#ifdef _WIN32
#include <winsock2.h>
#else
#include <poll.h>
#endif

#include <vector>

namespace {

// Qt's notifiers watch descriptors on Unix, sockets on Windows.
#ifdef _WIN32
using PollFd = WSAPOLLFD;
int pollReady(PollFd *pFds, size_t count) { return WSAPoll(pFds, ULONG(count), 0); }
int initPoll(uv_loop_t *pLoop, uv_poll_t *pPoll, qintptr fd) { return uv_poll_init_socket(pLoop, pPoll, uv_os_sock_t(fd)); }
#else
using PollFd = pollfd;
int pollReady(PollFd *pFds, size_t count) { return ::poll(pFds, count, 0); }
int initPoll(uv_loop_t *pLoop, uv_poll_t *pPoll, qintptr fd) { return uv_poll_init(pLoop, pPoll, int(fd)); }
#endif

} // namespace

struct UvSocketNotifiers::Handle
{
    uv_poll_t poll;
    UvSocketNotifiers *pOwner;
    qintptr fd;
};

UvSocketNotifiers::UvSocketNotifiers(uv_loop_t *pLoop)
    : m_pLoop(pLoop)
{
}

UvSocketNotifiers::~UvSocketNotifiers()
{
    detach();
    qDeleteAll(m_mapWatches);
}

void UvSocketNotifiers::registerNotifier(QSocketNotifier *pNotifier)
{
    const qintptr fd = pNotifier ? pNotifier->socket() : -1;
    const int iType = pNotifier ? int(pNotifier->type()) : -1;
    if (fd < 0 || iType < 0 || iType > 2)
        return;
    Watch *pWatch = m_mapWatches.value(fd);
    if (!pWatch) {
        pWatch = new Watch;
        pWatch->fd = fd;
        m_mapWatches.insert(fd, pWatch);
    }
    if (pWatch->apNotifiers[iType] && pWatch->apNotifiers[iType] != pNotifier)
        qWarning("QSocketNotifier: Multiple socket notifiers for same socket %d and type %d",
                 int(fd), iType);
    pWatch->apNotifiers[iType] = pNotifier;
    update(pWatch);
}

void UvSocketNotifiers::unregisterNotifier(QSocketNotifier *pNotifier)
{
    const qintptr fd = pNotifier ? pNotifier->socket() : -1;
    Watch *pWatch = m_mapWatches.value(fd);
    if (!pWatch)
        return;
    for (QSocketNotifier *&pSlot : pWatch->apNotifiers)
        if (pSlot == pNotifier)
            pSlot = nullptr;
    update(pWatch);
}

bool UvSocketNotifiers::pollNow()
{
    std::vector<PollFd> fds;
    fds.reserve(size_t(m_mapWatches.size()));
    for (const Watch *pWatch : qAsConst(m_mapWatches)) {
        short events = 0;
        if (pWatch->apNotifiers[QSocketNotifier::Read])
            events |= POLLIN;
        if (pWatch->apNotifiers[QSocketNotifier::Write])
            events |= POLLOUT;
        if (pWatch->apNotifiers[QSocketNotifier::Exception])
            events |= POLLPRI;
        fds.push_back({decltype(PollFd::fd)(pWatch->fd), events, 0});
    }
    if (fds.empty() || pollReady(fds.data(), fds.size()) <= 0)
        return false;
    bool bActivated = false;
    for (const PollFd &p : fds) {
        if (!p.revents || (p.revents & POLLNVAL))
            continue;
        bActivated |= activate(qintptr(p.fd), p.revents & (POLLIN | POLLHUP | POLLERR),
                               p.revents & (POLLOUT | POLLERR), p.revents & POLLPRI);
    }
    return bActivated;
}

void UvSocketNotifiers::detach()
{
    for (Watch *pWatch : qAsConst(m_mapWatches))
        closeHandle(pWatch);
    m_pLoop = nullptr;
}

void UvSocketNotifiers::onPoll(uv_poll_t *pPoll, int iStatus, int iEvents)
{
    auto *pHandle = static_cast<Handle *>(pPoll->data);
    UvSocketNotifiers *pSelf = pHandle->pOwner;
    const qintptr fd = pHandle->fd;
    // On an error the loop has stopped the poll; readers and writers see the error
    // themselves, as with poll(2)'s POLLERR.
    const bool bError = iStatus < 0;
    const bool bRead = bError || (iEvents & (UV_READABLE | UV_DISCONNECT));
    const bool bWrite = bError || (iEvents & UV_WRITABLE);
    const bool bException = iEvents & UV_PRIORITIZED;
    runGuarded(pSelf->m_guard, [=] { pSelf->activate(fd, bRead, bWrite, bException); });
}

void UvSocketNotifiers::onClosed(uv_handle_t *pHandle)
{
    delete static_cast<Handle *>(pHandle->data);
}

void UvSocketNotifiers::update(Watch *pWatch)
{
    int iEvents = 0;
    if (pWatch->apNotifiers[QSocketNotifier::Read])
        iEvents |= UV_READABLE;
    if (pWatch->apNotifiers[QSocketNotifier::Write])
        iEvents |= UV_WRITABLE;
    if (pWatch->apNotifiers[QSocketNotifier::Exception])
        iEvents |= UV_PRIORITIZED;

    if (!iEvents) {
        closeHandle(pWatch);
        m_mapWatches.remove(pWatch->fd);
        delete pWatch;
        return;
    }
    if (!m_pLoop || pWatch->bUnpollable)
        return;
    if (!pWatch->pHandle) {
        auto *pHandle = new Handle{};
        pHandle->pOwner = this;
        pHandle->fd = pWatch->fd;
        const int iErr = initPoll(m_pLoop, &pHandle->poll, pWatch->fd);
        if (iErr) {
            qWarning("shell: socket notifier on descriptor %d cannot be served by the loop: %s",
                     int(pWatch->fd), uv_strerror(iErr));
            delete pHandle;
            pWatch->bUnpollable = true;
            return;
        }
        pHandle->poll.data = pHandle;
        uv_unref(reinterpret_cast<uv_handle_t *>(&pHandle->poll));
        pWatch->pHandle = pHandle;
    }
    uv_poll_start(&pWatch->pHandle->poll, iEvents, onPoll);
}

void UvSocketNotifiers::closeHandle(Watch *pWatch)
{
    if (Handle *pHandle = pWatch->pHandle) {
        uv_poll_stop(&pHandle->poll);
        uv_close(reinterpret_cast<uv_handle_t *>(&pHandle->poll), onClosed);
        pWatch->pHandle = nullptr;
    }
}

bool UvSocketNotifiers::activate(qintptr fd, bool bRead, bool bWrite, bool bException)
{
    const bool abWanted[3] = {bRead, bWrite, bException};
    bool bActivated = false;
    for (int iType = 0; iType < 3; ++iType) {
        if (!abWanted[iType])
            continue;
        // Each activation may unregister notifiers of this descriptor, or all of them.
        const Watch *pWatch = m_mapWatches.value(fd);
        if (!pWatch)
            break;
        QSocketNotifier *pNotifier = pWatch->apNotifiers[iType];
        if (!pNotifier)
            continue;
        QEvent event(QEvent::SockAct);
        QCoreApplication::sendEvent(pNotifier, &event);
        bActivated = true;
    }
    return bActivated;
}
