#include "runtime/sequencer.h"

#include <algorithm>

#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/glutSeam.h"
#include "platform/random.h"
#include "runtime/screen.h"
#include "runtime/sharedCallbacks.h"
#include "runtime/viewControls.h"

namespace {

SequencerState state;

// A draw scaled to [0, 1], in single precision.
float unitDraw() { return static_cast<float>(demoRand()) * randScale; }

// Fifteen draws in a fixed order: the growths first, then base and centre of
// each rectangle. The first rectangle is larger (0.7) than the others (0.4).
void drawSceneDecorValues() {
  SceneDecor& decor = state.decor;
  for (DecorRect& rect : decor.rect) rect.growX = unitDraw();
  for (DecorRect& rect : decor.rect) rect.growY = unitDraw();
  for (int n = 0; n < 3; ++n) {
    const double size = n == 0 ? 0.7 : 0.4;
    DecorRect& rect = decor.rect[n];
    rect.base = static_cast<float>(static_cast<double>(unitDraw()) * size);
    rect.centreX = static_cast<float>((static_cast<double>(unitDraw()) - 0.5) * size);
    rect.centreY = static_cast<float>((static_cast<double>(unitDraw()) - 0.5) * size);
  }
}

bool entriesRemain() { return state.nextEntry < timeline.size(); }

}  // namespace

const SequencerState& sequencer = state;

int32_t timelineMs() {
  const uint32_t ms = static_cast<uint32_t>(state.nowMs) -
                      static_cast<uint32_t>(state.loadOffsetMs) -
                      static_cast<uint32_t>(state.trackTwoOffsetMs);
  return static_cast<int32_t>(ms);
}

void activateEntry(const SceneEntry& entry) {
  state.currentEntry = entry;
  entry.init();
  drawSceneDecorValues();
}

void activateNextEntry() {
  const SceneEntry& entry = timeline[state.nextEntry];
  ++state.nextEntry;
  state.currentNumber = static_cast<int>(state.nextEntry);
  activateEntry(entry);
}

void idleTrampoline() {
  // 1. The clock, read once per cycle.
  const int32_t previous = state.nowMs;
  state.nowMs = static_cast<int32_t>(getTickCount() - state.startTick);
  state.frameMs = static_cast<int32_t>(static_cast<uint32_t>(state.nowMs) -
                                           static_cast<uint32_t>(previous));

  // 2. At most one switch per cycle; equality with endMs keeps the entry.
  if (entriesRemain() &&
      (state.forceAdvance || state.currentEntry.endMs < timelineMs())) {
    activateNextEntry();
  }

  // 3. The Escape fade lowers the volume over 2000 ms, then the program ends.
  if (state.quitRequested) {
    if (state.quitFade < 1.0f) {
      // The one negative step after the clock restarts with the first track
      // would wind the fade back by seconds: it stands still for that cycle.
      const int32_t ms = std::max(state.frameMs, 0);
      const double step = static_cast<double>(ms) * static_cast<double>(frameScale) * 0.005;
      state.quitFade = static_cast<float>(static_cast<double>(state.quitFade) + step);
      audioSetVolume(static_cast<int>(100.0f - 100.0f * state.quitFade));
    } else {
      exitProgram(0);
      return;
    }
  }

  // 4. The scene's own idle (already the new entry's after a switch).
  state.currentEntry.idle();
}

void displayTrampoline() {
  prepareWindowFrame();
  state.currentEntry.display();
}

// The scene's reshape sees the layout's size; the window's own is kept for
// mapping layout pixels into it.
void reshapeTrampoline(int width, int height) {
  setWindowSize(width, height);
  state.currentEntry.reshape(static_cast<int>(screenWidth), static_cast<int>(screenHeight));
}

void keyboardHandler(unsigned char key, int, int) {
  ViewControls& view = viewControls;
  switch (key) {
    case 27: state.quitRequested = true; break;
    case '+':
      view.viewScaleX += 0.03;
      view.viewScaleY += 0.03;
      view.viewScaleZ += 0.03;
      break;
    case '-':
      view.viewScaleX -= 0.03;
      view.viewScaleY -= 0.03;
      view.viewScaleZ -= 0.03;
      break;
    case ',': view.viewShiftX -= 0.02; break;
    case '/': view.viewShiftX += 0.02; break;
    case '.': view.viewShiftY -= 0.02; break;
    case ';': view.viewShiftY += 0.02; break;
    case 'k': view.viewShiftZ += 0.02; break;
    case 'l': view.viewShiftZ -= 0.02; break;
    case '8': view.viewAngleX += 1.0; break;
    case '2': view.viewAngleX -= 1.0; break;
    case '6': view.viewAngleY += 1.0; break;
    case '4': view.viewAngleY -= 1.0; break;
    case '7': view.viewAngleZ += 1.0; break;
    case '9': view.viewAngleZ -= 1.0; break;
    case '5':
      // A tiny scale, not the initial one; the shifts stay.
      view.viewAngleX = view.viewAngleY = view.viewAngleZ = 0.0;
      view.viewScaleX = view.viewScaleY = view.viewScaleZ = 0.008;
      break;
    case 'p':
      // While paused no cycle runs: the clock keeps ticking, and on resume
      // the entries that ran out meanwhile are activated one per cycle.
      registerIdle(state.paused ? idleTrampoline : emptyCallback);
      state.paused = !state.paused;
      break;
    default: break;
  }
  requestRedisplay();
}

void resetSequencer(const SequencerState& fresh) { state = fresh; }

void startClock() { state.startTick = getTickCount(); }

void markLoadingFinished() {
  state.loadOffsetMs = static_cast<int32_t>(getTickCount() - state.startTick);
  state.forceAdvance = false;
}

void restartClockWithTrackOne() {
  state.loadOffsetMs = 0;
  state.startTick = getTickCount();
}

void offsetClockToTrackTwo() {
  state.trackTwoOffsetMs = static_cast<int32_t>(getTickCount() - state.startTick);
}

void requestForcedAdvance() { state.forceAdvance = true; }

void endForcedAdvance() { state.forceAdvance = false; }

void discardFrameTime() { state.frameMs = 0; }

void resetQuitFade() { state.quitFade = 0.0f; }
