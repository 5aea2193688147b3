#include "tests/gl/sceneCapture.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

CaptureCycle current;

bool runUntil(int entry, int32_t ms, int fps) {
  static const bool started = chdir(VORRAN_BUILD_DIR) == 0 && (captureStart(), true);
  for (int cycle = 0; started && cycle < 20000 && current.entry <= entry; ++cycle) {
    current = captureCycle(fps);
    if (current.entry == entry && current.timelineMs >= ms && current.displayed) return true;
  }
  return false;
}

bool background(Rgb c, int tolerance) { return near(c, 178, 184, 186, tolerance); }

void expectCaptionFrom(const ReadBack& frame, double x, int x0, int x1) {
  const Box box = frame.extent(x0, x1, 150, 450, [](Rgb c) { return c.r <= 150 && std::abs(c.r - c.b) <= 12; });
  EXPECT_TRUE(box.left >= x && box.left <= x + 12) << box.left;
  EXPECT_TRUE(box.top >= 327 && box.top <= 333) << box.top;
}

double riseAndFall(int t, double rate) {
  return std::clamp(std::min(t, static_cast<int>(2.0 / rate) - t) * rate, 0.0, 1.0);
}

void expectFades(int t, float alpha, double fadeRate, float caption, double captionRate) {
  EXPECT_NEAR(alpha, riseAndFall(t, fadeRate), 0.025) << t << " ms";
  EXPECT_NEAR(caption, 1.0 - riseAndFall(t, captionRate), 0.025) << t << " ms";
}
