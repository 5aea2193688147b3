#include "scenes/titles/wordSequence.h"

#include <GL/gl.h>

#include <algorithm>

#include "platform/glutSeam.h"
#include "runtime/frameFinish.h"
#include "runtime/screen.h"
#include "runtime/text.h"

namespace {

// A draw divided by 32767 and by 55: each copy moves by at most 1/55 of the
// half-screen right and up.
constexpr float shimmerScale = 5.548819785872183e-07f;

}  // namespace

void wordsInit() {
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glBlendFunc(GL_SRC_ALPHA, GL_ZERO);
  layoutLineWidth(4.0f);
}

void drawShimmerWord(float x, float y, const char* text) {
  layoutLineWidth(4.0f);
  drawShakenCopies({.colour = {0.75f, 0.7f, 0.65f}, .view = {0.0f, 1700.0f, 100.0f, 1200.0f}, .x = x, .y = y}, text,
                   shimmerScale);
}

void drawWordStep(int step) {
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_BLEND);
  glDisable(GL_LINE_SMOOTH);
  layoutLineWidth(4.0f);
  const int shown = std::min(step + 1, wordCount);
  for (int n = 0; n < shown; ++n) {
    const ShimmerWord& word = shimmerWords[n];
    const char* text = n == wordCount - 1 ? lastLineSteps[std::clamp(step - 8, 0, 2)] : word.text;
    drawShimmerWord(word.x, word.y, text);
  }
  drawSpectrum();
  swapBuffers();
}
