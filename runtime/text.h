#pragma once
// Text drawn with the stroke font, as lines, so that it scales with the
// projection and can be turned, jittered and blended.

struct TextState {
  // Angle source of drawSwayingText; advanced by the closing scroll.
  float swayPhase = 0.0f;
};

extern TextState textState;

// Sum of the stroke-font widths of the bytes of the text, in font units.
int strokeTextWidth(const char* text);
// The text at (x, y) under whichever matrix stack is current.
void strokeText(float x, float y, const char* text);
// The text in colour (r, g, b) under the projection (left, right, bottom,
// top), starting at x + dx. Leaves blending on, line smoothing off and the
// matrix mode at GL_PROJECTION with the caller's projection restored.
void drawPlainText(float r, float g, float b, float left, float right, float bottom, float top,
                   float x, float dx, float y, const char* text);
// As drawPlainText, the whole block turned by 20 * sin(swayPhase) degrees.
void drawSwayingText(float r, float g, float b, float left, float right, float bottom, float top,
                     float x, float dx, float y, const char* text);
// Five copies with alphas 0 to 0.4, each moved by a small random offset;
// consumes ten draws of the shared generator.
void drawJitterText(float r, float g, float b, float left, float right, float bottom, float top,
                    float x, float dx, float y, const char* text);
// Bitmap-font text at a raster position.
void bitmapText(float x, float y, const char* text);
