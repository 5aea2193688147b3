#pragma once
// The colliding surfaces: heavy balls dropped on a springy grid of collision
// spheres (sim/surfaces/surface.h), shown by entries 75, 76 and 78 to 89 and
// by the title card of entry 106. Every picture is built from framed views
// over the one World that animateSurface advances: a large view of the
// surface in a part of the screen, and rows of small panels that slide in and
// out, each with its own viewport, background, camera and outline.
#include <cstdint>
#include <string>

#include "runtime/screen.h"

struct SurfaceSceneState {
  // Moves the panels (and the tracking camera); the inits set it, the
  // displays advance it.
  float panelSlide = 0.0f;
  // Small ball panels of the ball-panel displays and the finale.
  int32_t panelCount = 0;
  // Phase of the swaying large view.
  float surfaceWobble = 0.0f;
  // Phase of the finale's breathing large view; runs down once a run.
  float zoomPhase = 3.1415927f;
};

extern SurfaceSceneState surfaceScene;

// Inits that build a new surface: one ball (entry 75), two balls (78), two
// small balls (84). Each also sets the 3D view, the fade counter and the
// panels back, and the clear colour, viewport and projection.
void initSurfaceOneBall();
void initSurfaceTwoBalls();
void initSurfaceSmallBalls();
// The surface with one falling ball for the title card of entry 106.
void initSurfaceCard();

// Inits that keep the surface.
void initSurfaceKeep();
// The border lets go, but for the j = 9 edge (entry 80).
void releaseSurfaceEdges();
void initSurfacePanelsOne();
void initSurfacePanelsTwo();
void initSurfacePanelsThree();
void initSurfacePanelsFour();
void initSurfaceFinale();

// One open World step for this frame, then a redisplay request.
void animateSurface();
// Viewport over the window, identity projection; model-view selected.
void reshapeSurface(int width, int height);

// Displays.
void displaySurfaceDrop();
void displaySurfaceStripOut();
void displaySurfaceStripIn();
void displaySurfaceStrip();
void displaySurfaceBallPanels();
void displaySurfaceBallPanelsWide();
void displaySurfaceTracking();
void displaySurfaceFixed();
void displaySurfaceFull();
void displaySurfaceFinale();
// The surface into the title card's current viewport: no clear, no frame
// finishing, no swap. Leaves lighting, fog and blending off, the unit
// orthographic projection, an identity model-view and the colour white.
void drawSurfaceCardView();

// Where the views lie on the layout screen. Values are worked out in double
// precision and truncated towards zero.
// The large view of the drop.
PixelRect dropLargeView();
// The drop's panel k (0 to 2) for a panel slide: in from the left, the lower
// ones faster.
PixelRect dropPanel(int k, float panelSlide);
// The strip displays' panel k (0 to 2): along the top, from right to left.
PixelRect stripPanel(int k, float panelSlide);
// The inset of the ball-panel displays, rising from below.
PixelRect ballInset(float panelSlide);
// Ball panel n, from the right along the bottom.
PixelRect ballPanel(int n);
// Its scale: 1, 1, 2, 2 for n = 0 to 3, swaying with the wobble.
float ballPanelScale(int n, float surfaceWobble);

// surface.json: the panel slide and count, the wobble and the zoom phase.
void dumpSurfaceScene(const std::string& frameDirectory);
