// Requests about what happens in a window: pass-through texts, pictures, mouse.
#include "WindowControlManager.h"

#include "RequestEnvelope.h"
#include "WindowArgs.h"
#include "host/WindowControl.h"

QString WindowControlManager::HandleRequest(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Window);
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
    RequestEnvelope envelope(request, ErrorModule::Window);
    if (envelope.isParsed()) {
        if (WindowControl *pHost = findWindow(envelope.uuid()))
            pHost->triggerMouseEvent();
    }
    return envelope.reply();
}

QString WindowControlManager::GrabOpen(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Window);
    if (envelope.isParsed()) {
        // The picture reaches the script before this reply does.
        if (WindowControl *pHost = findWindow(envelope.uuid()))
            pHost->grabWindowImage();
    }
    return envelope.reply();
}

QString WindowControlManager::SimMouseClickEvent(const QString &request)
{
    // The point is accepted and nothing is clicked.
    RequestEnvelope envelope(request, ErrorModule::Window);
    if (envelope.isParsed()) {
        const SimMouseClickEventArgs args = readSimMouseClickEventArgs(envelope.object());
        Q_UNUSED(args)
        findWindow(envelope.uuid());
    }
    return envelope.reply();
}
