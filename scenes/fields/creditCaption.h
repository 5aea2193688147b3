#pragma once
// The flickering one-line credit caption that the grid scenes and the rope
// scene show: five faint copies of the text, each shaken by a small random
// offset, darkening from the background grey to black as the fade goes from
// 1 to 0.
#include "runtime/flatDrawing.h"

struct CaptionLayout {
  // 1 shows the background grey, 0 black.
  float fade = 1.0f;
  OrthoView view;
  float x = 0.0f;
  float y = 0.0f;
};

// Consumes ten draws of the shared generator. Leaves line width 2, blending
// and line smoothing on, and the matrix mode at GL_PROJECTION with the
// caller's projection restored.
void drawCreditCaption(const CaptionLayout& layout, const char* text);
