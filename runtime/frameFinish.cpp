#include "runtime/flatDrawing.h"
#include "runtime/frameFinish.h"

#include <GL/glu.h>

#include <cmath>

#include "platform/audio.h"
#include "runtime/music.h"
#include "runtime/screen.h"
#include "runtime/sequencer.h"

namespace {

void blackQuad(float alpha) {
  glDisable(GL_DEPTH_TEST);
  blendOverScene();
  // The colour goes with every corner: the fade's exact shades depend on it.
  glBegin(GL_QUADS);
  glColor4f(0.0f, 0.0f, 0.0f, alpha);
  glVertex2f(-1.0f, -1.0f);
  glColor4f(0.0f, 0.0f, 0.0f, alpha);
  glVertex2f(-1.0f, 1.0f);
  glColor4f(0.0f, 0.0f, 0.0f, alpha);
  glVertex2f(1.0f, 1.0f);
  glColor4f(0.0f, 0.0f, 0.0f, alpha);
  glVertex2f(1.0f, -1.0f);
  glEnd();
  glDisable(GL_BLEND);
}

}  // namespace

void drawSpectrum() {
  float magnitudes[spectrumBins];
  audioSpectrum(music.musicStream, magnitudes);

  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluOrtho2D(-1.0, 1.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);

  layoutLineWidth(2.0f);
  glDisable(GL_LINE_SMOOTH);
  blendOverScene();

  // Bins 2 to 80 as vertical lines hanging from y = -0.62: the louder the
  // bin, the further its upper end moves down. Bin 0 is never used.
  float previous = 0.0f;
  int bin = 0;
  for (float i = 0.0f; i < 80.0f; i += 1.0f, ++bin) {
    float v = static_cast<float>(std::sqrt(static_cast<double>(magnitudes[bin + 1])) * 512.0 - 2.0);
    if (v > 256.0f) v = 256.0f;
    if (i != 0.0f && (previous + v) * 0.5f != 0.0f) {
      const auto x = static_cast<float>(0.73 + static_cast<double>(i) * 0.003125);
      glBegin(GL_LINE_STRIP);
      glColor4f(0.6f, 0.5f, 0.4f, 0.3f);
      glVertex3f(x, static_cast<float>(-0.62 - static_cast<double>(v) * 0.003125), 0.0f);
      glColor4f(0.2f, 0.3f, 0.4f, 0.2f);
      glVertex3f(x, -0.8f, 0.0f);
      glEnd();
    }
    previous = v;
  }
  glColor3f(0.5f, 0.9f, 1.0f);
}

void drawSceneDecor(float f) {
  const float k = 1.0f - f;
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  layoutLineWidth(3.0f);
  // The rectangles grow from their base size as the fade clears, and fade
  // out with it; the smaller two fade faster.
  const float alphas[3] = {f, f * f, f * f * f};
  for (int n = 0; n < 3; ++n) {
    const DecorRect& rect = sequencer.decor.rect[n];
    const float w = rect.base + rect.growX * k;
    const float h = rect.base + rect.growY * k;
    const float cx = rect.centreX;
    const float cy = rect.centreY;
    glPushMatrix();
    if (n == 0) {
      glColor4f(0.6f, 0.5f, 0.5f, alphas[n]);
    } else {
      glColor4f(0.6f, 0.53f, 0.46f, alphas[n]);
    }
    glBegin(GL_LINE_STRIP);
    glVertex2f(cx - w, cy - h);
    glVertex2f(cx - w, cy + h);
    glVertex2f(cx + w, cy + h);
    glVertex2f(cx + w, cy - h);
    glVertex2f(cx - w, cy - h);
    glEnd();
    glPopMatrix();
  }
  glDisable(GL_BLEND);
}

void fadeWithDecor(float f) {
  drawSceneDecor(f);
  blackQuad(f);
}

void fadeScreen(float a) { blackQuad(a); }
