#pragma once
// The lattice gas on screen: a 150 x 150 pixel panel right of centre, the gas
// fading in and out, a credit caption and the fade from black.
#include <string>

// The scene's timers: gas fade in and out, caption in and out, and the fade
// from black.
struct GasTimers {
  float fadeIn = 0.0f;
  float fadeOut = 0.0f;
  float captionIn = 0.0f;
  float captionOut = 0.0f;
  float screenFade = 0.0f;
};

extern GasTimers gasTimers;

void gasInit();
void gasIdle();
void gasReshape(int width, int height);
void gasDisplay();
// The grid, opaque, into the caller's viewport and projection; no clear, no
// swap (for the gas title card).
void drawGasCard();

// gasWalls.npy (150 x 150), gasParticles.npy (150 x 150 x 4), and the
// scene's timers in gas.json.
void dumpGasScene(const std::string& frameDirectory);
