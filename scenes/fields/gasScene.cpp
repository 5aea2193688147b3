#include "scenes/fields/gasScene.h"

#include <GL/gl.h>

#include "platform/glutSeam.h"
#include "runtime/flatDrawing.h"
#include "runtime/frameFinish.h"
#include "runtime/sceneTimers.h"
#include "runtime/screen.h"
#include "runtime/sequencer.h"
#include "runtime/sharedCallbacks.h"
#include "runtime/stateDump.h"
#include "scenes/credits.h"
#include "scenes/fields/creditCaption.h"
#include "sim/fields/gas.h"

GasTimers gasTimers;

namespace {

// One point per cell, 3 pixels wide, in the cell's colour at the given alpha:
// rows along x, columns along y, both spanning [-1, 1).
void drawGasPoints(float alpha) {
  layoutPointSize(3.0f);
  glBegin(GL_POINTS);
  for (int i = 0; i < gasSize; ++i) {
    for (int j = 0; j < gasSize; ++j) {
      switch (gasCellColour(i, j)) {
        case GasColour::Wall: glColor4f(0.0f, 0.0f, 0.0f, alpha); break;
        case GasColour::Red: glColor4f(1.0f, 0.6f, 0.5f, alpha); break;
        case GasColour::Blue: glColor4f(0.4f, 0.6f, 1.0f, alpha); break;
        case GasColour::Empty: glColor4f(1.0f, 1.0f, 1.0f, alpha); break;
      }
      glVertex2f(2.0f * (static_cast<float>(i) / gasSize - 0.5f), 2.0f * (static_cast<float>(j) / gasSize - 0.5f));
    }
  }
  glEnd();
}

void blendOverBackground() {
  blendOverScene();
  glDisable(GL_POINT_SMOOTH);
}

}  // namespace

void gasInit() {
  gasTimers = {};
  gasSetUp();
  glClearColor(1.0f, 1.0f, 1.0f, 0.0f);
  glBlendFunc(GL_SRC_ALPHA, GL_ZERO);
}

void gasIdle() {
  gasCollide();
  gasStream();
  requestRedisplay();
}

void gasReshape(int width, int height) {
  // The window's unit square: the panel's points are placed in it.
  reshapeUnitOrtho(width, height);
}

void gasDisplay() {
  const int32_t frameMs = sequencer.frameMs;
  // The holes open with the first frame and stay open.
  if (advanceFadePair(gasTimers.fadeIn, gasTimers.fadeOut, 0.003f, frameMs)) gasOpenHoles();

  glClearColor(0.7f, 0.72f, 0.73f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  blendOverBackground();

  // One cell per pixel, 150 to 300 pixels from the right edge, centred
  // vertically; drawn under the unit projection the last frame left.
  layoutViewport(static_cast<GLint>(screenWidth - 300.0f), static_cast<GLint>(screenHeight * 0.5f - 75.0f), gasSize,
             gasSize);
  drawGasPoints(gasTimers.fadeIn - gasTimers.fadeOut);
  windowViewport();

  advanceCaptionPair(gasTimers.captionIn, gasTimers.captionOut, 700.0f, frameMs);
  drawCreditCaption({.fade = 1.0f - (gasTimers.captionIn - gasTimers.captionOut) * 0.0014285714f,
                     .view = {0.0f, 1200.0f, 0.0f, 1200.0f},
                     .x = 50.0f,
                     .y = 555.0f},
                    graphicsCaption);
  windowViewport();

  // From black over one second.
  if (gasTimers.screenFade <= 200.0f) gasTimers.screenFade += static_cast<float>(frameMs) * frameScale * 2.0f;
  fadeWithDecor(1.0f - 0.005f * gasTimers.screenFade);

  glFlush();
  drawSpectrum();
  swapBuffers();
}

void drawGasCard() {
  blendOverBackground();
  drawGasPoints(1.0f);
}

void dumpGasScene(const std::string& frameDirectory) {
  writeNpy(frameDirectory + "/gasWalls.npy", &gas.wall[0][0], {gasSize, gasSize});
  writeNpy(frameDirectory + "/gasParticles.npy", &gas.particle[0][0][0], {gasSize, gasSize, 4});
  JsonScalars json;
  json.add("fadeIn", gasTimers.fadeIn);
  json.add("fadeOut", gasTimers.fadeOut);
  json.add("captionIn", gasTimers.captionIn);
  json.add("captionOut", gasTimers.captionOut);
  json.add("screenFade", gasTimers.screenFade);
  json.write(frameDirectory + "/gas.json");
}
