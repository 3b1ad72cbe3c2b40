// Geometry requests: placement over the page, covers, cut-outs.
#include "WindowControlManager.h"

#include "RequestTable.h"
#include "WindowArgs.h"
#include "host/WindowControl.h"

QString WindowControlManager::SetWndGeometry(const QString &request)
{
    return forward<&WindowControlManager::SetWndGeometry>(request, [](WindowControl *pHost, const QJsonObject &fields) {
        const SetWndGeometryArgs args = readSetWndGeometryArgs(fields);
        const QLatin1String operation("setWndGeometry");
        // Requests may arrive out of order: an older one (by text order) is dropped.
        if (pHost->lastTimestamp(operation) <= args.strTimestamp) {
            const PageRect &r = args.rect;
            pHost->setWndGeometry(r.iLeft, r.iTop, r.iWidth, r.iHeight, true);
            pHost->setLastTimestamp(operation, args.strTimestamp);
            pHost->repaintAtPlace();
        }
    });
}

QString WindowControlManager::SetWndCover(const QString &request)
{
    return forward<&WindowControlManager::SetWndCover>(request, [](WindowControl *pHost, const QJsonObject &fields) {
        const SetWndCoverArgs args = readSetWndCoverArgs(fields);
        pHost->setWndCover(args.strPosition, args.iSize);
    });
}

QString WindowControlManager::CuttingPartWindow(const QString &request)
{
    return forward<&WindowControlManager::CuttingPartWindow>(
        request, [](WindowControl *pHost, const QJsonObject &fields) {
            const CuttingPartWindowArgs args = readCuttingPartWindowArgs(fields);
            const PageRect &r = args.rect;
            pHost->cutPartWindow(r.iLeft, r.iTop, r.iWidth, r.iHeight, args.iRound);
        });
}

QString WindowControlManager::RepairPartWindow(const QString &request)
{
    return forward<&WindowControlManager::RepairPartWindow>(
        request, [](WindowControl *pHost, const QJsonObject &fields) {
            const RepairPartWindowArgs args = readRepairPartWindowArgs(fields);
            const PageRect &r = args.rect;
            pHost->repairPartWindow(r.iLeft, r.iTop, r.iWidth, r.iHeight, args.iRound);
        });
}

QString WindowControlManager::RestoreWnd(const QString &request)
{
    // Accepted and answered, for any window; margins, region and geometry stay as they are.
    return RequestEnvelope(request, moduleOf<&WindowControlManager::RestoreWnd>()).reply();
}
