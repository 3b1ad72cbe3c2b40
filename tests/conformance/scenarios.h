// The scenarios, in the order main runs them.
#pragma once

void scenarioTopLevelOrder();
void scenarioOwnedOrder();
void scenarioChildOrder();
void scenarioFrames();
void scenarioMoves();
void scenarioReparent();
void scenarioRegionShapes();
void scenarioRegionCombine();
void scenarioWindowRegion();
void scenarioCreateMessages();
void scenarioShowMessages();
void scenarioActivationMessages();
void scenarioReparentMessages();
void scenarioStyle();
void scenarioDestroyTree();
void scenarioDetachInDestroy();
void scenarioForeground();
void scenarioMonitors();
void scenarioTexts();
void scenarioFind();
void scenarioPosted();
void scenarioKernel();
void scenarioStaleHandles();
void scenarioWinEvents();
void scenarioWinEventsRaised();
