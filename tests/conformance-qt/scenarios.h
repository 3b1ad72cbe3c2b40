// The scenarios by subject, in the order main runs them.
#pragma once

void windowScenarios();
void activationScenarios();
void reparentScenarios();
void pixelScenarios();
