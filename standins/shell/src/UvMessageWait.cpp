#include "UvMessageWait.h"

#include <QtGlobal>

#include <windows.h>

UvMessageWait::UvMessageWait(uv_loop_t *pLoop, std::function<void()> fnServe)
    : m_pLoop(pLoop)
    , m_fnServe(std::move(fnServe))
{
    m_hArm = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    m_hCompleted = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (m_hArm && m_hCompleted)
        m_hWatcher = CreateThread(nullptr, 64 * 1024, watch, this, 0, nullptr);
    if (!m_hWatcher) {
        qWarning("shell: no watcher of the event loop's port; window messages are served on wake-ups only");
        detach();
        return;
    }
    m_pPrepare = new uv_prepare_t;
    uv_prepare_init(pLoop, m_pPrepare);
    m_pPrepare->data = this;
    uv_prepare_start(m_pPrepare, onPrepare);
    uv_unref(reinterpret_cast<uv_handle_t *>(m_pPrepare));
    m_pIdle = new uv_idle_t;
    uv_idle_init(pLoop, m_pIdle);
    m_pIdle->data = this;
    uv_unref(reinterpret_cast<uv_handle_t *>(m_pIdle));
}

UvMessageWait::~UvMessageWait()
{
    detach();
}

void UvMessageWait::watchTicks(void *hTicked, std::function<void()> fnTicks)
{
    if (!m_pPrepare || !hTicked)
        return;
    m_hTicked = hTicked;
    m_fnTicks = std::move(fnTicks);
}

void UvMessageWait::detach()
{
    m_hTicked = nullptr;
    if (m_hWatcher) {
        // Only the watcher takes from the port now: the empty completion reaches it.
        m_bStop = true;
        SetEvent(m_hArm);
        PostQueuedCompletionStatus(m_pLoop->iocp, 0, 0, nullptr);
        WaitForSingleObject(m_hWatcher, INFINITE);
        CloseHandle(m_hWatcher);
        m_hWatcher = nullptr;
    }
    if (m_hArm)
        CloseHandle(m_hArm);
    if (m_hCompleted)
        CloseHandle(m_hCompleted);
    m_hArm = m_hCompleted = nullptr;
    if (m_pPrepare) {
        uv_close(reinterpret_cast<uv_handle_t *>(m_pPrepare), onClosed);
        uv_close(reinterpret_cast<uv_handle_t *>(m_pIdle), onClosed);
        m_pPrepare = nullptr;
        m_pIdle = nullptr;
    }
}

void UvMessageWait::onClosed(uv_handle_t *pHandle)
{
    if (pHandle->type == UV_PREPARE)
        delete reinterpret_cast<uv_prepare_t *>(pHandle);
    else
        delete reinterpret_cast<uv_idle_t *>(pHandle);
}

void UvMessageWait::onPrepare(uv_prepare_t *pPrepare)
{
    static_cast<UvMessageWait *>(pPrepare->data)->wait();
}

void UvMessageWait::onIdle(uv_idle_t *pIdle)
{
    uv_idle_stop(pIdle);
}

void UvMessageWait::wait()
{
    // A script callback run from here may run the loop's phases again: not twice at once.
    if (m_bServing)
        return;
    // Handles come before messages: a tick, like a timer event Qt posts, goes before the
    // thread's messages, which the next turn serves.
    HANDLE handles[2] = {m_hCompleted, m_hTicked};
    const DWORD dwHandles = m_hTicked ? 2 : 1;
    for (;;) {
        uv_update_time(m_pLoop);
        const int iTimeout = uv_backend_timeout(m_pLoop);
        if (iTimeout == 0) {
            // The loop will not wait: only what is queued already is served.
            const DWORD dwResult = MsgWaitForMultipleObjectsEx(dwHandles - 1, handles + 1, 0, QS_ALLINPUT,
                                                               MWMO_INPUTAVAILABLE);
            if (dwResult == WAIT_OBJECT_0 && m_hTicked)
                serve(m_fnTicks);
            else if (dwResult == WAIT_OBJECT_0 + dwHandles - 1)
                serve(m_fnServe);
            return;
        }
        if (!m_bArmed) {
            m_bArmed = true;
            SetEvent(m_hArm);
        }
        const DWORD dwResult = MsgWaitForMultipleObjectsEx(dwHandles, handles, iTimeout < 0 ? INFINITE : DWORD(iTimeout),
                                                           QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (dwResult == WAIT_OBJECT_0) {
            // The loop takes the completion from its port now. It may have taken it
            // already, in a look that did not wait: its next look must not wait either.
            m_bArmed = false;
            lookWithoutWaiting();
            return;
        }
        if (dwResult == WAIT_OBJECT_0 + 1 && m_hTicked) {
            serve(m_fnTicks);
            return;
        }
        if (dwResult == WAIT_OBJECT_0 + dwHandles) {
            serve(m_fnServe);
            return;
        }
        if (dwResult != WAIT_TIMEOUT)
            return;
        // A wait may end a little early: the loop's timers decide.
    }
}

void UvMessageWait::serve(const std::function<void()> &fn)
{
    m_bServing = true;
    fn();
    m_bServing = false;
    // What the callbacks started is looked at before the loop waits again.
    lookWithoutWaiting();
}

void UvMessageWait::lookWithoutWaiting()
{
    if (m_pIdle)
        uv_idle_start(m_pIdle, onIdle);
}

unsigned long __stdcall UvMessageWait::watch(void *pSelf)
{
    auto *pWait = static_cast<UvMessageWait *>(pSelf);
    for (;;) {
        WaitForSingleObject(pWait->m_hArm, INFINITE);
        if (pWait->m_bStop)
            return 0;
        DWORD dwBytes = 0;
        ULONG_PTR uKey = 0;
        OVERLAPPED *pOverlapped = nullptr;
        GetQueuedCompletionStatus(pWait->m_pLoop->iocp, &dwBytes, &uKey, &pOverlapped, INFINITE);
        // Given back as it came (libuv reads the request from its OVERLAPPED); an empty
        // one too, so that the loop's next look at its port does not wait, but not the
        // empty one that stops the watcher.
        const bool bStop = pWait->m_bStop;
        if (pOverlapped || !bStop)
            PostQueuedCompletionStatus(pWait->m_pLoop->iocp, dwBytes, uKey, pOverlapped);
        if (bStop)
            return 0;
        SetEvent(pWait->m_hCompleted);
    }
}
