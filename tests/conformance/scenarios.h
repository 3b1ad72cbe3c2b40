// The scenarios by subject, in the order main runs them.
#pragma once

void stackingScenarios();
void geometryScenarios();
void regionScenarios();
void messageScenarios();
void desktopScenarios();
void winEventScenarios();
