#pragma once

#include <windows.h>

#include <VarAvozov/ComponentTypes.h>

#include <QJsonObject>
#include <QMap>
#include <QRect>
#include <QString>
#include <QWidget>

class QLibrary;
class WebClientComponents;
struct StartPlayArgs;

namespace Ui {
class WindowControl;
}

// The window host: a frameless tool window glued to the browser window, holding one
// video component or one window of an integration library.
class WindowControl : public QWidget
{
    Q_OBJECT

public:
    explicit WindowControl(QWidget *parent = nullptr);
    ~WindowControl() override;

    HWND parentHwnd() const { return m_hParentHwnd; }
    QRect wndRect() const { return m_rcWnd; }
    bool isFullScreen() const { return m_bFullScreen; }
    bool isEmbed() const { return m_bEmbed; }

    // Integration mode: the library is handed over before creation (the first one
    // stays), the window is what its createWnd export made. Neither is owned.
    void setIntegrationLibrary(QLibrary *pLibrary);
    HWND integrationWnd() const { return m_pIntegrationWnd; }

    // Operation name -> "timestamp" text of the last request applied ("" when none).
    QString lastTimestamp(const QString &name) const { return m_mapLastTimestamp.value(name); }
    void setLastTimestamp(const QString &name, const QString &timestamp) { m_mapLastTimestamp.insert(name, timestamp); }

    // Video operations: forward to the component (nothing without one)
    void changePlayMode(int type);
    void setLanguageType(const QString &type);
    void setTranslateFile(const QString &language);
    void switchToSimple(int simple);
    void setFirstDayOfWeek(int firstDay);
    void setDragMode(int drag);
    void setNumberOfWindows(int number);
    void setLocalConfig(const QString &config);
    void initLoginInfo(const QString &hubAddress, int hubPort, const QString &sessionID,
                       int loginModel, const QString &userType, const QString &networkType);
    void setHubToken(const QString &token);
    void setVanePlayInfo(const QString &guid, const QString &protocal, const QString &session,
                         const QString &token, const QString &ip, int port,
                         const QString &accessPath, const QString &uuid);
    void startPlay(const StartPlayArgs &play);
    void stopPlay(int wndIndex);
    void stopTotal();
    void showErrorInfoInFullScreen(const QString &error, int type);     // error already decoded
    void controlFishEyePTZ(int command, bool stop, int speed, int wndIndex);
    void controlFishEyeParol(int command, std::vector<ResourceManager::CruisePointStruct> &route,
                             int wndIndex);
    void getFishEyePTZPreset(ResourceManager::PresetStruct &preset, int wndIndex);
    void setFishEyePTZPreset(int command, ResourceManager::PresetStruct &preset, int wndIndex);
    void openPtzWnd(int wndIndex, bool open);
    void setWndAutoPanState(int wndIndex, bool open);
    void setPreview3DPosition(int open);
    void startDownloadCameraHeatValue(const clientframework::HeatMapDownloaderParam &param);
    QString handleRequest(const QString &message);      // "" without a component

    // Creation: the component (or the integration window), then the browser window.
    // 0 attached, 5000 nothing to show, 5001 no parent window (wins over 5000).
    int createWnd(const QString &uuid, const QString &className, bool embed, QString parentWnd,
                  int workMode, int splitType, const QString &languageType, int wndMode,
                  unsigned int wndNum);

    // Browser window discovery (the key stands in the browser window's title).
    void findParentWnd(const QString &uuid, const QString &className);
    static BOOL CALLBACK enumWindowsProc(HWND hWnd, LPARAM lParam);
    static HWND matchBrowserWindow(HWND hWnd, const QString &uuid, const QString &className);
    void findRenderHwnd();
    void findD3dHwnd();
    void findFrameTabHwnd();
    void updateParentWnd();
    HWND renderHwnd() const { return m_hRenderWnd; }
    HWND d3dHwnd() const { return m_hD3DWnd; }
    HWND frameTabHwnd() const { return m_hFrameTab; }
    HWND tabWindowHwnd() const { return m_hTabWindow; }

    // Geometry over the page, covers and cut-outs.
    void setWndGeometry(int x, int y, int width, int height, bool resizeChildren);
    // A visible host's native window hidden and shown once, so that it repaints where
    // setWndGeometry put it (and comes to the top of its siblings).
    void repaintAtPlace();
    void fitChildToCover();
    void setWndCover(const QString &position, int size);
    void cutPartWindow(int left, int top, int width, int height, int round);
    void repairPartWindow(int left, int top, int width, int height, int round);
    // The native window's rectangle for a host rectangle in its parent (the screen for a
    // top-level host): Windows' positions, and a host longer than the virtual screen
    // sliced to the screen's length; the holes (and the child) move with the slice.
    QRect placedRect(const QRect &rcHost, bool bMoveChildren = true);

    // Stacking of a top-level host against its browser window; the browser of an embedded
    // host out of the topmost band.
    bool placeAboveParent();
    void updateTopMost(bool force);
    void activateBrowser();

    // Periodic passes (the manager's timers, kFollowInterval and kZOrderInterval).
    void followParent();
    void updateWndZOrder();
    void checkBrowserMove();

    // A mouse message to the browser window.
    void triggerMouseEvent();

    // The same work at once when the browser window moves, rises or becomes active
    // (WinEvents of its thread); the ticks stay as they are. Set again on re-attaching.
    void watchBrowser();
    void unwatchBrowser();

    // A picture of the host for the page ("window.messageCallBack").
    void grabWindowImage();

public slots:
    // Component signals: most become one JSON notification each.
    void onSetSelectWnd(unsigned int wndIndex, unsigned int cameraID, const QString &siteID,
                        bool openedFisheye);
    void onOpenPTZ(unsigned int cameraID, const QString &siteID);
    void onUpdateCameraIcon(unsigned int cameraID, int playing, const QString &siteID);
    void onTalkUrlEmpty(unsigned int cameraID);
    void onGotoPlayback(unsigned int cameraID, const QString &siteID);
    void onPreviewWnd3DPostion(int xStart, int yStart, int xEnd, int yEnd);
    void onStopPlayAll();
    void onWheelEvent(int delta);
    void onQuitedFullScreen(QString strGuid);
    void onEnteredFullScreen(QString strGuid);
    void onManuallyClose(unsigned int cameraID, const QString &siteID, unsigned int wndIndex);
    void onFisheyeExpandChanged(int cameraID, QString siteID, int wndIndex, bool open);
    void onGetVanePlayInfo(QString siteID, QString guid);
    void onMousePressed();
    void onWndPtzControl(unsigned int wndIndex, unsigned int cameraID, unsigned int command,
                         unsigned int speed, bool open);
    void onHeatMap(QString data, int max, int min, QString guid);
    void onUpdate3DState(unsigned int wndIndex, QString siteID, unsigned int cameraID, bool opened);
    void onSendMessage(QString message);

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
    void sendMessage2Web(QString strRet);

protected:
    // The host watches its own activation; the filter never consumes an event.
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Presses on the host itself (outside the component) are swallowed.
    void mousePressEvent(QMouseEvent *event) override;
    // WM_DESTROY while embedded: the browser window is going, the host stays.
    bool nativeEvent(const QByteArray &eventType, void *message, long *result) override;

private:
    // Creation steps of createWnd.
    bool createIntegrationWnd();
    bool createWebClient(const QString &uuid, int workMode, int splitType,
                         const QString &languageType, int wndMode, unsigned int wndNum);
    void connectWebClient();

    // Geometry helpers: the render window's screen rectangle (found again when stale)
    // and the taskbars against the browser's monitor.
    RECT renderRect();
    void updateTaskbars(const RECT &rcParent, const RECT &rcRender);
    void placeChildren(int width, int height);

    // Sends one component notification: the common members, cmd and the payload.
    void notify(void (WindowControl::*signal)(QString), const QString &cmd, QJsonObject payload);

    // The stacking part of updateWndZOrder for a visible host; true when the browser is active.
    bool trackForeground();
    static void CALLBACK browserEventProc(HWINEVENTHOOK hHook, DWORD event, HWND hWnd, LONG idObject,
                                          LONG idChild, DWORD idEventThread, DWORD dwmsEventTime);
    void onBrowserEvent(DWORD event, HWND hWnd, LONG idObject);

    Ui::WindowControl *ui;
    HWND m_hRenderWnd;              // Chrome: the page render child of the browser window
    HWND m_hD3DWnd;                 // Chrome: the compositor child
    HWND m_hFrameTab;               // IE11: the frame tab holding the page
    HWND m_hTabWindow;              // IE11: the tab window whose title carries the key
    HWND m_hParentHwnd;             // the browser's top-level window, or the given parent
    HWND m_hTrayWnd;                // taskbar, may be null
    HWND m_hSecondaryTrayWnd;       // secondary-monitor taskbar, may be null
    HWND m_hWnd;                    // the host's own native window
    QRect m_rcWnd;                  // last requested geometry, page coordinates
    QRect m_rcCover;                // cover margins in its four edges, not corners
    QPoint m_ptSlice;               // where the native window starts inside a host longer than the screen
    WebClientComponents *m_pWebClient;
    QString m_strUUID;
    QString m_strClassName;         // "Chrome", "IEFrame" or another top-level class
    bool m_bEmbed;
    bool m_bTopMost;
    bool m_bBrowserActive;
    int m_iMoveSettleCount;
    bool m_bParentMoving;
    RECT m_rcParentLast;
    bool m_bParentChange;
    bool m_bFullScreen;
    bool m_bHiddenByParentDestroy;
    bool m_bActiveXParent;
    int m_iParentLeft;
    int m_iParentTop;
    bool m_bCoverMonitor;
    int m_iZOrderTick;
    HWND m_pIntegrationWnd;
    QLibrary *m_pIntegrationLib;
    QRect m_rcIntegrationWnd;
    QMap<QString, QString> m_mapLastTimestamp;
    HWINEVENTHOOK m_hBrowserHooks[3];   // foreground; reorder and location for a floating host
    HWND m_hWatchedWnd;             // the browser window the hooks were set for
    bool m_bInBrowserEvent;
};
