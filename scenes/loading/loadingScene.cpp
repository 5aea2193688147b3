#include "scenes/loading/loadingScene.h"

#include <GL/gl.h>

#include "platform/glutSeam.h"
#include "runtime/flatDrawing.h"
#include "runtime/frameFinish.h"
#include "runtime/pictures.h"
#include "runtime/sequencer.h"
#include "runtime/stateDump.h"

LoadingScreen loadingScreen;

void loadingInit() {
  glGenTextures(1, &loadingScreen.loadingTexture);
  bindForLoading(loadingScreen.loadingTexture);
  loadTextureBmp(pictureFile(Picture::Loading));
  loadingScreen.loadingFade = 0.0f;
}

void loadingDisplay() {
  LoadingScreen& screen = loadingScreen;
  screen.loadingFade += static_cast<float>(sequencer.frameMs) * frameScale * 0.02f;

  // One picture a frame; the frame after the last one hands over to entry 2.
  if (screen.loadedCount < pictureSlotCount) {
    ++screen.loadedCount;
    loadPicture(screen.loadedCount);
  } else {
    requestForcedAdvance();
  }

  // The screen is not cleared: the picture and the bar are drawn over the
  // previous frame, and the bar only grows.
  glDisable(GL_BLEND);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  loadUnitView();

  // The loading picture in the middle.
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, screen.loadingTexture);
  drawTexturedRectangle(-0.2f, -0.2f, 0.2f, 0.2f);
  glDisable(GL_TEXTURE_2D);

  // The bar's outline below it.
  const float left = -0.305f;
  const float right = 0.305f;
  const float bottom = -0.195f;
  const float top = -0.145f;
  glBegin(GL_LINES);
  glVertex2f(left, bottom);
  glVertex2f(right, bottom);
  glVertex2f(right, bottom);
  glVertex2f(right, top);
  glVertex2f(right, top);
  glVertex2f(left, top);
  glVertex2f(left, top);
  glVertex2f(left, bottom);
  glEnd();

  // The fill: one thin vertical line every 0.001 up to loadedCount / 51 of
  // the bar's 0.6 width.
  const double filled = static_cast<double>(static_cast<float>(screen.loadedCount) *
                                            (1.0f / static_cast<float>(pictureSlotCount))) *
                        0.6;
  glBegin(GL_LINES);
  for (float x = 0.0f; static_cast<double>(x) < filled; x += 0.001f) {
    glVertex2f(x - 0.3f, -0.15f);
    glVertex2f(x - 0.3f, -0.19f);
  }
  glEnd();

  if (screen.loadingFade < 1.0f) fadeScreen(1.0f - screen.loadingFade);
  glFlush();
  swapBuffers();
}

void dumpLoadingScreen(const std::string& frameDirectory) {
  JsonScalars json;
  json.add("loadedCount", loadingScreen.loadedCount);
  json.add("loadingFade", loadingScreen.loadingFade);
  json.write(frameDirectory + "/loading.json");
}
