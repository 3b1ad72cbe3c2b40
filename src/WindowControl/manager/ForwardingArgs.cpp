#include "ForwardingArgs.h"

#include "JsonFields.h"

using namespace JsonFields;

// ChangePlayMode reads "type" as a number, SetLanguageType the same key as a text.
ChangePlayModeArgs readChangePlayModeArgs(const QJsonObject &request)
{
    return ChangePlayModeArgs{integer(request, QLatin1String("type"))};
}

SetLanguageTypeArgs readSetLanguageTypeArgs(const QJsonObject &request)
{
    return SetLanguageTypeArgs{text(request, QLatin1String("type"))};
}

SetTranslateFileArgs readSetTranslateFileArgs(const QJsonObject &request)
{
    return SetTranslateFileArgs{text(request, QLatin1String("language"))};
}

SwitchToSimpleArgs readSwitchToSimpleArgs(const QJsonObject &request)
{
    return SwitchToSimpleArgs{integer(request, QLatin1String("simple"))};
}

SetFirstDayOfWeekArgs readSetFirstDayOfWeekArgs(const QJsonObject &request)
{
    return SetFirstDayOfWeekArgs{integer(request, QLatin1String("firstDay"))};
}

SetDragModeArgs readSetDragModeArgs(const QJsonObject &request)
{
    return SetDragModeArgs{integer(request, QLatin1String("drag"))};
}

SetNumberOfWindowsArgs readSetNumberOfWindowsArgs(const QJsonObject &request)
{
    return SetNumberOfWindowsArgs{integer(request, QLatin1String("number"))};
}
