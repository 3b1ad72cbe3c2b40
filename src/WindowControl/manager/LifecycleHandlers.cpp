// Window lifecycle requests: create, show, hide, re-attach and destroy hosts.
#include "WindowControlManager.h"

#include "RequestEnvelope.h"
#include "WindowArgs.h"
#include "host/WindowControl.h"

QString WindowControlManager::CreateWnd(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Window);
    if (envelope.isParsed()) {
        const CreateWndArgs args = readCreateWndArgs(envelope.object());
        // TODO: make the host, hand it the integration library of this key, createWnd,
        // connect its 19 signals, place, show and register it, report 5000/5001.
        Q_UNUSED(args)
    }
    return envelope.reply();
}

QString WindowControlManager::ShowWnd(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Window);
    if (envelope.isParsed()) {
        WindowControl *pHost = findWindow(envelope.uuid());
        if (pHost && !pHost->isFullScreen()) {
            // TODO: find a parent when it has none, show, updateTopMost/activateBrowser,
            // re-apply wndRect() with setWndGeometry.
        }
    }
    return envelope.reply();
}

QString WindowControlManager::HideWnd(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Window);
    if (envelope.isParsed()) {
        WindowControl *pHost = findWindow(envelope.uuid());
        // The component's own full screen must not vanish under the user.
        if (pHost && !pHost->isFullScreen())
            pHost->hide();
    }
    return envelope.reply();
}

QString WindowControlManager::UpdateParentWnd(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Window);
    if (envelope.isParsed()) {
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: pHost->updateParentWnd();
            Q_UNUSED(pHost)
        }
    }
    return envelope.reply();
}

QString WindowControlManager::DestroyWnd(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Window);
    // The integration library is not told: only ConnectClose asks it to destroy its window.
    if (envelope.isParsed())
        destroyWindow(envelope.uuid());
    return envelope.reply();
}

void WindowControlManager::destroyWindow(const QString &uuid)
{
    WindowControl *pHost = findWindow(uuid);
    if (!pHost)
        return;
    pHost->close();
    delete pHost;
    m_mapWindows.remove(uuid);
    removeIntegrationWnd(uuid);
}
