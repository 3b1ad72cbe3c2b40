// Window lifecycle requests: create, show, hide, re-attach and destroy hosts.
#include "WindowControlManager.h"

#include "RequestTable.h"
#include "WindowArgs.h"
#include "host/NotificationSignals.h"
#include "host/WindowControl.h"

#include <QDebug>

QString WindowControlManager::CreateWnd(const QString &request)
{
    RequestEnvelope envelope(request, moduleOf<&WindowControlManager::CreateWnd>());
    if (!envelope.isParsed())
        return envelope.reply();

    const QString uuid = envelope.uuid();
    const CreateWndArgs args = readCreateWndArgs(envelope.object());
    auto *pHost = new WindowControl(nullptr);

    if (m_bIntegration) {
        if (QLibrary *pLibrary = m_mapIntegrationLibs.value(uuid, nullptr))
            pHost->setIntegrationLibrary(pLibrary);
        else
            m_bIntegration = false;
    }

    const int iResult = pHost->createWnd(uuid, args.strClassName, args.bEmbed, args.strParentWnd,
                                         args.iWorkMode, args.iSplitType, args.strLanguageType,
                                         args.iWndMode, static_cast<unsigned int>(args.iWndNum));
    if (iResult == ErrorCode::CreateFailed) {
        delete pHost;
        envelope.fail(ErrorCode::CreateFailed);
        return envelope.reply();
    }

    // A second creation under the same key replaces the first host. Nothing could reach
    // the replaced one any more (requests and timers go by key), so it is deleted rather
    // than left drawing over the page; before the new host is placed, so that the taskbar
    // it gives back in its destructor is decided again by the new host's geometry.
    delete takeWindow(uuid);

    connectHost(pHost);

    // A rectangle given with an explicit parent is relative to that parent's corner.
    const bool bOwnParent = !args.strParentWnd.isEmpty();
    pHost->setWndGeometry(bOwnParent ? 0 : args.rect.iLeft, bOwnParent ? 0 : args.rect.iTop,
                          args.rect.iWidth, args.rect.iHeight, true);
    if (iResult == ErrorCode::Success) {
        pHost->show();
        qDebug().noquote() << "createWnd and show";
    }

    insertWindow(uuid, pHost);

    if (m_bIntegration)
        setIntegrationWnd(uuid, pHost->integrationWnd());
    qDebug().noquote().nospace() << "createWnd: " << m_mapWindows.size();

    if (iResult != ErrorCode::Success)
        envelope.fail(iResult);
    return envelope.reply();
}

// The host's 19 notification signals, each to the manager's signal of the same name.
void WindowControlManager::connectHost(WindowControl *pHost)
{
#define RELAY(notification) connect(pHost, &WindowControl::notification, this, &WindowControlManager::notification);
#define RELAY_FROM_COMPONENT(componentSignal, hostSlot, notification) RELAY(notification)
#define NOT_RELAYED(componentSignal, hostSlot)
    WINDOWCONTROL_NOTIFICATIONS(RELAY_FROM_COMPONENT, NOT_RELAYED, RELAY)
#undef NOT_RELAYED
#undef RELAY_FROM_COMPONENT
#undef RELAY
}

QString WindowControlManager::ShowWnd(const QString &request)
{
    return forward<&WindowControlManager::ShowWnd>(request, [](WindowControl *pHost, const QJsonObject &) {
        // The component's own full screen is left as it is.
        if (pHost->isFullScreen())
            return;
        // A host made before its browser window existed takes the window in front.
        if (!pHost->parentHwnd())
            pHost->findParentWnd(QString(), QString());
        pHost->show();
        if (pHost->isEmbed())
            pHost->activateBrowser();
        else
            pHost->updateTopMost(true);
        const QRect rcWnd = pHost->wndRect();
        pHost->setWndGeometry(rcWnd.x(), rcWnd.y(), rcWnd.width(), rcWnd.height(), true);
    });
}

QString WindowControlManager::HideWnd(const QString &request)
{
    return forward<&WindowControlManager::HideWnd>(request, [](WindowControl *pHost, const QJsonObject &) {
        // The component's own full screen must not vanish under the user.
        if (!pHost->isFullScreen())
            pHost->hide();
    });
}

QString WindowControlManager::UpdateParentWnd(const QString &request)
{
    return forward<&WindowControlManager::UpdateParentWnd>(request, &WindowControl::updateParentWnd);
}

QString WindowControlManager::DestroyWnd(const QString &request)
{
    RequestEnvelope envelope(request, moduleOf<&WindowControlManager::DestroyWnd>());
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
