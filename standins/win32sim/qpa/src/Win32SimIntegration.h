#pragma once

#include <qpa/qplatformintegration.h>

#include <QList>
#include <QScopedPointer>

class Win32SimScreen;

// The platform: one screen per desktop monitor, desktop windows for Qt windows,
// image backing stores handed to the desktop.
class Win32SimIntegration : public QPlatformIntegration
{
public:
    Win32SimIntegration();
    ~Win32SimIntegration() override;

    static Win32SimIntegration *instance();   // null unless the running platform is this one

    void initialize() override;
    bool hasCapability(Capability cap) const override;

    QPlatformWindow *createPlatformWindow(QWindow *window) const override;
    QPlatformBackingStore *createPlatformBackingStore(QWindow *window) const override;
    QAbstractEventDispatcher *createEventDispatcher() const override;
    QPlatformFontDatabase *fontDatabase() const override;
    QPlatformServices *services() const override;

    // Reads the desktop's monitors into Qt's screens: at start, and when a window hears
    // WM_DISPLAYCHANGE or WM_SETTINGCHANGE.
    void syncScreens();
    QList<QPlatformScreen *> screens() const;

private:
    QList<Win32SimScreen *> m_listScreens;    // primary first
    mutable QScopedPointer<QPlatformFontDatabase> m_pFontDatabase;
    mutable QScopedPointer<QPlatformServices> m_pServices;
};
