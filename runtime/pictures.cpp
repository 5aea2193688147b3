#include "runtime/pictures.h"

#include <GL/glu.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/glutSeam.h"
#include "runtime/bmp.h"
#include "runtime/flatDrawing.h"
#include "runtime/frameFinish.h"
#include "runtime/sequencer.h"
#include "runtime/stateDump.h"

PictureSlots pictures;
LoadingScreen loadingScreen;

namespace {

// In loading order.
const char* const slotFiles[pictureSlotCount] = {
    "images/shr1.bmp",     "images/shr1_a.bmp",   "images/shr2.bmp",      "images/shr2_a.bmp",
    "images/shr3.bmp",     "images/shr3_a.bmp",   "images/power.bmp",     "images/greetz.bmp",
    "images/qel.bmp",      "images/brisko.bmp",   "images/podklad1.bmp",  "images/podklad2.bmp",
    "images/22.bmp",       "images/tekstura.bmp", "images/zor1.bmp",      "images/zor2.bmp",
    "images/zor3.bmp",     "images/zor4.bmp",     "images/zor5.bmp",      "images/zor6.bmp",
    "images/zor7.bmp",     "images/fx1.bmp",      "images/fx2.bmp",       "images/fx3.bmp",
    "images/fx4.bmp",      "images/fx5.bmp",      "images/fx6.bmp",       "images/fx7.bmp",
    "images/fx8.bmp",      "images/fx9.bmp",      "images/g1.bmp",        "images/g2.bmp",
    "images/g3.bmp",       "images/g4.bmp",       "images/g5.bmp",        "images/g6.bmp",
    "images/g7.bmp",       "images/g8.bmp",       "images/g9.bmp",        "images/g1_alpha.bmp",
    "images/g2_alpha.bmp", "images/g3_alpha.bmp", "images/g4_alpha.bmp",  "images/g5_alpha.bmp",
    "images/g6_alpha.bmp", "images/g7_alpha.bmp", "images/g8_alpha.bmp",  "images/g9_alpha.bmp",
    "images/error.bmp",    "images/teraz.bmp",    "images/rownanie1.bmp",
};

// Binds the texture for loading: modulated by the drawing colour, repeated
// in both directions.
void bindForLoading(unsigned texture) {
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
}

void dumpLoadingScreen(const std::string& frameDirectory) {
  JsonScalars json;
  json.add("loadedCount", loadingScreen.loadedCount);
  json.add("loadingFade", loadingScreen.loadingFade);
  json.write(frameDirectory + "/loading.json");
}

const bool loadingDumpRegistered = (registerStateDump("loading", dumpLoadingScreen), true);

}  // namespace

const char* pictureFile(int slot) {
  if (slot < 1 || slot > pictureSlotCount) return nullptr;
  return slotFiles[slot - 1];
}

void reserveTextures() {
  sequencer.quitFade = 0.0f;
  for (unsigned& name : pictures.texture) glGenTextures(1, &name);
}

int loadTextureBmp(const char* path) {
  BmpImage image;
  std::vector<uint8_t> rgb;
  if (!readBmp(path, image) || !convertBmpToRgb(image, rgb)) return -1;

  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);

  if (image.width != 1 && image.height != 1) {
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE,
                      rgb.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    return 0;
  }

  // A single row or column becomes a one-dimensional texture. A column's
  // pixels lie one padded row apart: gather them first, so that the texture
  // gets the colours and not the filler bytes between them.
  const int length = image.height == 1 ? image.width : image.height;
  if (image.height != 1) {
    const size_t stride = static_cast<size_t>(bmpRowStride(image.width));
    for (size_t i = 1; i < static_cast<size_t>(length); ++i) {
      std::memmove(rgb.data() + i * 3, rgb.data() + i * stride, 3);
    }
  }
  gluBuild1DMipmaps(GL_TEXTURE_1D, 3, length, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  return 0;
}

void loadPicture(int slot) {
  sequencer.quitFade = 0.0f;
  const char* file = pictureFile(slot);
  if (file == nullptr) return;
  bindForLoading(pictures.texture[slot - 1]);
  loadTextureBmp(file);
}

void loadingInit() {
  glGenTextures(1, &loadingScreen.loadingTexture);
  bindForLoading(loadingScreen.loadingTexture);
  loadTextureBmp("images/loading.bmp");
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
    sequencer.forceAdvance = true;
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
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2f(-0.2f, -0.2f);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2f(-0.2f, 0.2f);
  glTexCoord2f(1.0f, 1.0f);
  glVertex2f(0.2f, 0.2f);
  glTexCoord2f(1.0f, 0.0f);
  glVertex2f(0.2f, -0.2f);
  glEnd();
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
