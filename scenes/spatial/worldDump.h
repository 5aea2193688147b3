#pragma once
// The World's state for the capture tool: each list in list order, heads
// included, as a NumPy record array, and the world's settings as JSON. The
// scenes that run the engine register it with registerStateDump.
#include <string>

// Writes world.json, worldParticles.npy, worldSprings.npy and worldSpheres.npy.
// Springs name their ends and spheres their carriers by index in the
// particle list (the head is 0); -1 stands for none or for a particle that is
// not in the list.
void dumpWorld(const std::string& frameDirectory);
