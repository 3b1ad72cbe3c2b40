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
        WindowControl *pHost = findWindow(envelope.uuid());
        const QLatin1String operation("setWndGeometry");
        // Requests may arrive out of order: an older one (by text order) is dropped.
        if (pHost && pHost->lastTimestamp(operation) <= args.strTimestamp) {
            const PageRect &r = args.rect;
            pHost->setWndGeometry(r.iLeft, r.iTop, r.iWidth, r.iHeight, true);
            pHost->setLastTimestamp(operation, args.strTimestamp);
            if (pHost->isVisible()) {
                // Hidden and shown once so the native window repaints at its new place;
                // without SWP_NOZORDER both calls also bring it to the top of its siblings.
                const HWND hWnd = reinterpret_cast<HWND>(pHost->winId());
                SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
                SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            }
        }
    }
    return envelope.reply();
}

QString WindowControlManager::SetWndCover(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Window);
    if (envelope.isParsed()) {
        const SetWndCoverArgs args = readSetWndCoverArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid()))
            pHost->setWndCover(args.strPosition, args.iSize);
    }
    return envelope.reply();
}

QString WindowControlManager::CuttingPartWindow(const QString &request)
{
    RequestEnvelope envelope(request, ErrorModule::Window);
    if (envelope.isParsed()) {
        const CuttingPartWindowArgs args = readCuttingPartWindowArgs(envelope.object());
        if (WindowControl *pHost = findWindow(envelope.uuid())) {
            const PageRect &r = args.rect;
            pHost->cutPartWindow(r.iLeft, r.iTop, r.iWidth, r.iHeight, args.iRound);
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
            const PageRect &r = args.rect;
            pHost->repairPartWindow(r.iLeft, r.iTop, r.iWidth, r.iHeight, args.iRound);
        }
    }
    return envelope.reply();
}

QString WindowControlManager::RestoreWnd(const QString &request)
{
    // Accepted and answered, for any window; margins, region and geometry stay as they are.
    return RequestEnvelope(request, ErrorModule::Window).reply();
}
