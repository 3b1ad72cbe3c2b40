#pragma once

#include "DispatchGuard.h"

#include <QString>
#include <QStringList>

#include <uv.h>

class QApplication;
class UvEventDispatcher;

// The desktop shell's Qt application on the script thread, served from Node's loop.
// One per process; it is never restarted once it has ended.
class Shell
{
public:
    enum class State { NotStarted, Running, Ended };

    static Shell &instance();

    // Creates the dispatcher, then the application with the given platform (empty: the
    // default). Again while running: nothing, true. False with a reason otherwise, also
    // when an application the shell did not make exists: that one is left alone.
    bool start(uv_loop_t *pLoop, const QString &strPlatform, QString *pError);
    State state() const { return m_state; }
    bool ownsApplication() const;   // the running QCoreApplication is the shell's
    QString platform() const { return m_strPlatform; }
    static QString defaultPlatform();
    static QStringList availablePlatforms();

    void setGuard(DispatchGuard guard);
    // Qt work the script asks for: posted, window-system, due timers, ready sockets,
    // and deferred deletes when no Qt event is being delivered.
    bool processEvents();

    // Ends Qt on this thread: aboutToQuit (owners of Qt objects release them), pending
    // and deferred deletes, then the application if nobody holds a top-level widget any
    // more, which also closes the loop handles. While someone does (their owner deletes
    // them later, and that needs the application), the application stays, off the loop;
    // calling shutdown() again after they are gone deletes it.
    void shutdown();
    bool applicationKept() const { return m_bApplicationKept; }

private:
    Shell() = default;
    void releaseApplication();
    void flushForTeardown();

    State m_state = State::NotStarted;
    QString m_strPlatform;
    QApplication *m_pApp = nullptr;
    UvEventDispatcher *m_pDispatcher = nullptr;
    bool m_bApplicationKept = false;
};
