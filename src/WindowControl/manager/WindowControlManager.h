#pragma once

// Before anything else: the integration window table holds native window handles, and
// every file that sees the handler names sees them through the same <windows.h>.
#include <windows.h>

#include <OwlBase/Singleton.h>

#include <QMap>
#include <QObject>

#include <functional>
#include <QString>
#include <QStringList>

class QLibrary;
class QTimerEvent;
class WindowControl;

using Owl::Base::CSingleton;

// The one object behind the script class: request handlers, the window registry, the
// integration library tables, the periodic timers, and the 20 signals through which
// every notification reaches the script.
class WindowControlManager : public QObject, public CSingleton<WindowControlManager>
{
    Q_OBJECT
    friend class CSingleton<WindowControlManager>;

public:
    ~WindowControlManager() override;

    // Deletes the instance, if any (module unload).
    static void DeleteInstance();
    // The instance when there is one; never creates it.
    static WindowControlManager *ExistingInstance();
    // Runs `use` with the manager, if one exists, from any thread: a library thread
    // keeps the manager from being deleted until `use` returns. Not for creating it.
    static void withInstanceFromAnyThread(const std::function<void(WindowControlManager *)> &use);
    // From now on library threads find no manager (the process is exiting).
    static void closeToOtherThreads();

    // Integration library bridge
    QString StartService(const QString &request);
    QString StopService(const QString &request);
    QString RequestInterface(const QString &request);
    void ConnectClose(QString uuid);

    // Window lifecycle
    QString CreateWnd(const QString &request);
    QString ShowWnd(const QString &request);
    QString HideWnd(const QString &request);
    QString DestroyWnd(const QString &request);
    QString UpdateParentWnd(const QString &request);

    // Geometry
    QString SetWndGeometry(const QString &request);
    QString SetWndCover(const QString &request);
    QString CuttingPartWindow(const QString &request);
    QString RepairPartWindow(const QString &request);
    QString RestoreWnd(const QString &request);

    // Settings forwarded to the component
    QString ChangePlayMode(const QString &request);
    QString SetLanguageType(const QString &request);
    QString SetTranslateFile(const QString &request);
    QString SwitchToSimple(const QString &request);
    QString SetFirstDayOfWeek(const QString &request);
    QString SetDragMode(const QString &request);
    QString SetNumberOfWindows(const QString &request);
    void SetLocalConfig(const QString &config);

    // Login and play
    QString InitLoginInfo(const QString &request);
    QString SetHubToken(const QString &request);
    QString SetVanePlayInfo(const QString &request);
    QString StartPlay(const QString &request);
    QString StopPlay(const QString &request);
    QString StopTotal(const QString &request);
    QString ShowErrorInfoInFullScreen(const QString &request);
    QString StartDownloadCameraHeatValue(const QString &request);

    // PTZ and fisheye
    QString SetPreview3DPosition(const QString &request);
    QString GetFishEyePTZPreset(const QString &request);
    QString SetFishEyePTZPreset(const QString &request);
    QString ControlFishEyePTZ(const QString &request);
    QString ControlFishEyeParol(const QString &request);
    QString SetWndAutoPanState(const QString &request);
    QString OpenPtzWnd(const QString &request);

    // Window events and pictures
    QString HandleRequest(const QString &request);
    QString TriggerMouseEvent(const QString &request);
    QString GrabOpen(const QString &request);
    QString SimMouseClickEvent(const QString &request);

    // Window registry: uuid -> host, in ascending key order. The manager owns the hosts.
    WindowControl *findWindow(const QString &uuid) const { return m_mapWindows.value(uuid, nullptr); }
    // Inserts or replaces (the replaced host is not deleted here; CreateWnd deletes a
    // host it replaces). A host deleted by any other path (it deletes itself on close)
    // leaves the registry by itself.
    void insertWindow(const QString &uuid, WindowControl *pHost);
    // Removes the entry and hands the host back (null when there was none).
    WindowControl *takeWindow(const QString &uuid);
    QStringList windowKeys() const { return m_mapWindows.keys(); }

    // Integration tables. The window table may be read from a library's own thread
    // (its callback), so it is only touched through these.
    HWND integrationWnd(const QString &uuid) const;
    void setIntegrationWnd(const QString &uuid, HWND hWnd);
    void removeIntegrationWnd(const QString &uuid);
    QString integrationWndKey(HWND hWnd) const;            // first key in key order, "" when none
    QStringList integrationLibKeys(QLibrary *pLibrary) const;

signals:
    void setSelectWnd(QString strRet);
    void togglePTZ(QString strRet);
    void updateCameraIcon(QString strRet);
    void getLastError(QString strRet);
    void talkUrlEmpty(QString strRet);
    void gotoPlayback(QString strRet);
    void previewWnd3DPostion(QString strRet);
    void showDisplayInfo(QString strRet);
    void stopPlayAll(QString strRet);
    void wheelEvent(QString strRet);
    void quitedFullScreen(QString strRet);
    void manuallyClose(QString strRet);
    void fisheyeExpandChanged(QString strRet);
    void getVanePlayInfo(QString strRet);
    void wndPtzControl(QString strRet);
    void heatMap(QString strRet);
    void update3DState(QString strRet);
    void sendMessage(QString strRet);
    void integrationCallBack(QString strRet);
    void sendMessage2Web(QString strRet);

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    WindowControlManager();

    // The body of the requests that act on one window (RequestTable.h): the envelope with
    // the module the request table gives `self`; when the text parses and names a window,
    // forwardTo(host, request object), or the host operation forwardTo when it takes nothing.
    template <QString (WindowControlManager::*self)(const QString &), typename Forward>
    QString forward(const QString &request, Forward forwardTo);

    // DestroyWnd and ConnectClose: close and delete the host, forget its windows.
    void destroyWindow(const QString &uuid);
    // CreateWnd: the host's 19 notification signals to the manager's signals.
    void connectHost(WindowControl *pHost);

    // Handed to each integration library; may run on the library's own thread.
    static void onIntegrationCallBack(HWND hWnd, const char *pszJson);

    QMap<QString, WindowControl *> m_mapWindows;
    int m_iFollowTimer;
    int m_iZOrderTimer;
    QMap<QString, QLibrary *> m_mapIntegrationLibs;
    QMap<QString, HWND> m_mapIntegrationWnds;
    bool m_bIntegration;
};

template <>
WindowControlManager *Owl::Base::CSingleton<WindowControlManager>::GetInstance();

// A handler of a request with a JSON reply.
using RequestHandler = QString (WindowControlManager::*)(const QString &);
