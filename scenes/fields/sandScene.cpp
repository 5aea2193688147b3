#include "scenes/fields/sandScene.h"

#include <GL/gl.h>

#include "platform/glutSeam.h"
#include "runtime/flatDrawing.h"
#include "runtime/frameFinish.h"
#include "runtime/sceneTimers.h"
#include "runtime/screen.h"
#include "runtime/sequencer.h"
#include "runtime/stateDump.h"
#include "scenes/credits.h"
#include "scenes/fields/creditCaption.h"
#include "sim/fields/sand.h"

SandTimers sandTimers;

namespace {

// One point per cell over [-1, 1]^2: empty cells light grey, grains in their
// own brown, walls grey, all with the given alpha.
void drawSandPoints(float alpha) {
  const SandGrid& s = sandGrid;
  glBegin(GL_POINTS);
  for (int i = 0; i < sandGridSize; ++i) {
    const float x = 2.0f * (static_cast<float>(i) / 140.0f - 0.5f);
    for (int j = 0; j < sandGridSize; ++j) {
      if (s.wall[i][j] != 0) {
        glColor4f(0.6f, 0.62f, 0.63f, alpha);
      } else if (s.sand[i][j] == 1) {
        glColor4f(0.3f + s.redOffset[i][j], 0.2f + s.greenOffset[i][j], 0.1f + s.blueOffset[i][j], alpha);
      } else {
        glColor4f(0.9f, 0.9f, 0.9f, alpha);
      }
      glVertex2f(x, 2.0f * (static_cast<float>(j) / 140.0f - 0.5f));
    }
  }
  glEnd();
}

}  // namespace

void sandInit() {
  sandTimers = {};
  buildHourglass();
  glBlendFunc(GL_SRC_ALPHA, GL_ZERO);
}

void sandIdle() {
  sandStep();
  requestRedisplay();
}

void sandReshape(int width, int height) {
  layoutViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
}

void sandDisplay() {
  SandTimers& s = sandTimers;
  glClearColor(0.7f, 0.72f, 0.73f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);

  // One cell per pixel, 70 to 210 pixels from the right edge, centred
  // vertically.
  layoutViewport(static_cast<int>(screenWidth - 210.0f), static_cast<int>(screenHeight * 0.5f - 70.0f), 140, 140);
  glEnable(GL_POINT_SMOOTH);

  // The glass fades in over 4 s and out over the next 4 s.
  advanceFadePair(s.fadeIn, s.fadeOut, 0.0025f, sequencer.frameMs);
  const float alpha = s.fadeIn - s.fadeOut;

  blendOverScene();
  layoutPointSize(3.0f);
  // Under the unit projection the previous frame's spectrum left.
  drawSandPoints(alpha);

  // A dark frame around the panel.
  loadUnitView();
  layoutLineWidth(2.0f);
  glColor4f(0.3f, 0.3f, 0.3f, alpha);
  drawOutline(-1.0f, -1.0f, 1.0f, 1.0f);

  windowViewport();

  advanceCaptionPair(s.captionIn, s.captionOut, 800.0f, sequencer.frameMs);
  drawCreditCaption({.fade = 1.0f - (s.captionIn - s.captionOut) * 0.00125f,
                     .view = {0.0f, 1400.0f, 0.0f, 1400.0f},
                     .x = 50.0f,
                     .y = 655.0f},
                    musicCaption);

  glFlush();
  drawSpectrum();
  swapBuffers();
}

void drawSandCard() {
  glEnable(GL_POINT_SMOOTH);
  blendOverScene();
  layoutPointSize(3.0f);
  drawSandPoints(1.0f);
}

void dumpSandScene(const std::string& frameDirectory) {
  const SandGrid& s = sandGrid;
  const std::vector<size_t> shape{sandGridSize, sandGridSize};
  writeNpy(frameDirectory + "/sand.npy", &s.sand[0][0], shape);
  writeNpy(frameDirectory + "/sandWall.npy", &s.wall[0][0], shape);
  writeNpy(frameDirectory + "/sandRedOffset.npy", &s.redOffset[0][0], shape);
  writeNpy(frameDirectory + "/sandGreenOffset.npy", &s.greenOffset[0][0], shape);
  writeNpy(frameDirectory + "/sandBlueOffset.npy", &s.blueOffset[0][0], shape);
  JsonScalars json;
  json.add("stepCounter", s.stepCounter);
  json.add("fadeIn", sandTimers.fadeIn);
  json.add("fadeOut", sandTimers.fadeOut);
  json.add("captionIn", sandTimers.captionIn);
  json.add("captionOut", sandTimers.captionOut);
  json.write(frameDirectory + "/sand.json");
}
