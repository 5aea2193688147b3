#pragma once
// The planar engine on screen: a heavy ball falls onto an elastic rope of 40
// beads held at both ends; the rope stretches, throws the ball back up and
// rings. Drawn in a small square panel right of centre with its springs,
// beads, ball and velocity arrows, under a design credit caption.
#include <cstdint>
#include <string>

struct RopeTimers {
  // The panel fades in, then out (4 s each).
  float fadeIn = 0.0f;
  float fadeOut = 0.0f;
  // The caption darkens, then comes back.
  float captionIn = 0.0f;
  float captionOut = 0.0f;
  // Idle cycles since program start.
  int32_t frameCounter = 0;
};

extern RopeTimers ropeTimers;

void ropeInit();
// As ropeInit without its GL set-up, and with two balls instead of one, for
// the planar engine's title card.
void ropeInitCard();
void ropeIdle();
// The viewport over the window and the box (-0.9 to 0.9 both ways) as the
// projection.
void ropeReshape(int width, int height);
void ropeDisplay();
// The rope, ball and frame into the title card's viewport and projection:
// no clear, springs in black, no fade quad, no caption, no swap.
void drawRopeCard();

// rope.json: the fade and caption timers and the frame counter.
void dumpRopeScene(const std::string& frameDirectory);
