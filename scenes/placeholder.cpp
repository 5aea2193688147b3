#include "scenes/placeholder.h"

#include <GL/glu.h>

#include <cstdio>

#include "platform/glutSeam.h"
#include "runtime/frameFinish.h"
#include "runtime/screen.h"
#include "runtime/sequencer.h"
#include "runtime/text.h"

void placeholderDisplay() {
  glClearColor(0.2f, 0.2f, 0.2f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_TEXTURE_2D);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  char number[16];
  std::snprintf(number, sizeof number, "%d", sequencer.currentNumber);
  // The number centred on a 1000 x 750 drawing area, in light grey.
  const float width = static_cast<float>(strokeTextWidth(number));
  layoutLineWidth(3.0f);
  drawPlainText({.colour = {0.8f, 0.8f, 0.8f},
                 .view = {0.0f, 1000.0f, 0.0f, 750.0f},
                 .x = (1000.0f - width) * 0.5f,
                 .y = 325.0f},
                number);
  // From the first track on, scenes show the music's spectrum; so does the
  // scene's stand-in.
  if (sequencer.currentNumber >= 6) drawSpectrum();
  glMatrixMode(GL_MODELVIEW);
  glFlush();
  swapBuffers();
}
