#pragma once
// The lattice gas on screen: a 150 x 150 pixel panel right of centre, the gas
// fading in and out, a credit caption and the fade from black.

void gasInit();
void gasIdle();
void gasReshape(int width, int height);
void gasDisplay();
// The grid, opaque, into the caller's viewport and projection; no clear, no
// swap (for the gas title card).
void drawGasCard();
