#pragma once

#include <qpa/qplatformwindow.h>

#include <QMargins>
#include <QRect>

#include <windows.h>

// A Qt window's platform window, which is a desktop window: winId() is its HWND.
// Qt's requests become Win32 calls (this file's .cpp); what the desktop reports through
// the window procedure goes back to Qt (Win32SimWindowMessages.cpp).
class Win32SimWindow : public QPlatformWindow
{
public:
    explicit Win32SimWindow(QWindow *window);
    ~Win32SimWindow() override;

    static Win32SimWindow *fromHwnd(HWND hwnd);
    HWND hwnd() const { return m_hWnd; }
    bool isAlive() const;     // the desktop window still exists

    void initialize() override;
    WId winId() const override { return WId(m_hWnd); }
    void setGeometry(const QRect &rect) override;
    QMargins frameMargins() const override { return m_margins; }
    void setVisible(bool visible) override;
    void setWindowFlags(Qt::WindowFlags flags) override;
    void setWindowState(Qt::WindowStates state) override;
    void setParent(const QPlatformWindow *parent) override;
    void setWindowTitle(const QString &title) override;
    void raise() override;
    void lower() override;
    bool isExposed() const override { return m_bExposed; }
    bool isEmbedded() const override { return m_bEmbedded; }
    bool isActive() const override;
    QPoint mapToGlobal(const QPoint &pos) const override;
    QPoint mapFromGlobal(const QPoint &pos) const override;
    void setMask(const QRegion &region) override;
    void requestActivateWindow() override;
    void propagateSizeHints() override {}

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    // Win32SimWindowMessages.cpp
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void handleFocus(UINT message);
    void handleMouse(UINT message, WPARAM wParam, LPARAM lParam);
    void handleWheel(WPARAM wParam, LPARAM lParam);
    void handleDestroyed();

    void attach(HWND hwnd);          // the window procedure finds this object from now on
    void detach();

    bool isTopLevel() const { return !window()->parent() && !m_bEmbedded; }
    QRect readGeometry() const;
    QRect readClientInParent() const;
    QMargins readMargins() const;
    void syncGeometry(bool bNotify);
    void updateExposure(HWND hHint, bool bHintShown, bool bForce = false);
    void updateExposureTree(HWND hHint, bool bHintShown);
    void applyStyle(Qt::WindowFlags flags, bool bChild);
    void updateTransientParent() const;
    static QWindow *topLevelOf(QWindow *pWindow);

    static Win32SimWindow *s_pCreating;   // whose CreateWindowExW is running

    HWND m_hWnd = nullptr;
    QMargins m_margins;              // frame around the client area (framed top-levels)
    QRect m_rcNormal;                // geometry before maximising or full screen
    Qt::WindowStates m_windowStates = Qt::WindowNoState;
    bool m_bTopMost = false;
    bool m_bForeignParent = false;   // created inside a foreign window ("_q_embedded_native_parent_handle")
    bool m_bEmbedded = false;        // no Qt parent but a native one: created so, or moved there by SetParent
    bool m_bInSetParent = false;
    bool m_bCreating = true;         // inside the constructor: Qt does not know the window yet
    bool m_bDestroying = false;      // Qt is destroying it
    bool m_bDead = false;            // the desktop destroyed it (WM_NCDESTROY)
    bool m_bExposed = false;
    bool m_bInSetGeometry = false;
    int m_iExposeCount = 0;
};
