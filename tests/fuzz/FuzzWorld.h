// The fixed scene every fuzzed request runs against: a Qt application on the simulated
// desktop, browser windows, and window hosts registered under known keys.
#pragma once

#include <QString>
#include <QStringList>

namespace fuzz {

// Once per process: the application, the desktop windows and the first hosts.
void initialise();

// After every request: pending Qt work runs, hosts under keys of the fuzzer's own
// making go, the known keys are registered again when a request removed them, and the
// journals and queues that only grow are emptied.
void settle();

// Known faults, reported and not to be found again: page values near the int limits
// overflow the host's geometry arithmetic and make the simulated desktop's regions and
// backing stores want gigabytes. True for a geometry request that carries a number
// beyond any screen (|n| > 10^6); such requests are not sent (FUZZ_ALL_NUMBERS set in
// the environment sends them all).
bool beyondScreens(const char *pszHandler, const QString &request);

// The keys the scene keeps registered.
QStringList knownKeys();

} // namespace fuzz
