// Win32 scenario program: builds window trees, performs the steps the window host relies on
// and prints one observation per line. The same source runs against the real user32/gdi32
// (under Wine) and against the simulated desktop; the transcripts must match.
#include <windows.h>

#include <cstdio>

#include "scenarios.h"
#include "transcript.h"

int main()
{
    conf::registerClasses();
    scenarioTopLevelOrder();
    scenarioOwnedOrder();
    scenarioChildOrder();
    scenarioFrames();
    scenarioMoves();
    scenarioReparent();
    scenarioRegionShapes();
    scenarioRegionCombine();
    scenarioWindowRegion();
    scenarioCreateMessages();
    scenarioShowMessages();
    scenarioActivationMessages();
    scenarioReparentMessages();
    scenarioStyle();
    scenarioDestroyTree();
    scenarioDetachInDestroy();
    scenarioForeground();
    scenarioMonitors();
    scenarioTexts();
    scenarioFind();
    scenarioPosted();
    scenarioKernel();
    scenarioStaleHandles();
    scenarioWinEvents();
    scenarioWinEventsRaised();
    conf::finish();
    std::printf("end: %d observations, %d scenarios\n", conf::observationCount(), conf::scenarioCount());
    return 0;
}
