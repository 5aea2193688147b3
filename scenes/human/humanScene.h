#pragma once
// The human body: the stick figure standing in the engine's box and moved by
// its muscles, seen three ways. Entry 23 is a one-second glimpse that fades
// out while the camera turns; entry 25 splits the screen into three small
// views down the left third and a large one; entry 77 flashes the figure up
// from black and back. Entries 23 and 25 each build a fresh body, entry 77
// builds it in the settings it restores after the colliding surfaces, and the
// title card of entry 97 draws it with drawHumanView.
#include <string>

struct HumanSceneState {
  // The second fade of entry 77, which brings the flash back to black. It
  // runs once in the whole show and is never reset.
  float fadeBackCounter = 0.0f;
};

extern HumanSceneState humanScene;

// Entries 23 and 25: a new body under gravity 4, the World's step and box
// as the scenes before left them, a view of scale 1.5 tilted by -36 degrees.
void initHumanBody();
// Entries 77 and 97: a new body under gravity 3, with the step, time scale,
// floor and ceiling set back to the engine's own after the colliding
// surfaces, and a view turned about all three axes.
void initHumanBodyReset();

// One World step with the muscle lengths of the last cycle, the muscles set
// for this cycle, the phase moved on, a redisplay asked for.
void animateHumanBody();

// Entry 23: the figure fading to black over one second as the camera turns.
void displayHumanFadeOut();
// Entry 25: three small views down the left third at half, full and one and
// a half times the scale, the main view over the rest; fades out over 2.5 s.
void displayHumanPanels();
// Entry 77: the figure lifted by 0.5 fades in over one second and out again
// over about 0.42 s while the camera sinks and drifts.
void displayHumanFlash();

// The figure into the current viewport, for the title card: no clear, no
// fade, no swap, the view left as it is. Leaves lighting, fog and blending
// off, the unit orthographic projection, an identity model-view and the
// colour white, with depth testing on.
void drawHumanView();

// human.json: the muscle phase and base lengths, which spring the muscles
// start from, and the flash's fade-back counter.
void dumpHumanScene(const std::string& frameDirectory);
