#include "WindowArgs.h"

#include "JsonFields.h"

using namespace JsonFields;

PageRect readPageRect(const QJsonObject &rect)
{
    PageRect r;
    r.iLeft = integer(rect, QLatin1String("left"));
    r.iTop = integer(rect, QLatin1String("top"));
    r.iWidth = integer(rect, QLatin1String("width"));
    r.iHeight = integer(rect, QLatin1String("height"));
    return r;
}

CreateWndArgs readCreateWndArgs(const QJsonObject &request)
{
    CreateWndArgs args;
    args.rect = readPageRect(object(request, QLatin1String("rect")));
    args.strClassName = text(request, QLatin1String("className"));
    if (request.contains(QLatin1String("embed")))
        args.bEmbed = flag(request, QLatin1String("embed"));
    args.strParentWnd = text(request, QLatin1String("parentWnd"));
    // The page says the handle is not its own parent to embed in: search by title instead.
    if (request.contains(QLatin1String("activeXParentWnd")) && !flag(request, QLatin1String("activeXParentWnd")))
        args.strParentWnd.clear();
    args.iWorkMode = integer(request, QLatin1String("workMode"));
    args.iSplitType = integer(request, QLatin1String("splitType"), 2);
    args.strLanguageType = text(request, QLatin1String("languageType"));
    args.iWndMode = integer(request, QLatin1String("wndMode"));
    args.iWndNum = integer(request, QLatin1String("wndNum"), 64);
    return args;
}

SetWndGeometryArgs readSetWndGeometryArgs(const QJsonObject &request)
{
    SetWndGeometryArgs args;
    args.strTimestamp = request.contains(QLatin1String("timestamp"))
                            ? text(request, QLatin1String("timestamp"))
                            : QStringLiteral("0");
    args.rect = readPageRect(object(request, QLatin1String("rect")));
    return args;
}

SetWndCoverArgs readSetWndCoverArgs(const QJsonObject &request)
{
    SetWndCoverArgs args;
    args.strPosition = text(request, QLatin1String("position"));
    args.iSize = integer(request, QLatin1String("size"));
    return args;
}

CuttingPartWindowArgs readCuttingPartWindowArgs(const QJsonObject &request)
{
    CuttingPartWindowArgs args;
    args.rect = readPageRect(object(request, QLatin1String("rect")));
    args.iRound = integer(request, QLatin1String("round"));
    return args;
}

SimMouseClickEventArgs readSimMouseClickEventArgs(const QJsonObject &request)
{
    SimMouseClickEventArgs args;
    args.iPointX = integer(request, QLatin1String("pointX"));
    args.iPointY = integer(request, QLatin1String("pointY"));
    return args;
}

HandleRequestArgs readHandleRequestArgs(const QJsonObject &request)
{
    return HandleRequestArgs{text(request, QLatin1String("message"))};
}
