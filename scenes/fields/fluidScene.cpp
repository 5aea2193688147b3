#include "scenes/fields/fluidScene.h"

#include <GL/gl.h>

#include "platform/glutSeam.h"
#include "runtime/flatDrawing.h"
#include "runtime/frameFinish.h"
#include "runtime/pictures.h"
#include "runtime/sceneTimers.h"
#include "runtime/screen.h"
#include "runtime/sequencer.h"
#include "runtime/stateDump.h"
#include "scenes/credits.h"
#include "scenes/fields/creditCaption.h"
#include "sim/fields/fluid.h"

FluidTimers fluidTimers;

namespace {

// The veil clears over 4 s, and (entry 74) closes again over the next 4 s.
constexpr float veilRate = 0.0025f;
// The picture strip opens over 1 s.
constexpr float stripRate = 0.01f;
// The caption darkens for 3.2 s and returns over the next 3.2 s.
constexpr float captionLimit = 800.0f;
// Background grey of the water scenes and of their veil.
constexpr float veilRed = 0.7f;
constexpr float veilGreen = 0.72f;
constexpr float veilBlue = 0.73f;

void zeroTimers() { fluidTimers = {}; }

void advanceVeil() { advanceFadePair(fluidTimers.veilIn, fluidTimers.veilOut, veilRate, sequencer.frameMs); }

void clearToGrey() {
  glClearColor(0.71f, 0.72f, 0.73f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT);
}

// Full window, blending for the veil, and the unit projection that the next
// frame draws its panel under.
void unitOverlay() {
  windowViewport();
  blendOverScene();
  loadUnitView();
}

void veilQuad(float alpha) {
  glColor4f(veilRed, veilGreen, veilBlue, alpha);
  drawRectangle(-1.0f, -1.0f, 1.0f, 1.0f);
}

// The texture's top band, from the centre out to half-width s, under the water.
void drawLabelStrip(float s) {
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, pictureTexture(Picture::Teraz));
  glColor4f(1.0f, 1.0f, 1.0f, s);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.81f);
  glVertex2f(-s, -0.15f * s);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2f(-s, 0.0f);
  glTexCoord2f(1.0f, 1.0f);
  glVertex2f(s, 0.0f);
  glTexCoord2f(1.0f, 0.81f);
  glVertex2f(s, -0.15f * s);
  glEnd();
  glDisable(GL_TEXTURE_2D);
}

struct IntroLook {
  // Added to the water level: the glass fills up as it rises.
  float lift;
  // Half-width of the picture strip; negative draws none.
  float strip;
  // Veil and black fade, 1 hides the fluidTimers.
  float veil;
  bool smoothOff;
};

// The glass, 150 x 300 pixels centred horizontally, drawn under the projection
// the previous frame left.
void drawIntro(const IntroLook& look) {
  clearToGrey();
  layoutViewport(static_cast<int>(screenWidth * 0.5f - 75.0f), static_cast<int>(screenHeight * 0.5f - 225.0f), 150,
             300);

  glColor3f(1.0f, 1.0f, 1.0f);
  drawRectangle(-1.0f, -0.15f, 1.0f, 1.0f);

  // One red column per inner point 1..198, from the ground to the lifted surface.
  const FluidState& f = fluid;
  layoutLineWidth(2.0f);
  glBegin(GL_LINES);
  for (int k = 0; k <= 197; ++k) {
    const double x = (2.0 * k + 2.0) * 0.005 - 1.0;
    glColor3f(0.95f, 0.25f, 0.25f);
    glVertex2d(x, f.bottom[k + 1]);
    glColor3f(0.9f, 0.2f, 0.2f);
    glVertex2d(x, f.surface[k + 1] + static_cast<double>(look.lift) - 0.2);
  }
  glEnd();

  if (look.strip >= 0.0f) drawLabelStrip(look.strip);

  layoutLineWidth(1.0f);
  glColor3f(0.95f, 0.25f, 0.25f);
  drawOutline(-0.97f, 0.02f, 0.98f, 0.99f);

  if (look.smoothOff) glDisable(GL_LINE_SMOOTH);

  // The rim, with the right side and the foot drawn twice.
  layoutLineWidth(3.0f);
  glColor3f(1.0f, 1.0f, 1.0f);
  drawOutline(-1.0f, -0.15f, 1.0f, 1.0f);
  glBegin(GL_LINE_STRIP);
  glVertex2f(1.0f, 1.0f);
  glVertex2f(1.0f, -0.15f);
  glVertex2f(-1.0f, -0.15f);
  glEnd();

  unitOverlay();
  veilQuad(look.veil);
  fadeScreen(look.veil);
  // Before the music: no spectrum.
  glFlush();
  swapBuffers();
}

}  // namespace

void fluidIntroInit() {
  markLoadingFinished();
  zeroTimers();
  fluidInit();
}

void fluidInit2() {
  zeroTimers();
  endForcedAdvance();
  fluidInit();
}

void fluidResetTimers() { zeroTimers(); }

void fluidIdle() {
  fluidStep();
  requestRedisplay();
}

void fluidCardIdle() {
  fluidStep();
  fluidStep();
  requestRedisplay();
}

void fluidIntroDisplay() {
  advanceVeil();
  const float t1 = fluidTimers.veilIn;
  drawIntro({t1 * 0.33333334f, -1.0f, 1.0f - t1, true});
}

void fluidLogoDisplay() {
  float& strip = fluidTimers.strip;
  if (strip < 1.0f) {
    strip += static_cast<float>(sequencer.frameMs) * frameScale * stripRate;
  } else {
    strip = 1.0f;
  }
  advanceVeil();
  const float t1 = fluidTimers.veilIn;
  drawIntro({t1 * 0.33333334f, strip, 1.0f - t1, false});
}

void fluidOutroDisplay() {
  advanceVeil();
  drawIntro({0.3333f, 1.0f, fluidTimers.veilIn, true});
}

void drawFluidPanel() {
  layoutViewport(75, static_cast<int>(screenHeight * 0.5f - 75.0f - 37.0f), 150, 150);
  const FluidState& f = fluid;
  layoutLineWidth(2.0f);
  glBegin(GL_LINES);
  for (int k = 0; k < fluidPoints - 1; ++k) {
    const double x = 2.0 * k * 0.005 - 1.0;
    // The water, from the ground to the surface.
    glColor3f(0.4f, 0.25f, 0.95f);
    glVertex2d(x, f.bottom[k]);
    glColor3f(0.5f, 0.4f, 0.9f);
    glVertex2d(x, f.surface[k]);
    // The ground, from 0 to the bottom.
    glColor3f(0.5f, 0.4f, 0.3f);
    glVertex2d(x, 0.0);
    glVertex2d(x, f.bottom[k]);
  }
  glEnd();
  glColor3f(0.0f, 0.0f, 0.0f);
  drawOutline(-1.0f, 0.0f, 1.0f, 1.0f);
}

void fluidDisplay() {
  advanceVeil();
  clearToGrey();
  drawFluidPanel();

  unitOverlay();
  // Opaque at the start, clear after 4 s, opaque again after 8 s.
  veilQuad(1.0f - (fluidTimers.veilIn - fluidTimers.veilOut));
  windowViewport();

  advanceCaptionPair(fluidTimers.captionIn, fluidTimers.captionOut, captionLimit, sequencer.frameMs);
  drawCreditCaption({.fade = 1.0f - (fluidTimers.captionIn - fluidTimers.captionOut) * 0.00125f,
                     .view = {0.0f, 1200.0f, 0.0f, 1200.0f},
                     .x = 400.0f,
                     .y = 555.0f},
                    codeCaption);

  glFlush();
  drawSpectrum();
  swapBuffers();
}

void drawFluidCard() {
  const FluidState& f = fluid;
  const double left = static_cast<double>(14.0f / screenWidth);
  layoutLineWidth(6.0f);
  for (int k = 0; k <= 192; ++k) {
    const double x = left + (8.0 + 2.0 * k) * 0.005 - 1.0;
    glBegin(GL_LINE_STRIP);
    glColor3f(0.4f, 0.25f, 0.95f);
    glVertex2d(x, f.bottom[k + 4] - 1.0);
    glColor3f(0.5f, 0.4f, 0.9f);
    glVertex2d(x, 2.0 * f.surface[k + 4] - 1.0);
    glEnd();
  }
}

void dumpFluidScene(const std::string& frameDirectory) {
  const FluidState& f = fluid;
  const std::vector<size_t> shape{fluidPoints};
  writeNpy(frameDirectory + "/fluidSurface.npy", f.surface, shape);
  writeNpy(frameDirectory + "/fluidBottom.npy", f.bottom, shape);
  writeNpy(frameDirectory + "/fluidRiseSpeed.npy", f.riseSpeed, shape);
  writeNpy(frameDirectory + "/fluidDepth.npy", f.depth, shape);
  JsonScalars json;
  json.add("veilIn", fluidTimers.veilIn);
  json.add("veilOut", fluidTimers.veilOut);
  json.add("captionIn", fluidTimers.captionIn);
  json.add("captionOut", fluidTimers.captionOut);
  json.add("strip", fluidTimers.strip);
  json.write(frameDirectory + "/fluid.json");
}
