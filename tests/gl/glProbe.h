#pragma once
// Reading back what was drawn into the 800 x 600 window and probing it, and a
// clean canvas to draw on. Pixels are in window coordinates from the bottom
// left.
#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "runtime/screen.h"
#include "tools/capture/captureDriver.h"

struct Box {
  int left = captureWidth, right = -1, bottom = captureHeight, top = -1;
};

// RGB pixels, rows from the bottom up, as glReadPixels gives them. Over
// [x0, x1) x [y0, y1): the pixels for which `test` holds, their bounding
// box, the least red level.
struct ReadBack {
  std::vector<uint8_t> rgb;

  Rgb at(int x, int y) const;
  bool lit(int x, int y) const { return at(x, y).r + at(x, y).g + at(x, y).b > 0; }
  int count(int x0, int x1, int y0, int y1, const std::function<bool(Rgb)>& test) const;
  Box extent(int x0, int x1, int y0, int y1, const std::function<bool(Rgb)>& test) const;
  int darkest(int x0, int x1, int y0, int y1) const;
};

// What the back buffer holds now.
ReadBack readBackBuffer();
// The last frame the capture driver saw swapped to the screen.
ReadBack capturedFrame();

// Full-window viewport, identity projection and model-view, blending,
// smoothing, depth test and culling off, line width 1, cleared to the grey.
void freshCanvas(float grey);

GLint glInteger(GLenum name);
float glFloat(GLenum name);
std::array<float, 16> matrixOf(GLenum which);
// Column-major 4 x 4 with the given diagonal and translation.
std::array<float, 16> affine(float sx, float sy, float sz, float tx, float ty, float tz);

// What a drawing sends down the pipeline, caught in feedback mode: per
// point, line or polygon its vertices of window x, y, depth (0 to 1) and
// RGBA. Nothing reaches the frame buffer.
using FeedbackVertex = std::array<float, 7>;
using FeedbackPrimitive = std::vector<FeedbackVertex>;
std::vector<FeedbackPrimitive> feedbackPrimitives(const std::function<void()>& draw);

// Channel by channel, in 0..255 units.
bool near(Rgb actual, int r, int g, int b, int tolerance = 3);
// A framed view found by its background colour (within 1): inside its
// outline, 2 pixels wide and half of it over the view's edge, from x + 1 to
// x + width - 2 and y + 1 to y + height - 2 (as far as the window shows),
// each within a pixel.
void expectFramedView(const ReadBack& picture, const PixelRect& r, int red, int green, int blue);

// Pixels of the picture that are not the grey level within the tolerance.
int pixelsOtherThan(const ReadBack& picture, int level, int tolerance);
