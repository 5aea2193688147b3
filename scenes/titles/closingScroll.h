#pragma once
// The closing scroll (entry 116, which never ends): "The End", the credits, a
// note from the author and a long tail of filler lines scroll up, swaying and
// breathing, and then start again from the top with a fresh fade-in.
#include <cstdint>
#include <string>
#include <vector>

// One run of identical lines in the scroll's text.
struct ScrollRun {
  int count;
  const char* line;
};

inline constexpr const char* restartMarker = "...scroll restart...";
inline constexpr int scrollLineCount = 1016;
// The lines the scroll shows in one pass, end to end.
inline constexpr int scrollWindowLines = 30;

// The text as runs of lines, top to bottom, ending with the restart marker.
extern const std::vector<ScrollRun> scrollRuns;

struct ScrollState {
  // Fade-in counter: 0 black, 200 fully visible.
  float scrollFade = 0.0f;
  // Position within the current line, 0 to 0.075.
  float scrollOffset = 0.0f;
  // Phase of the slow zoom.
  float breathPhase = 0.0f;
};

struct ClosingScroll {
  // Zeroed at the start and at every restart, with the sway phase of the
  // text drawing.
  ScrollState state{};
  // Every line of the text, one element each, filled by the init.
  std::vector<const char*> scrollLines;
  // Lines scrolled past since the last (re)start.
  int32_t scrollIndex = 0;
  // The y of the top drawn line while scrollOffset is 0. A restart keeps it.
  float scrollBase = 3500.0f;
  // Width and height of the text projection at rest.
  int32_t scrollUnits[2] = {2700, 2700};
  // Width and height of the text projection this frame.
  int32_t scrollView[2] = {0, 0};
  // Restarts so far.
  int32_t restarts = 0;
};

extern ClosingScroll closingScroll;

// Zeroes the state, lays out the text, hides the cursor.
void scrollInit();
// One frame: breathe, scroll, draw up to 30 lines from the current one,
// restart when the marker comes up, fade in.
void scrollDisplay();

// The scroll's timers and position in scroll.json.
void dumpClosingScroll(const std::string& frameDirectory);
