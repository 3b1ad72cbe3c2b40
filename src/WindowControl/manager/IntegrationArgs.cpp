#include "IntegrationArgs.h"

#include "JsonFields.h"

using namespace JsonFields;

StartServiceArgs readStartServiceArgs(const QJsonObject &request)
{
    return StartServiceArgs{text(object(request, QLatin1String("options")), QLatin1String("dllPath"))};
}

RequestInterfaceArgs readRequestInterfaceArgs(const QJsonObject &request)
{
    return RequestInterfaceArgs{object(request, QLatin1String("requestParams"))};
}
