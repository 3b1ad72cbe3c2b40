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
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: strAnswer = pHost->handleRequest(args.strMessage);
            Q_UNUSED(pHost)
            Q_UNUSED(args)
        }
    }
    envelope.setExtra(QLatin1String("message"), strAnswer);
    return envelope.reply();
}

QString WindowControlManager::TriggerMouseEvent(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Window);
    if (envelope.isParsed()) {
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: pHost->triggerMouseEvent();
            Q_UNUSED(pHost)
        }
    }
    return envelope.reply();
}

QString WindowControlManager::GrabOpen(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Window);
    if (envelope.isParsed()) {
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: pHost->grabWindowImage();
            Q_UNUSED(pHost)
        }
    }
    return envelope.reply();
}

QString WindowControlManager::SimMouseClickEvent(const QString &request)
{
    // The point is accepted and nothing is clicked.
    RequestEnvelope envelope(request, ErrorModule::Window);
    if (envelope.isParsed())
        readSimMouseClickEventArgs(envelope.object());
    return envelope.reply();
}
