// The scenarios, in the order main runs them.
#pragma once

void scenarioNativeWindows();
void scenarioChildWindows();
void scenarioToolOwners();
void scenarioStacking();
void scenarioActivation();
void scenarioToolWithoutActivation();
void scenarioReparent();
void scenarioReparentedGeometry();
void scenarioParentDestroyed();
void scenarioEmbedded();
void scenarioEmbeddedFocus();
void scenarioRegions();
void scenarioGrab();
