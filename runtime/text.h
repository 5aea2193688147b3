#pragma once
// Text drawn with the stroke font, as lines, so that it scales with the
// projection and can be turned, jittered and blended.
#include "runtime/flatDrawing.h"

struct TextState {
  // Angle source of drawSwayingText; advanced by the closing scroll.
  float swayPhase = 0.0f;
};

extern TextState textState;

struct RgbColour {
  float red = 1.0f;
  float green = 1.0f;
  float blue = 1.0f;
};

// Where a line of text goes: its colour, the projection it is drawn under,
// and its start (x + dx, y) in that projection's units. Written with
// designated initialisers, e.g.
// {.colour = {0.8f, 0.8f, 0.8f}, .view = {0, 1000, 0, 750}, .x = 400, .y = 325}.
struct TextLayout {
  RgbColour colour;
  OrthoView view;
  float x = 0.0f;
  float dx = 0.0f;
  float y = 0.0f;
};

// Sum of the stroke-font widths of the bytes of the text, in font units.
int strokeTextWidth(const char* text);
// The text at (x, y) under whichever matrix stack is current.
void strokeText(float x, float y, const char* text);
// The text, opaque. Leaves blending on, line smoothing off and the matrix
// mode at GL_PROJECTION with the caller's projection restored.
void drawPlainText(const TextLayout& layout, const char* text);
// As drawPlainText, the whole block turned by 20 * sin(swayPhase) degrees.
void drawSwayingText(const TextLayout& layout, const char* text);
// Five copies with alphas 0 to 0.4, each moved by a small random offset;
// consumes ten draws of the shared generator.
void drawJitterText(const TextLayout& layout, const char* text);
// The five copies of drawJitterText with another reach: each copy is moved
// right and up by two draws (the vertical one first) times offsetScale, in
// normalised device units. Ten draws a call.
void drawShakenCopies(const TextLayout& layout, const char* text, float offsetScale);
// Bitmap-font text at a raster position.
void bitmapText(float x, float y, const char* text);
