#pragma once
// The gravity field on screen: the first-half scene with its three images,
// and the field drawn on the title card of the second half.
#include <string>

// Fade-in progress of the first-half scene; it grows once per run and is
// never reset.
struct GravityTimers {
  float fade = 0.0f;
};

extern GravityTimers gravityTimers;

// Clear colour black, blend function (source alpha, zero); the field and its
// sources are left as they are.
void gravityInit();
// Recomputes the field, then walks the sources with the scene's amplitudes.
void gravityIdle();
// As gravityIdle, with the title card's larger amplitudes.
void gravityCardIdle();
// The field at half brightness, large on the right and twice at half size on
// the left, fading in from black over the first 200 ms of the run.
void gravityDisplay();
// The field over [-1, 1]^2 of the caller's projection, at full brightness;
// neither clears nor swaps.
void drawGravityCard();

// gravityField.npy (300 x 300), the sources and the scene's fade in
// gravity.json.
void dumpGravityScene(const std::string& frameDirectory);
