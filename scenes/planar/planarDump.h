#pragma once
// The PlanarWorld's state for the capture tool: each list in list order,
// heads included, as a NumPy record array, and its settings as JSON.
#include <string>

// Writes planarWorld.json, planarParticles.npy, planarSprings.npy and
// planarCircles.npy. Spring ends and circle carriers are indices in the
// particle list (the head is 0); -1 stands for none.
void dumpPlanarWorld(const std::string& frameDirectory);
