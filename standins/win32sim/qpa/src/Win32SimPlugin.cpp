#include "Win32SimPlugin.h"

#include "Win32SimIntegration.h"

QPlatformIntegration *Win32SimIntegrationPlugin::create(const QString &key, const QStringList &paramList)
{
    Q_UNUSED(paramList);
    if (key.compare(QLatin1String("win32sim"), Qt::CaseInsensitive) == 0)
        return new Win32SimIntegration;
    return nullptr;
}
