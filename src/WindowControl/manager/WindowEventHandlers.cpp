// Requests about what happens in a window: pass-through texts, pictures, mouse.
#include "WindowControlManager.h"

#include "RequestTable.h"
#include "WindowArgs.h"
#include "host/WindowControl.h"

QString WindowControlManager::HandleRequest(const QString &request)
{
    RequestEnvelope envelope(request, moduleOf<&WindowControlManager::HandleRequest>());
    QString strAnswer;
    if (envelope.isParsed()) {
        const HandleRequestArgs args = readHandleRequestArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid()))
            strAnswer = pHost->handleRequest(args.strMessage);
    }
    envelope.setExtra(QLatin1String("message"), strAnswer);
    return envelope.reply();
}

QString WindowControlManager::TriggerMouseEvent(const QString &request)
{
    return forward<&WindowControlManager::TriggerMouseEvent>(request, &WindowControl::triggerMouseEvent);
}

QString WindowControlManager::GrabOpen(const QString &request)
{
    // The picture reaches the script before this reply does.
    return forward<&WindowControlManager::GrabOpen>(request, &WindowControl::grabWindowImage);
}

QString WindowControlManager::SimMouseClickEvent(const QString &request)
{
    // The point is accepted and nothing is clicked.
    return forward<&WindowControlManager::SimMouseClickEvent>(request, [](WindowControl *, const QJsonObject &fields) {
        const SimMouseClickEventArgs args = readSimMouseClickEventArgs(fields);
        Q_UNUSED(args)
    });
}
