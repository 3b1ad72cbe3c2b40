// Geometry requests: placement over the page, covers, cut-outs.
#include "WindowControlManager.h"

#include "RequestEnvelope.h"
#include "WindowArgs.h"
#include "host/WindowControl.h"

QString WindowControlManager::SetWndGeometry(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Window);
    if (envelope.isParsed()) {
        const SetWndGeometryArgs args = readSetWndGeometryArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: drop the request when lastTimestamp("setWndGeometry") sorts after
            // args.strTimestamp; else setWndGeometry, setLastTimestamp and, for a
            // visible host, the hide/show redraw of its native window.
            Q_UNUSED(pHost)
            Q_UNUSED(args)
        }
    }
    return envelope.reply();
}

QString WindowControlManager::SetWndCover(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Window);
    if (envelope.isParsed()) {
        const SetWndCoverArgs args = readSetWndCoverArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: pHost->setWndCover(args.strPosition, args.iSize);
            Q_UNUSED(pHost)
            Q_UNUSED(args)
        }
    }
    return envelope.reply();
}

QString WindowControlManager::CuttingPartWindow(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Window);
    if (envelope.isParsed()) {
        const CuttingPartWindowArgs args = readCuttingPartWindowArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: pHost->cutPartWindow(left, top, width, height, args.iRound);
            Q_UNUSED(pHost)
            Q_UNUSED(args)
        }
    }
    return envelope.reply();
}

QString WindowControlManager::RepairPartWindow(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Window);
    if (envelope.isParsed()) {
        const RepairPartWindowArgs args = readRepairPartWindowArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            // TODO: pHost->repairPartWindow(left, top, width, height, args.iRound);
            Q_UNUSED(pHost)
            Q_UNUSED(args)
        }
    }
    return envelope.reply();
}

QString WindowControlManager::RestoreWnd(const QString &request)
{
    // Accepted and answered, for any window; margins, region and geometry stay as they are.
    return RequestEnvelope(request, ErrorModule::Window).reply();
}
