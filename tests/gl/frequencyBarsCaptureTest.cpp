// The capture tool's frames show the music: from entry 6 on, the spectrum of
// the track being played moves in the lower right corner.
#include <gtest/gtest.h>
#include <unistd.h>

#include <set>
#include <vector>

#include "tools/capture/captureDriver.h"

namespace {

// The spectrum's lines stand between x = 0.733 and 0.977 and reach from
// y = -0.61 down to -1.42 at most: window pixels x 693 to 791, y 0 to 117.
std::vector<uint8_t> corner() {
  std::vector<uint8_t> pixels;
  for (int y = 0; y < 125; ++y) {
    for (int x = 685; x < 800; ++x) pixels.push_back(capturedPixel(x, y).r);
  }
  return pixels;
}

// Spectrum lines whose upper end moved below y = -0.8 (pixel 60): loud bins.
int loudPixels() {
  int count = 0;
  for (int y = 0; y < 55; ++y) {
    for (int x = 693; x < 792; ++x) count += capturedPixel(x, y).r != 51 ? 1 : 0;
  }
  return count;
}

TEST(SpectrumInCapture, TheMusicMovesTheLinesInTheLowerRightCorner) {
  // The soundtrack is found beside the executables.
  ASSERT_EQ(chdir(VORRAN_BUILD_DIR), 0);
  captureStart();
  std::set<std::vector<uint8_t>> corners;
  int frames = 0;
  int loudFrames = 0;
  for (int cycle = 0; cycle < 10000; ++cycle) {
    const CaptureCycle step = captureCycle(30);
    if (step.entry > 8) break;
    if (step.entry < 6 || !step.displayed || step.frame % 10 != 0) continue;
    ++frames;
    corners.insert(corner());
    loudFrames += loudPixels() > 0 ? 1 : 0;
  }
  // Entries 6 to 8 last 8 s: 24 sampled frames, all different, some loud.
  EXPECT_GE(frames, 23);
  EXPECT_GE(corners.size(), static_cast<size_t>(frames - 1));
  EXPECT_GT(loudFrames, 0);
}

}  // namespace
