#pragma once
// The wave packet on screen (Timeline entries 109 to 115): its probability
// density as a glowing height mesh from one or two turning cameras, with
// pictures of the Schroedinger equation shrinking over it.
#include <string>

#include "runtime/pictureNames.h"

// Entry 112: as waveSceneInit, and the camera's slow turn starts again from 0.
void wfSceneInit();

// One mesh, 5 % to 95 % of the window, the camera zooming in with the phase.
void wfViewA();
// Two meshes in the upper right and lower left quarters.
void wfViewB();
void wfViewC();
// One mesh as a black checker with a white net, from a fixed side.
void wfViewD();
// One mesh over the whole window, shifted aside.
void wfViewE();

// A picture darkening the screen through `mask` and a faint glow of
// `overlay`, four times over slightly growing quads around the given bounds.
// Each call moves pictureSlide on.
void drawEquationPicture(Picture mask, Picture overlay, float left, float right, float bottom, float top);

// The wave function's arrays: wfPsi and wfChi as (76, 76, 2) doubles (real,
// imaginary), wfDensity, wfPotential, wfCellFlags; packetWidth in
// waveFunction.json.
void dumpWaveFunctionScene(const std::string& frameDirectory);
