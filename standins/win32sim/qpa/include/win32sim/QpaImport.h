// Pulls the statically linked "win32sim" platform plugin into the program. Include it
// in exactly one source file of the executable or add-on that links win32sim_qpa, then
// start the application with "-platform win32sim" (or QT_QPA_PLATFORM=win32sim).
#pragma once

#include <QtPlugin>

#include <win32sim/Qpa.h>

Q_IMPORT_PLUGIN(Win32SimIntegrationPlugin)
