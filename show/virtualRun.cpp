#include "show/virtualRun.h"

#include <GL/freeglut.h>

#include <algorithm>

#include "platform/clock.h"
#include "platform/glutSeam.h"
#include "runtime/music.h"
#include "runtime/screen.h"
#include "runtime/sequencer.h"
#include "show/startup.h"
#include "show/timeline.h"

namespace {

struct VirtualRun {
  ReshapeFn reshape = nullptr;
  DisplayFn display = nullptr;
  IdleFn idle = nullptr;
  SwapHook onSwap = nullptr;
  // A new window is drawn once, as GLUT does when it first appears.
  bool redisplayRequested = true;
  bool exitRequested = false;
  int exitStatus = 0;
  uint32_t startTick = 0;
  int64_t frame = 0;
  // When the display callback started, and how long it took up to the swap.
  uint64_t displayStartMicros = 0;
  uint64_t displayMicros = 0;
  // Cycles starting before this virtual time fill no pixel.
  double unseenBeforeMs = 0.0;
  // The window's size as its first reshape event gave it.
  int windowWidth = 0;
  int windowHeight = 0;
};

VirtualRun run;

void registerVirtualCallbacks(ReshapeFn reshape, DisplayFn display, IdleFn idle) {
  run.reshape = reshape;
  run.display = display;
  run.idle = idle;
}
void registerVirtualIdle(IdleFn idle) { run.idle = idle; }
void requestVirtualRedisplay() { run.redisplayRequested = true; }
void noCursor() {}

void virtualSwap() {
  glFinish();
  run.displayMicros = monotonicMicros() - run.displayStartMicros;
  if (run.onSwap != nullptr) run.onSwap();
}

void virtualExit(int status) {
  run.exitRequested = true;
  run.exitStatus = status;
}

const GlutSeam virtualSeam{registerVirtualCallbacks, registerVirtualIdle, requestVirtualRedisplay, noCursor, noCursor,
                           virtualSwap,              virtualExit};

void noteWindowSize(int width, int height) {
  run.windowWidth = width;
  run.windowHeight = height;
}
void ignoreDisplay() {}

}  // namespace

uint32_t frameStepMs(int64_t frame, FrameRate rate) {
  const auto endMs = [rate](int64_t k) {
    const int64_t scaled = k * 1000 * rate.denominator;
    return (scaled + rate.numerator - 1) / rate.numerator;
  };
  return static_cast<uint32_t>(endMs(frame + 1) - endMs(frame));
}

void startVirtualRun(DisplayKind kind, int width, int height, uint32_t startTick, SwapHook onSwap) {
  run = {};
  run.startTick = startTick;
  run.onSwap = onSwap;
  useVirtualClock(startTick);
  installGlutSeam(virtualSeam);
  startPresentation(kind, width, height);
  // Let the window appear and learn its size; GLUT's own callbacks stay
  // idle, the cycles call the presentation's.
  glutReshapeFunc(noteWindowSize);
  glutDisplayFunc(ignoreDisplay);
  glutMainLoopEvent();
  const bool told = run.windowWidth > 0 && run.windowHeight > 0;
  run.reshape(told ? run.windowWidth : width, told ? run.windowHeight : height);
}

double entryStartVirtualMs(int entry, FrameRate rate) {
  const double frameMs = 1000.0 * static_cast<double>(rate.denominator) / static_cast<double>(rate.numerator);
  const double loaded = 53.0 * frameMs;
  const auto endOf = [](int e) { return static_cast<double>(timeline[static_cast<size_t>(e - 1)].endMs); };
  const int last = entry - 1;
  if (last <= 0) return 0.0;
  if (last <= 4) return loaded + (last == 1 ? 0.0 : endOf(last));
  const double trackOne = loaded + endOf(4) + frameMs;
  if (last <= 89) return trackOne + endOf(last);
  const double trackTwo = trackOne + endOf(89) + 2.0 * frameMs;
  return trackTwo + endOf(std::min(last, 115));
}

void drawUnseenUntil(double ms) {
  run.unseenBeforeMs = ms - 2000.0;
  setFramesUnseen(nextCycleUnseen());
}

bool nextCycleUnseen() { return static_cast<double>(getTickCount() - run.startTick) < run.unseenBeforeMs; }

VirtualCycle runVirtualCycle(FrameRate rate) { return runVirtualCycleMs(frameStepMs(run.frame, rate)); }

VirtualCycle runVirtualCycleMs(uint32_t stepMs) {
  VirtualCycle cycle;
  cycle.frame = run.frame;
  setFramesUnseen(nextCycleUnseen());
  advanceVirtualClock(stepMs);
  ++run.frame;

  const uint64_t cpuStart = threadCpuMicros();
  const uint64_t idleStart = monotonicMicros();
  run.idle();
  cycle.idleMs = static_cast<double>(monotonicMicros() - idleStart) * 1e-3;
  if (run.redisplayRequested && !run.exitRequested) {
    run.redisplayRequested = false;
    run.displayStartMicros = monotonicMicros();
    run.displayMicros = 0;
    run.display();
    cycle.displayed = true;
    cycle.displayMs = static_cast<double>(run.displayMicros) * 1e-3;
  }
  cycle.cpuMs = static_cast<double>(threadCpuMicros() - cpuStart) * 1e-3;
  cycle.entry = sequencer.currentNumber;
  cycle.virtualMs = getTickCount() - run.startTick;
  cycle.timelineMs = timelineMs();
  cycle.frameMs = sequencer.frameMs;
  return cycle;
}

bool virtualExitRequested(int* status) {
  if (status != nullptr) *status = run.exitStatus;
  return run.exitRequested;
}

void goLive() {
  installGlutSeam(liveGlutSeam());
  registerCallbacks(reshapeTrampoline, displayTrampoline, idleTrampoline);
  hideCursor();
  continueInRealTime();
  continueMusicLive();
  requestRedisplay();
}
