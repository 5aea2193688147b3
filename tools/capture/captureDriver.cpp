#include "tools/capture/captureDriver.h"

#include <GL/freeglut.h>

#include "platform/clock.h"
#include "platform/display.h"
#include "platform/glutSeam.h"
#include "runtime/sequencer.h"
#include "show/startup.h"

namespace {

struct CaptureState {
  ReshapeFn reshape = nullptr;
  DisplayFn display = nullptr;
  IdleFn idle = nullptr;
  // A new window is drawn once, as GLUT does when it first appears.
  bool redisplayRequested = true;
  bool exitRequested = false;
  int exitStatus = 0;
  uint32_t startTick = 0;
  int64_t frame = 0;
  // When the display callback started, and how long it took up to the swap.
  uint64_t displayStartMicros = 0;
  uint64_t displayMicros = 0;
  std::vector<uint8_t> pixels = std::vector<uint8_t>(captureWidth * captureHeight * 3, 0);
};

CaptureState capture;

void captureRegisterCallbacks(ReshapeFn reshape, DisplayFn display, IdleFn idle) {
  capture.reshape = reshape;
  capture.display = display;
  capture.idle = idle;
}
void captureRegisterIdle(IdleFn idle) { capture.idle = idle; }
void captureRequestRedisplay() { capture.redisplayRequested = true; }
void captureHideCursor() {}

// The picture is read from the back buffer just before it would be shown;
// the display's time ends once its drawing is finished, before the read.
void captureSwapBuffers() {
  glFinish();
  capture.displayMicros = monotonicMicros() - capture.displayStartMicros;
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glPixelStorei(GL_PACK_SKIP_ROWS, 0);
  glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
  glReadPixels(0, 0, captureWidth, captureHeight, GL_RGB, GL_UNSIGNED_BYTE, capture.pixels.data());
  glutSwapBuffers();
}

void captureExit(int status) {
  capture.exitRequested = true;
  capture.exitStatus = status;
}

const GlutSeam captureSeam{captureRegisterCallbacks, captureRegisterIdle, captureRequestRedisplay,
                           captureHideCursor,        captureSwapBuffers,  captureExit};

void ignoreReshape(int, int) {}
void ignoreDisplay() {}

}  // namespace

void captureStart(uint32_t startTick) {
  capture.startTick = startTick;
  useVirtualClock(startTick);
  installGlutSeam(captureSeam);
  startPresentation(DisplayKind::CaptureWindow);
  // Let the window appear; GLUT's own callbacks stay idle, the driver calls
  // the presentation's.
  glutReshapeFunc(ignoreReshape);
  glutDisplayFunc(ignoreDisplay);
  glutMainLoopEvent();
  capture.reshape(captureWidth, captureHeight);
}

uint32_t captureFrameStep(int64_t frame, int fps) {
  const auto gridMs = [fps](int64_t k) { return (k * 1000 + fps - 1) / fps; };
  return static_cast<uint32_t>(gridMs(frame + 1) - gridMs(frame));
}

CaptureCycle captureCycle(int fps) {
  CaptureCycle cycle;
  cycle.frame = capture.frame;
  advanceVirtualClock(captureFrameStep(capture.frame, fps));
  ++capture.frame;

  const uint64_t idleStart = monotonicMicros();
  capture.idle();
  cycle.idleMs = static_cast<double>(monotonicMicros() - idleStart) * 1e-3;
  if (capture.redisplayRequested && !capture.exitRequested) {
    capture.redisplayRequested = false;
    capture.displayStartMicros = monotonicMicros();
    capture.displayMicros = 0;
    capture.display();
    cycle.displayed = true;
    cycle.displayMs = static_cast<double>(capture.displayMicros) * 1e-3;
  }
  cycle.entry = sequencer.currentNumber;
  cycle.virtualMs = getTickCount() - capture.startTick;
  cycle.timelineMs = timelineMs();
  cycle.frameMs = sequencer.frameMs;
  return cycle;
}

const std::vector<uint8_t>& capturedPixels() { return capture.pixels; }

Rgb capturedPixel(int x, int y) {
  if (x < 0 || y < 0 || x >= captureWidth || y >= captureHeight) return {};
  const size_t at = (static_cast<size_t>(y) * captureWidth + static_cast<size_t>(x)) * 3;
  return {capture.pixels[at], capture.pixels[at + 1], capture.pixels[at + 2]};
}

bool captureExitRequested(int* status) {
  if (status != nullptr) *status = capture.exitStatus;
  return capture.exitRequested;
}
