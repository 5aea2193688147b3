#pragma once
// The black-screen logo scenes around the shared pendulum at the start of the
// first track: the grid of pendulums that darkens (entry 6), the rotating
// lines of the event (entry 7) and of the production's title (entry 10), and
// three pendulums under a scrolling slogan (entries 9 and 11). The pendulum
// swings in the shared idle; these scenes set it up and draw it.
#include <string>

// Pivot offsets of the three pendulums, in the order they are drawn from the
// shared generator.
enum PivotOffset { P2X, P2Y, P3X, P3Y, P1X, P1Y, pivotOffsetCount };

struct LogoScenes {
  // Grey-level counter of the grid (entry 6); rotation angle in degrees of
  // the rotating lines (entries 7 and 10).
  float logoCounter = 0.0f;
  float pivotOffset[pivotOffsetCount] = {};
  // Left ends of the near and the far slogan.
  float sloganX1 = 0.0f;
  float sloganX2 = 0.0f;
};

extern LogoScenes logoScenes;

// The lines of entry 7 and entry 10.
inline constexpr const char* eventLines[2] = {"You Get What You Deserve", "Brisko"};
inline constexpr const char* slogan = "a physically oriented demo";

// Entries 6, 7 and 10: black, opaque blending, counter at 0, and the short
// slow pendulum (length 0.2) released from 2.5 rad.
void logoInitA();
// Entries 9 and 11: black, opaque blending, the slogans at their start, the
// longer faster pendulum (length 0.3) released from 2.5 rad, and six fresh
// random pivot offsets.
void logoInitB();
// Entry 6: 196 pendulums in a grid, darkening from grey 0.5 to black in
// about 1.3 s.
void logoGridDisplay();
// Entry 7: the event's two lines, near and far, turning apart.
void logoEventDisplay();
// Entry 10: the production's title, turning the other way.
void logoTitleDisplay();
// Entries 9 and 11: three pendulums in step under the slogan crossing twice.
void logoSloganDisplay();

// logo.json: the counter, the pivot offsets and the slogans' positions.
void dumpLogoScenes(const std::string& frameDirectory);
