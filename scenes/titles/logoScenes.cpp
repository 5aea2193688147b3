#include "scenes/titles/logoScenes.h"

#include <GL/glu.h>

#include <algorithm>

#include "platform/glutSeam.h"
#include "platform/random.h"
#include "runtime/frameFinish.h"
#include "runtime/screen.h"
#include "runtime/sequencer.h"
#include "runtime/stateDump.h"
#include "runtime/text.h"
#include "scenes/credits.h"
#include "sim/pendulum.h"

LogoScenes logoScenes;

namespace {

// --- Setting up -------------------------------------------------------------

// 9.8 and the time scales as single-precision values, widened.
constexpr double logoGravity = static_cast<double>(9.8f);

void blackOpaque() {
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  // With alpha 1 every colour replaces what it covers.
  glBlendFunc(GL_SRC_ALPHA, GL_ZERO);
}

void releasePendulum(double length, double timeScale) {
  Pendulum& p = pendulum;
  p.pendulumTimeScale = timeScale;
  p.pendulumGravity = logoGravity;
  p.pendulumLength = length;
  p.pendulumSpeed = 0.0;
  p.pendulumAngle = 2.5;
}

float frameStep(float rate) { return static_cast<float>(sequencer.frameMs) * frameScale * rate; }

// --- Drawing ----------------------------------------------------------------

// A bob at pivot + the pendulum's offset, then the rod from the pivot to it.
void drawPendulumAt(float pivotX, float pivotY) {
  const float bobX = pivotX + pendulum.pendulumX;
  const float bobY = pivotY + pendulum.pendulumY;
  glBegin(GL_POINTS);
  glVertex2f(bobX, bobY);
  glEnd();
  glBegin(GL_LINE_STRIP);
  glVertex2f(pivotX, pivotY);
  glVertex2f(bobX, bobY);
  glEnd();
}

// Text under its own projection (0, side) x (0, side), turned about the
// projection's origin by `degrees`.
void strokeTurned(float side, float degrees, float x, float y, const char* text) {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluOrtho2D(0.0, side, 0.0, side);
  glRotatef(degrees, 0.0f, 0.0f, 1.0f);
  strokeText(x, y, text);
  glPopMatrix();
}

// Two lines twice: large and dim under a 900-unit projection, small and
// bright under 3000 units, each of the four turning at its own rate (`turn` is +1 for
// the event, -1 for the title). The counter moves between the third and the
// fourth pass.
void drawTurningLines(const char* const lines[2], float turn) {
  LogoScenes& s = logoScenes;
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_BLEND);
  glEnable(GL_POINT_SMOOTH);
  glEnable(GL_LINE_SMOOTH);
  layoutLineWidth(1.0f);
  glColor3f(0.25f, 0.25f, 0.25f);
  strokeTurned(900.0f, turn * 0.5f * s.logoCounter, 100.0f, 600.0f, lines[0]);
  strokeTurned(900.0f, turn * -0.5f * s.logoCounter, 400.0f, 300.0f, lines[1]);
  glColor3f(0.75f, 0.75f, 0.75f);
  const float third = turn * s.logoCounter;
  s.logoCounter += frameStep(0.03f);
  strokeTurned(3000.0f, third, 1000.0f, 2000.0f, lines[0]);
  strokeTurned(3000.0f, turn * -1.1f * s.logoCounter, 2000.0f, 1000.0f, lines[1]);
  drawSpectrum();
  swapBuffers();
}

void strokeUnder(float side, float x, float y, const char* text) {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluOrtho2D(0.0, side, 0.0, side);
  strokeText(x, y, text);
  glPopMatrix();
}

}  // namespace

// --- Callbacks --------------------------------------------------------------

void logoInitA() {
  blackOpaque();
  logoScenes.logoCounter = 0.0f;
  releasePendulum(0.2, static_cast<double>(0.001f));
}

void logoInitB() {
  blackOpaque();
  LogoScenes& s = logoScenes;
  s.sloganX1 = 900.0f;
  s.sloganX2 = 3000.0f;
  releasePendulum(0.3, static_cast<double>(0.002f));
  // Each offset within +-0.45, in the order P2 x, P2 y, P3 x, P3 y, P1 x, P1 y.
  for (float& offset : s.pivotOffset) {
    const float r = static_cast<float>(demoRand()) * randScale;
    offset = static_cast<float>((static_cast<double>(r) - 0.5) * 0.9);
  }
}

void logoGridDisplay() {
  LogoScenes& s = logoScenes;
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_BLEND);
  glEnable(GL_POINT_SMOOTH);
  glEnable(GL_LINE_SMOOTH);
  // The first frame comes right after the clock restarted with the music,
  // its frame time minus everything since start-up (some 14 s): counted as
  // it is, it would wind the grey back to several times white and the grid
  // would not darken before the entry ends. It is counted as no time.
  const float darkening = static_cast<float>(std::max(sequencer.frameMs, 0)) * frameScale * 0.00002f;
  // Pivots from -1.0 to 1.6 in single-precision steps of 0.2 (14 a side);
  // every pendulum darkens the whole grid a little.
  for (float gy = -1.0f; gy <= 1.8f; gy += 0.2f) {
    for (float gx = -1.0f; gx <= 1.8f; gx += 0.2f) {
      s.logoCounter += darkening;
      const float grey = 0.5f - s.logoCounter;
      glColor3f(grey, grey, grey);
      layoutLineWidth(2.0f);
      // A fresh size for every bob and frame; a draw of 0 would ask for no
      // point at all, which GL refuses, so such a bob keeps the last size.
      const float size = static_cast<float>(demoRand()) * randScale * 8.0f;
      if (size > 0.0f) layoutPointSize(size);
      drawPendulumAt(gx, gy);
    }
  }
  drawSpectrum();
  swapBuffers();
}

void logoEventDisplay() { drawTurningLines(eventLines, 1.0f); }

void logoTitleDisplay() { drawTurningLines(titleWords, -1.0f); }

void logoSloganDisplay() {
  LogoScenes& s = logoScenes;
  const float* o = s.pivotOffset;
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_BLEND);
  glEnable(GL_POINT_SMOOTH);
  glDisable(GL_LINE_SMOOTH);

  // P1 dim and thick, P2 and P3 brighter, their bobs growing from 10 to 17.
  glColor3f(0.3f, 0.3f, 0.3f);
  layoutLineWidth(3.0f);
  layoutPointSize(10.0f);
  drawPendulumAt(static_cast<float>(o[P1X] - 0.2), static_cast<float>(o[P1Y] - 0.2));
  glColor3f(0.4f, 0.4f, 0.4f);
  layoutLineWidth(2.0f);
  layoutPointSize(14.0f);
  drawPendulumAt(static_cast<float>(o[P2X] + 0.1), static_cast<float>(o[P2Y] + 0.1));
  glColor3f(0.47f, 0.47f, 0.47f);
  layoutLineWidth(2.0f);
  layoutPointSize(17.0f);
  drawPendulumAt(static_cast<float>(o[P3X] + 0.6), o[P3Y]);

  // The slogan near (crossing in 1000 ms) and far (in 2000 ms).
  glEnable(GL_LINE_SMOOTH);
  layoutLineWidth(1.0f);
  glColor3f(0.25f, 0.25f, 0.25f);
  strokeUnder(900.0f, s.sloganX1, 150.0f, slogan);
  glColor3f(0.75f, 0.75f, 0.75f);
  strokeUnder(3000.0f, s.sloganX2, 400.0f, slogan);
  s.sloganX1 -= frameStep(9.0f);
  s.sloganX2 -= frameStep(15.0f);

  drawSpectrum();
  swapBuffers();
}

void dumpLogoScenes(const std::string& frameDirectory) {
  const LogoScenes& s = logoScenes;
  writeNpy(frameDirectory + "/logoPivotOffsets.npy", s.pivotOffset, {pivotOffsetCount});
  JsonScalars json;
  json.add("logoCounter", s.logoCounter);
  json.add("sloganX1", s.sloganX1);
  json.add("sloganX2", s.sloganX2);
  json.write(frameDirectory + "/logo.json");
}
