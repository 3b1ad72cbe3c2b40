#include "WindowControlManager.h"

#include "host/WindowControl.h"
#include "host/WindowControlConstants.h"

#include <VarAvozov/WebClientComponents.h>

#include <QPointer>
#include <QTimerEvent>

#include <atomic>
#include <mutex>
#include <thread>

namespace {

std::atomic<WindowControlManager *> s_pInstance{nullptr};
std::mutex s_instanceLock;           // guards creation only
std::thread::id s_managerThread;     // set before the instance is published

// Library threads hold this while they use the manager, so that unloading waits for
// them; the manager's own thread never needs it (deletion happens there).
std::mutex s_foreignUseLock;
// Set once the process exits: library threads are turned away without the lock. On
// Windows the process's exit ends them wherever they are, holding the lock perhaps,
// before the module's last clean-up runs.
std::atomic<bool> s_bClosedToOtherThreads{false};

// The integration window table is read by library callbacks on their own threads.
std::mutex s_integrationWndsLock;

} // namespace

template <>
WindowControlManager *Owl::Base::CSingleton<WindowControlManager>::GetInstance()
{
    WindowControlManager *pInstance = s_pInstance.load(std::memory_order_acquire);
    if (pInstance)
        return pInstance;
    std::lock_guard<std::mutex> lock(s_instanceLock);
    pInstance = s_pInstance.load(std::memory_order_relaxed);
    if (!pInstance) {
        pInstance = new WindowControlManager;
        s_managerThread = std::this_thread::get_id();
        s_pInstance.store(pInstance, std::memory_order_release);
    }
    return pInstance;
}

void WindowControlManager::DeleteInstance()
{
    std::lock_guard<std::mutex> lock(s_instanceLock);
    WindowControlManager *pInstance = nullptr;
    {
        std::unique_lock<std::mutex> foreignUse(s_foreignUseLock, std::defer_lock);
        if (!s_bClosedToOtherThreads.load())
            foreignUse.lock();
        pInstance = s_pInstance.exchange(nullptr);
    }
    delete pInstance;
}

void WindowControlManager::closeToOtherThreads()
{
    // Waits for a library thread inside the manager; none enters after.
    std::lock_guard<std::mutex> foreignUse(s_foreignUseLock);
    s_bClosedToOtherThreads.store(true);
}

void WindowControlManager::withInstanceFromAnyThread(const std::function<void(WindowControlManager *)> &use)
{
    WindowControlManager *pInstance = s_pInstance.load(std::memory_order_acquire);
    if (pInstance && std::this_thread::get_id() == s_managerThread) {
        use(pInstance);
        return;
    }
    if (s_bClosedToOtherThreads.load())
        return;
    std::lock_guard<std::mutex> foreignUse(s_foreignUseLock);
    pInstance = s_pInstance.load(std::memory_order_acquire);
    if (pInstance && !s_bClosedToOtherThreads.load())
        use(pInstance);
}

WindowControlManager *WindowControlManager::ExistingInstance()
{
    return s_pInstance.load(std::memory_order_acquire);
}

WindowControlManager::WindowControlManager()
    : QObject(nullptr)
    , m_iFollowTimer(0)
    , m_iZOrderTimer(0)
    , m_bIntegration(false)
{
    m_iFollowTimer = startTimer(kFollowInterval, Qt::CoarseTimer);
    m_iZOrderTimer = startTimer(kZOrderInterval, Qt::CoarseTimer);
    WebClientComponents::InitStreamClient();
    m_bIntegration = false;
}

WindowControlManager::~WindowControlManager()
{
    // Taken out first: a host going away must not find itself in a registry being walked.
    const QMap<QString, WindowControl *> windows = m_mapWindows;
    m_mapWindows.clear();
    for (WindowControl *pHost : windows)
        delete pHost;
    {
        std::lock_guard<std::mutex> lock(s_integrationWndsLock);
        m_mapIntegrationWnds.clear();
    }
    if (m_iFollowTimer > 0)
        killTimer(m_iFollowTimer);
    if (m_iZOrderTimer > 0)
        killTimer(m_iZOrderTimer);
    WebClientComponents::UninitStreamClient();
    // The library objects stay: StopService releases them, and their windows may
    // still belong to the page.
}

void WindowControlManager::insertWindow(const QString &uuid, WindowControl *pHost)
{
    if (!pHost)
        return;
    m_mapWindows.insert(uuid, pHost);
    connect(pHost, &QObject::destroyed, this, [this, uuid, pHost]() {
        auto it = m_mapWindows.find(uuid);
        if (it != m_mapWindows.end() && it.value() == pHost)
            m_mapWindows.erase(it);
    });
}

WindowControl *WindowControlManager::takeWindow(const QString &uuid)
{
    return m_mapWindows.take(uuid);
}

HWND WindowControlManager::integrationWnd(const QString &uuid) const
{
    std::lock_guard<std::mutex> lock(s_integrationWndsLock);
    return m_mapIntegrationWnds.value(uuid, nullptr);
}

void WindowControlManager::setIntegrationWnd(const QString &uuid, HWND hWnd)
{
    std::lock_guard<std::mutex> lock(s_integrationWndsLock);
    m_mapIntegrationWnds.insert(uuid, hWnd);
}

void WindowControlManager::removeIntegrationWnd(const QString &uuid)
{
    std::lock_guard<std::mutex> lock(s_integrationWndsLock);
    m_mapIntegrationWnds.remove(uuid);
}

QString WindowControlManager::integrationWndKey(HWND hWnd) const
{
    std::lock_guard<std::mutex> lock(s_integrationWndsLock);
    for (auto it = m_mapIntegrationWnds.cbegin(); it != m_mapIntegrationWnds.cend(); ++it) {
        if (it.value() == hWnd)
            return it.key();
    }
    return QString();
}

QStringList WindowControlManager::integrationLibKeys(QLibrary *pLibrary) const
{
    QStringList keys;
    for (auto it = m_mapIntegrationLibs.cbegin(); it != m_mapIntegrationLibs.cend(); ++it) {
        if (it.value() == pLibrary)
            keys.append(it.key());
    }
    return keys;
}

void WindowControlManager::timerEvent(QTimerEvent *event)
{
    const int iTimerId = event->timerId();
    if (iTimerId != m_iFollowTimer && iTimerId != m_iZOrderTimer)
        return;
    // A host's work may reach the script (a picture of the window), whose callback may
    // destroy hosts: walk a snapshot of the keys and look each host up again.
    const QStringList keys = m_mapWindows.keys();
    for (const QString &key : keys) {
        QPointer<WindowControl> pHost = m_mapWindows.value(key, nullptr);
        if (!pHost)
            continue;
        if (iTimerId == m_iFollowTimer) {
            if (!pHost->isEmbed())
                pHost->followParent();
        } else {
            pHost->updateWndZOrder();
            if (pHost)
                pHost->checkBrowserMove();
        }
    }
}
