// Win32 scenario program: builds window trees, performs the steps the window host relies on
// and prints one observation per line. The same source runs against the real user32/gdi32
// (under Wine) and against the simulated desktop; the transcripts must match.
#include "harness.h"
#include "scenarios.h"

int main()
{
    conf::registerClasses();
    stackingScenarios();
    geometryScenarios();
    regionScenarios();
    messageScenarios();
    desktopScenarios();
    winEventScenarios();
    conf::scenario(nullptr);
    return conf::end();
}
