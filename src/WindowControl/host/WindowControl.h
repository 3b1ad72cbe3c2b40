#pragma once

#include <windows.h>

#include <QMap>
#include <QRect>
#include <QString>
#include <QWidget>

class QLibrary;
class WebClientComponents;

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
    // Presses on the host itself (outside the component) are swallowed.
    void mousePressEvent(QMouseEvent *event) override;

private:
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
};
