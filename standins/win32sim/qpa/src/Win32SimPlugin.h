#pragma once

#include <qpa/qplatformintegrationplugin.h>

class Win32SimIntegrationPlugin : public QPlatformIntegrationPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QPlatformIntegrationFactoryInterface_iid FILE "win32sim.json")

public:
    QPlatformIntegration *create(const QString &key, const QStringList &paramList) override;
};
