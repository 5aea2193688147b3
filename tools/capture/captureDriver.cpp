#include "tools/capture/captureDriver.h"

#include <GL/freeglut.h>

#include "platform/clock.h"
#include "platform/display.h"

namespace {

struct CaptureState {
  int width = captureWidth;
  int height = captureHeight;
  bool readBack = true;
  uint64_t readBackMicros = 0;
  std::vector<uint8_t> pixels = std::vector<uint8_t>(captureWidth * captureHeight * 3, 0);
};

CaptureState capture;

// The picture is read from the back buffer just before it is shown.
void readThenSwap() {
  if (capture.readBack) {
    const uint64_t start = monotonicMicros();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glReadPixels(0, 0, capture.width, capture.height, GL_RGB, GL_UNSIGNED_BYTE, capture.pixels.data());
    capture.readBackMicros += monotonicMicros() - start;
  }
  glutSwapBuffers();
}

}  // namespace

void captureStart(int width, int height, uint32_t startTick) {
  capture.width = width;
  capture.height = height;
  capture.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 3, 0);
  startVirtualRun(DisplayKind::CaptureWindow, width, height, startTick, readThenSwap);
}

CaptureCycle captureCycle(int fps) { return captureCycle(FrameRate{fps, 1}); }

CaptureCycle captureCycle(FrameRate rate) { return runVirtualCycle(rate); }

CaptureCycle captureCycleMs(uint32_t stepMs) { return runVirtualCycleMs(stepMs); }

void captureReadBack(bool on) { capture.readBack = on; }

double captureReadBackSeconds() { return static_cast<double>(capture.readBackMicros) * 1e-6; }

const std::vector<uint8_t>& capturedPixels() { return capture.pixels; }
int capturedWidth() { return capture.width; }
int capturedHeight() { return capture.height; }

Rgb capturedPixel(int x, int y) {
  if (x < 0 || y < 0 || x >= capture.width || y >= capture.height) return {};
  const size_t at = (static_cast<size_t>(y) * static_cast<size_t>(capture.width) + static_cast<size_t>(x)) * 3;
  return {capture.pixels[at], capture.pixels[at + 1], capture.pixels[at + 2]};
}

bool captureExitRequested(int* status) { return virtualExitRequested(status); }
