#include "UvEventDispatcher.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QtCore/private/qabstracteventdispatcher_p.h>
#include <QtCore/private/qthread_p.h>
#include <qpa/qwindowsysteminterface.h>

#if defined(SHELL_DESKTOP) || defined(_WIN32)
#define SHELL_WIN32_QUEUE
#include <windows.h>
#endif
#ifdef SHELL_DESKTOP
#include <win32sim/Desktop.h>
#endif
#ifdef _WIN32
#include "UvMessageWait.h"
#endif

namespace {

#ifdef SHELL_WIN32_QUEUE
// Left in the queue while Qt excludes user input, as Qt's Windows dispatcher leaves them.
bool isUserInput(UINT message)
{
    return (message >= 0x0100 && message <= 0x0109)     // WM_KEYFIRST..WM_KEYLAST
           || (message >= 0x0200 && message <= 0x020E);  // WM_MOUSEFIRST..WM_MOUSELAST
}
#endif

} // namespace

UvEventDispatcher::UvEventDispatcher(uv_loop_t *pLoop, QObject *pParent)
    : QAbstractEventDispatcher(pParent)
    , m_timers(pLoop)
    , m_sockets(pLoop)
{
    m_pWake = new uv_async_t;
    uv_async_init(pLoop, m_pWake, onWake);
    m_pWake->data = this;
    uv_unref(reinterpret_cast<uv_handle_t *>(m_pWake));
    // The loop runs due timers before it looks for a wake-up; on Windows timer messages
    // come after posted messages and input, so a tick never overtakes a queued click.
    m_timers.setBeforeFiring([this] { sendQueued(QEventLoop::AllEvents); });
#ifdef SHELL_WIN32_QUEUE
    m_uThreadId = GetCurrentThreadId();
#endif
#ifdef _WIN32
    m_pMessageWait = new UvMessageWait(pLoop, [this] { serveWake(); });
    if (m_pMessageWait->isAttached())
        m_pMessageWait->watchTicks(m_timers.useFineTicks(), [this] { m_timers.serveTicks(); });
    // Qt's own dispatcher posts these ticks as events: they follow the posted events
    // before them, not the thread's messages.
    m_timers.setBeforeTicks([] { QCoreApplication::sendPostedEvents(); });
#elif defined(SHELL_DESKTOP)
    win32sim::setQueueWake(m_uThreadId, [this] { wakeUp(); });
#endif
}

UvEventDispatcher::~UvEventDispatcher()
{
    detach();
#ifdef _WIN32
    delete m_pMessageWait;
#endif
}

void UvEventDispatcher::setGuard(DispatchGuard guard)
{
    m_guard = guard;
    m_timers.setGuard(guard);
    m_sockets.setGuard(std::move(guard));
}

bool UvEventDispatcher::processFromScript(QEventLoop::ProcessEventsFlags flags)
{
    bool bDone = processEvents(flags);
    if (atTopLevel())
        sendDeferredDeletes();
    return bDone;
}

bool UvEventDispatcher::atTopLevel() const
{
    const QThreadData *pData = QThreadData::get2(thread());
    return pData->loopLevel + pData->scopeLevel == 0;
}

void UvEventDispatcher::detach()
{
    if (m_bDetached)
        return;
    m_bDetached = true;
#ifdef _WIN32
    m_pMessageWait->detach();
#elif defined(SHELL_DESKTOP)
    // Before the wake lock: the desktop calls the wake-up inside its own lock.
    win32sim::setQueueWake(m_uThreadId, nullptr);
#endif
    m_timers.detach();
    m_sockets.detach();
    std::lock_guard<std::mutex> lock(m_wakeMutex);
    uv_close(reinterpret_cast<uv_handle_t *>(m_pWake), onWakeClosed);
    m_pWake = nullptr;
}

bool UvEventDispatcher::processEvents(QEventLoop::ProcessEventsFlags flags)
{
    if (flags & QEventLoop::EventLoopExec)
        refuseNestedLoop();
    m_bInterrupted = false;
    emit awake();

    // Node's loop is not ours to run here: what is ready now is served, nothing waits.
    bool bDone = sendQueued(flags);
    if (!m_bInterrupted && !(flags & QEventLoop::ExcludeSocketNotifiers))
        bDone |= m_sockets.pollNow();
    if (!m_bInterrupted)
        bDone |= m_timers.fireDue();
    return bDone;
}

bool UvEventDispatcher::sendQueued(QEventLoop::ProcessEventsFlags flags)
{
    const uint uPosted = qGlobalPostedEventsCount();
    if (uPosted)
        QCoreApplication::sendPostedEvents();
    bool bDone = uPosted > 0;
    if (!m_bInterrupted)
        bDone |= sendWindowMessages(flags);
    // Platform events are queued by the platform plugin and only sent from here.
    if (qGuiApp)
        bDone |= QWindowSystemInterface::sendWindowSystemEvents(flags);
    return bDone;
}

bool UvEventDispatcher::sendWindowMessages(QEventLoop::ProcessEventsFlags flags)
{
    bool bDone = false;
#ifdef SHELL_WIN32_QUEUE
    MSG msg;
    // Reading delivers the WinEvents waiting for this thread's hooks. Input to be left in
    // the queue needs a look first; otherwise one call a message (each is a trip to the
    // window server).
    const bool bLookFirst = flags & QEventLoop::ExcludeUserInputEvents;
    while (!m_bInterrupted) {
        if (bLookFirst
            && (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE) || isUserInput(msg.message)))
            break;
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            break;
        bDone = true;
        if (msg.message == WM_QUIT) {
            if (QCoreApplication::instance())
                QCoreApplication::quit();
            break;
        }
        if (!filterNativeEvent(QByteArrayLiteral("windows_generic_MSG"), &msg, nullptr)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
#else
    Q_UNUSED(flags)
#endif
    return bDone;
}

bool UvEventDispatcher::hasPendingEvents()
{
    return qGlobalPostedEventsCount() > 0 || QWindowSystemInterface::windowSystemEventsQueued() > 0;
}

void UvEventDispatcher::registerSocketNotifier(QSocketNotifier *pNotifier)
{
    m_sockets.registerNotifier(pNotifier);
}

void UvEventDispatcher::unregisterSocketNotifier(QSocketNotifier *pNotifier)
{
    m_sockets.unregisterNotifier(pNotifier);
}

void UvEventDispatcher::registerTimer(int iTimerId, int iInterval, Qt::TimerType timerType, QObject *pObject)
{
    m_timers.registerTimer(iTimerId, iInterval, timerType, pObject);
}

bool UvEventDispatcher::unregisterTimer(int iTimerId)
{
    return m_timers.unregisterTimer(iTimerId);
}

bool UvEventDispatcher::unregisterTimers(QObject *pObject)
{
    return m_timers.unregisterTimers(pObject);
}

QList<QAbstractEventDispatcher::TimerInfo> UvEventDispatcher::registeredTimers(QObject *pObject) const
{
    return m_timers.registeredTimers(pObject);
}

int UvEventDispatcher::remainingTime(int iTimerId)
{
    return m_timers.remainingTime(iTimerId);
}

#ifdef _WIN32
bool UvEventDispatcher::registerEventNotifier(QWinEventNotifier *)
{
    qWarning("shell: QWinEventNotifier is not served on Node's event loop");
    return false;
}

void UvEventDispatcher::unregisterEventNotifier(QWinEventNotifier *)
{
}
#endif

void UvEventDispatcher::wakeUp()
{
    std::lock_guard<std::mutex> lock(m_wakeMutex);
    if (m_pWake)
        uv_async_send(m_pWake);
}

void UvEventDispatcher::interrupt()
{
    m_bInterrupted = true;
    wakeUp();
}

void UvEventDispatcher::flush()
{
}

void UvEventDispatcher::onWake(uv_async_t *pAsync)
{
    static_cast<UvEventDispatcher *>(pAsync->data)->serveWake();
}

void UvEventDispatcher::serveWake()
{
    runGuarded(m_guard, [this] {
        emit awake();
        // Posted events, the thread's Win32 queue (and the WinEvents its reading
        // delivers) until empty, then the platform's events.
        sendQueued(QEventLoop::AllEvents);
        // deleteLater() called outside any Qt event waits for an explicit request.
        if (atTopLevel())
            sendDeferredDeletes();
        emit aboutToBlock();
    });
}

void UvEventDispatcher::onWakeClosed(uv_handle_t *pHandle)
{
    delete reinterpret_cast<uv_async_t *>(pHandle);
}

void UvEventDispatcher::sendDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void UvEventDispatcher::refuseNestedLoop()
{
    QThreadData *pData = QThreadData::get2(thread());
    if (pData->eventLoops.isEmpty())
        return;
    qWarning("shell: a nested event loop (QEventLoop::exec) cannot block inside Node's event "
             "loop; it returns at once");
    pData->eventLoops.top()->exit(-1);
}
