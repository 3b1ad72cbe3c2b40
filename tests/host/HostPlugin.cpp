// An integration library for the host tests: its window is a plain child of the host.
// With HOST_PLUGIN_FAIL set, createWnd makes nothing.
#define INTEGRATION_LIBRARY
#include <Integration/IntegrationExports.h>

#include <win32sim/Desktop.h>

INTEGRATION_API HWND createWnd(HWND hParent)
{
    if (qEnvironmentVariableIsSet("HOST_PLUGIN_FAIL"))
        return nullptr;
    return win32sim::createWindow({"HostPluginWindow", "plugin", QRect(0, 0, 10, 10), false, hParent});
}
