#pragma once
// The spatial engine shown as a row of eight pendulum balls: seven hang, the
// eighth starts raised to the side and its impact runs through the row.
// Entries 19 and 21 are two short glimpses; entries 27 to 42 are one running
// simulation cut into sixteen shots, each of which only moves the camera,
// changes the layout, gravity or the step mode, or drops heavy balls into the
// row; the title card of entry 100 draws the row into its insets.
#include <cstdint>
#include <string>

#include "runtime/screen.h"

struct CradleState {
  // Camera motion of the current shot; shot 3 also freezes the simulation.
  int32_t shotMode = 0;
  // The main display adds a small second view.
  bool insetView = false;
  // Drives the camera of the title card's view.
  float cardSpin = 0.0f;
  // Phase of the rolling shot; it only ever decreases, and never restarts.
  float rollPhase = 3.1415927f;
};

extern CradleState cradle;

// Inits.
void initCradleGlimpse();
void initCradleCloseUp();
void initCradleShow();
void initShotZoom();
void initShotFreeze();
void initShotLayouts();
void initShotHeavyBall();
void initShotTwoBalls();
void initShotWide();
void initShotAtScale05();
void initShotAtScale03();
void initShotAtScale01();
void initShotRoll();
// The row of the engine's title card: a fresh row in the original box, the
// view at its start-up angles.
void buildCradle();

// One World step unless the shot freezes it, then a redisplay request.
void idleCradle();
// As idleCradle, and the title card's camera turns on.
void idleCradleCard();

// Displays.
void displayCradleGlimpse();
void displayCradleCloseUp();
void displayCradleMain();
void displayCradleMainPlain();
void displayCradleGrid();
void displayCradleFramed();
void displayCradleColumn1();
void displayCradleColumn2();
void displayCradleColumn3();
// The row into the title card's current viewport: no clear, no frame
// finishing, no swap. Leaves lighting, fog and blending off, the unit
// orthographic projection, an identity model-view and the colour white.
void drawCradleCardView();

// The camera motion of a shot for a step of k = frameMs * 0.1: the main
// display moves for the shots 2 (zoom and turn), 3 and 32 (pan) and 14
// (grow and roll); the plain one only for 2 and 3.
void moveCradleCamera(bool plain, float k);

// The column layout for the layout size: small view i (1 to 3) down the left
// third, from the top; the main view over the right two thirds. Thirds are
// taken with the float nearest 1/3 and truncated.
PixelRect columnSmallView(int i);
PixelRect columnMainView();

// cradle.json: the shot mode, the inset switch, the card spin, the roll phase.
void dumpCradleScene(const std::string& frameDirectory);
