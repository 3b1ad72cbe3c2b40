#pragma once

#include <QJsonObject>
#include <QString>

// Fields of the integration library requests.

struct StartServiceArgs
{
    QString strDllPath;         // "options"."dllPath", relative to the application folder
};
StartServiceArgs readStartServiceArgs(const QJsonObject &request);

struct RequestInterfaceArgs
{
    QJsonObject requestParams;
};
RequestInterfaceArgs readRequestInterfaceArgs(const QJsonObject &request);
