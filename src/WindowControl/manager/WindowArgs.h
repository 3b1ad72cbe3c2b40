#pragma once

#include <QJsonObject>
#include <QString>

// Fields of the window requests, read from the request object in their documented order.

// A page rectangle: "left", "top", "width", "height" of an object member.
struct PageRect
{
    int iLeft = 0;
    int iTop = 0;
    int iWidth = 0;
    int iHeight = 0;
};
PageRect readPageRect(const QJsonObject &rect);

struct CreateWndArgs
{
    PageRect rect;
    QString strClassName;
    bool bEmbed = true;
    QString strParentWnd;       // a native window handle as decimal text, or empty
    int iWorkMode = 0;
    int iSplitType = 2;
    QString strLanguageType;
    int iWndMode = 0;
    int iWndNum = 64;
};
CreateWndArgs readCreateWndArgs(const QJsonObject &request);

struct SetWndGeometryArgs
{
    QString strTimestamp;       // "0" when the request has none
    PageRect rect;
};
SetWndGeometryArgs readSetWndGeometryArgs(const QJsonObject &request);

struct SetWndCoverArgs
{
    QString strPosition;        // "left", "right", "top" or "bottom"
    int iSize = 0;
};
SetWndCoverArgs readSetWndCoverArgs(const QJsonObject &request);

// CuttingPartWindow and RepairPartWindow: a rounded rectangle of the host.
struct CuttingPartWindowArgs
{
    PageRect rect;
    int iRound = 0;
};
using RepairPartWindowArgs = CuttingPartWindowArgs;
CuttingPartWindowArgs readCuttingPartWindowArgs(const QJsonObject &request);
inline RepairPartWindowArgs readRepairPartWindowArgs(const QJsonObject &request)
{
    return readCuttingPartWindowArgs(request);
}

struct SimMouseClickEventArgs
{
    int iPointX = 0;
    int iPointY = 0;
};
SimMouseClickEventArgs readSimMouseClickEventArgs(const QJsonObject &request);

struct HandleRequestArgs
{
    QString strMessage;
};
HandleRequestArgs readHandleRequestArgs(const QJsonObject &request);
