#pragma once
// Reading back what was drawn into the 800 x 600 back buffer, and a clean
// canvas to draw on.
#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <vector>

#include "tools/capture/captureDriver.h"

// RGB pixels, rows from the bottom up, as glReadPixels gives them.
struct ReadBack {
  std::vector<uint8_t> rgb;

  Rgb at(int x, int y) const;
  bool lit(int x, int y) const { return at(x, y).r + at(x, y).g + at(x, y).b > 0; }
};

ReadBack readBackBuffer();

// Full-window viewport, identity projection and model-view, blending,
// smoothing, depth test and culling off, line width 1, cleared to the grey.
void freshCanvas(float grey);

GLint glInteger(GLenum name);
float glFloat(GLenum name);
std::array<float, 16> matrixOf(GLenum which);
// Column-major 4 x 4 with the given diagonal and translation.
std::array<float, 16> affine(float sx, float sy, float sz, float tx, float ty, float tz);

// Channel by channel, in 0..255 units.
bool near(Rgb actual, int r, int g, int b, int tolerance = 3);
// Pixels of the picture that are not the grey level within the tolerance.
int pixelsOtherThan(const ReadBack& picture, int level, int tolerance);
