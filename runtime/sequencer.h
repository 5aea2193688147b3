#pragma once
// The Sequencer: walks the Timeline, keeps the clocks and owns the only
// callbacks registered with GLUT.
#include <cstddef>
#include <cstdint>

#include "runtime/timeline.h"

// One decoration rectangle of the fade (drawn by fadeWithDecor).
struct DecorRect {
  float base = 0.0f;
  float centreX = 0.0f;
  float centreY = 0.0f;
  float growX = 0.0f;
  float growY = 0.0f;
};

// Random decoration parameters, redrawn at each entry activation.
struct SceneDecor {
  DecorRect rect[3];
};

// The keyboard-adjustable view of the 3D scenes.
struct ViewControls {
  double viewScaleX = 0.9;
  double viewScaleY = 0.9;
  double viewScaleZ = 0.9;
  double viewAngleX = -36.0;
  double viewAngleY = 8.7;
  double viewAngleZ = 0.0;
  double viewShiftX = 0.0;
  double viewShiftY = -0.4;
  double viewShiftZ = 0.0;
};

struct SequencerState {
  // Copy of the active entry; its callbacks are the ones the trampolines call.
  SceneEntry currentEntry{};
  // Number (1 to 116) of the active entry; 0 before the first activation.
  int currentNumber = 0;
  // Index into the Timeline of the entry activated next; equals the
  // Timeline's length once entry 116 is active.
  size_t nextEntry = 0;
  uint32_t startTick = 0;
  int32_t nowMs = 0;
  int32_t frameMs = 0;
  int32_t loadOffsetMs = 0;
  int32_t trackTwoOffsetMs = 0;
  bool forceAdvance = false;
  bool quitRequested = false;
  float quitFade = 0.0f;
  bool paused = false;
  SceneDecor decor{};
  ViewControls view{};
};

extern SequencerState sequencer;

// Every animation rate is applied as frameMs * frameScale * a rate.
inline constexpr float frameScale = 0.1f;

// nowMs - loadOffsetMs - trackTwoOffsetMs, in wrapping 32-bit arithmetic.
int32_t timelineMs();

// Makes the entry current, runs its init, then draws fresh decoration.
void activateEntry(const SceneEntry& entry);

// Activates the entry under the cursor and moves the cursor on.
void activateNextEntry();

// The callbacks registered with GLUT.
void idleTrampoline();
void displayTrampoline();
void reshapeTrampoline(int width, int height);
void keyboardHandler(unsigned char key, int x, int y);

// Entry 2's part of the clock: the entries after loading are timed from the
// moment loading finished, and the forced switch of the loading screen ends.
void markLoadingFinished();
