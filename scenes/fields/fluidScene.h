#pragma once
// The water scenes: the sloshing glass that opens the presentation (Timeline
// entries 2 to 4), the water panel with its credit caption (entry 74), and the
// water on the fluid title card.
#include <string>

// The display timers of the water scenes, zeroed together by every init.
struct FluidTimers {
  // The veil: rises to 1 (the scene clears), then the second rises to 1.
  float veilIn = 0.0f;
  float veilOut = 0.0f;
  // The credit caption darkens, then returns.
  float captionIn = 0.0f;
  float captionOut = 0.0f;
  // Half-width of the picture strip at the foot of the glass, 0 to 1.
  float strip = 0.0f;
};

extern FluidTimers fluidTimers;

// Entry 2: the Timeline clock starts at the end of loading, the forced switch
// ends, the timers are zeroed and the water takes its start shape.
void fluidIntroInit();
// Entry 74 and the title card: timers zeroed, no forced switch, start shape.
void fluidInit2();
// Entry 4: the timers only.
void fluidResetTimers();

// One step per cycle (entries 2 and 74), two on the title card.
void fluidIdle();
void fluidCardIdle();

// The glass filling up behind a fading veil.
void fluidIntroDisplay();
// The same, with the picture strip growing at the foot of the glass.
void fluidLogoDisplay();
// The full glass fading to black.
void fluidOutroDisplay();
// Entry 74: the water panel, its veil and the programming credit.
void fluidDisplay();

// The water panel at the left, 150 x 150 pixels, under the caller's projection.
void drawFluidPanel();
// The water for the title card, inside the viewport and projection its caller
// sets; no clear, no swap.
void drawFluidCard();

// The water's four arrays (201 each) and the scenes' timers.
void dumpFluidScene(const std::string& frameDirectory);
