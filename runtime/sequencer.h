#pragma once
// The Sequencer: walks the Timeline, keeps the clocks and owns the only
// callbacks registered with GLUT.
//
// Everyone may read its state; only the functions below write it, so every
// change of a clock, of the forced switch or of the quit fade can be found by
// name.
#include <cstddef>
#include <cstdint>

#include "runtime/sceneEntry.h"

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
  // The animation step of every scene: nowMs minus the previous cycle's.
  int32_t frameMs = 0;
  int32_t loadOffsetMs = 0;
  int32_t trackTwoOffsetMs = 0;
  bool forceAdvance = false;
  bool quitRequested = false;
  float quitFade = 0.0f;
  bool paused = false;
  SceneDecor decor{};
};

extern const SequencerState& sequencer;

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
// Takes the window's size; the scene's reshape receives the layout's.
void reshapeTrampoline(int width, int height);
void keyboardHandler(unsigned char key, int x, int y);

// --- The writers of the Sequencer's state -----------------------------------

// Replaces the whole state: a fresh start, or a prepared one in tests.
void resetSequencer(const SequencerState& state = {});
// Start-up: the clock starts now.
void startClock();
// Entry 2: the entries after loading are timed from the moment loading
// finished, and the forced switch of the loading screen ends.
void markLoadingFinished();
// Entry 5, once the first track plays: the clock starts again with it, so
// entries 6 to 89 are timed from its first note.
void restartClockWithTrackOne();
// Entry 91, once the second track plays: entries 92 to 116 are timed from
// its start.
void offsetClockToTrackTwo();
// The loading screen has loaded every picture: switch on every cycle.
void requestForcedAdvance();
// Entry 74 ends a forced switch that may still be on.
void endForcedAdvance();
// An engine scene that builds its bodies anew: the cycle that activates it
// advances no time, so its idle steps by 0 ms and its display moves nothing.
void discardFrameTime();
// Texture reservation and every picture load: a pending quit fade starts
// again from the beginning.
void resetQuitFade();
