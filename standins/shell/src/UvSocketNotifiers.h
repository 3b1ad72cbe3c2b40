#pragma once

#include "DispatchGuard.h"

#include <QHash>
#include <QSocketNotifier>

#include <uv.h>

// Qt socket notifiers served by uv polls: one poll per descriptor, watching the union
// of what its read, write and exception notifiers ask for.
class UvSocketNotifiers
{
public:
    explicit UvSocketNotifiers(uv_loop_t *pLoop);
    ~UvSocketNotifiers();
    UvSocketNotifiers(const UvSocketNotifiers &) = delete;
    UvSocketNotifiers &operator=(const UvSocketNotifiers &) = delete;

    void setGuard(DispatchGuard guard) { m_guard = std::move(guard); }

    void registerNotifier(QSocketNotifier *pNotifier);
    void unregisterNotifier(QSocketNotifier *pNotifier);

    // Polls every descriptor without waiting and activates the ready notifiers, for a
    // processEvents() called while the loop is busy.
    bool pollNow();
    // Closes every uv handle; notifiers are still booked but never activate again.
    void detach();

private:
    struct Handle;
    struct Watch
    {
        qintptr fd = -1;
        QSocketNotifier *apNotifiers[3] = {nullptr, nullptr, nullptr}; // Read, Write, Exception
        Handle *pHandle = nullptr;
        bool bUnpollable = false;   // the loop refused the descriptor; warned once
    };

    static void onPoll(uv_poll_t *pPoll, int iStatus, int iEvents);
    static void onClosed(uv_handle_t *pHandle);
    void update(Watch *pWatch);
    void closeHandle(Watch *pWatch);
    bool activate(qintptr fd, bool bRead, bool bWrite, bool bException);

    uv_loop_t *m_pLoop;
    QHash<qintptr, Watch *> m_mapWatches;
    DispatchGuard m_guard;
};
