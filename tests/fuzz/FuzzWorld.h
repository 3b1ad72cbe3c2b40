// The fixed scene every fuzzed request runs against: a Qt application on the simulated
// desktop, browser windows, and window hosts registered under known keys.
#pragma once


namespace fuzz {

// Once per process: the application on the simulated desktop's platform, quiet but for
// critical messages.
void startApplication(const char *pszProgram);

// Once per process: the application, the desktop windows and the first hosts.
void initialise();

// After every request: no host may be larger than the screen (it aborts otherwise),
// pending Qt work runs, hosts under keys of the fuzzer's own making go, the known keys
// are registered again when a request removed them, and the journals and queues that
// only grow are emptied.
void settle();

} // namespace fuzz
