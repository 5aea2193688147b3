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

bool near(Rgb c, int r, int g, int b, int tolerance) {
  return std::abs(c.r - r) <= tolerance && std::abs(c.g - g) <= tolerance && std::abs(c.b - b) <= tolerance;
}

bool background(Rgb c, int tolerance) { return near(c, 178, 184, 186, tolerance); }

Rgb Shot::at(int x, int y) const {
  const size_t k = 3 * (static_cast<size_t>(y) * captureWidth + static_cast<size_t>(x));
  return {rgb[k], rgb[k + 1], rgb[k + 2]};
}

int Shot::count(int x0, int x1, int y0, int y1, const std::function<bool(Rgb)>& test) const {
  int n = 0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) n += test(at(x, y)) ? 1 : 0;
  }
  return n;
}

Box Shot::extent(int x0, int x1, int y0, int y1, const std::function<bool(Rgb)>& test) const {
  Box box;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      if (test(at(x, y))) {
        box = {std::min(box.left, x), std::max(box.right, x), std::min(box.bottom, y), std::max(box.top, y)};
      }
    }
  }
  return box;
}

int Shot::darkest(int x0, int x1, int y0, int y1) const {
  int least = 255;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) least = std::min<int>(least, at(x, y).r);
  }
  return least;
}

void expectCaptionFrom(const Shot& shot, double x, int x0, int x1) {
  const Box box = shot.extent(x0, x1, 150, 450, [](Rgb c) { return c.r <= 150 && std::abs(c.r - c.b) <= 12; });
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
