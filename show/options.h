#pragma once
// The command-line values the presentation and the capture tool share:
// sizes, frame rates and where to start. Each parser returns false for text
// it cannot take, with the reason in `why`.
#include <cstdint>
#include <string>

#include "show/virtualRun.h"

// The smallest and largest window the layout is drawn into.
inline constexpr int smallestWindowWidth = 320;
inline constexpr int smallestWindowHeight = 240;
inline constexpr int largestWindowSide = 7680;

// "WxH", e.g. "1920x1080".
bool parseWindowSize(const char* text, int& width, int& height, std::string& why);
// "60", "50", "30000/1001": from 1 to 1000 frames a second.
bool parseFrameRate(const char* text, FrameRate& rate, std::string& why);
// A whole number from low to high.
bool parseWhole(const char* text, int64_t low, int64_t high, int64_t& value, std::string& why);

// Where a run starts playing: an entry (1 to 116), or a virtual time since
// start-up; neither means the start.
struct StartPoint {
  int entry = 0;
  int64_t ms = -1;
  bool fromStart() const { return entry == 0 && ms < 0; }
  // True once a cycle has reached it: the entry is current and drawn, or the
  // time has come.
  bool reachedBy(const VirtualCycle& cycle) const;
};
