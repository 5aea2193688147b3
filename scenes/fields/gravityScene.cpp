#include "scenes/fields/gravityScene.h"

#include <GL/gl.h>

#include "platform/glutSeam.h"
#include "runtime/frameFinish.h"
#include "runtime/screen.h"
#include "runtime/sequencer.h"
#include "runtime/stateDump.h"
#include "sim/fields/gravity.h"

GravityTimers gravityTimers;

void gravityInit() {
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glBlendFunc(GL_SRC_ALPHA, GL_ZERO);
}

void gravityIdle() {
  computeGravityField();
  walkGravitySources(sceneWalk);
  requestRedisplay();
}

void gravityCardIdle() {
  computeGravityField();
  walkGravitySources(cardWalk);
  requestRedisplay();
}

void gravityDisplay() {
  const GravityField& g = gravity;
  glClear(GL_COLOR_BUFFER_BIT);

  // Every second row and column; the large image sits right of centre, two
  // half-size copies one above the other at the left.
  glDisable(GL_POINT_SMOOTH);
  layoutPointSize(3.0f);
  glBegin(GL_POINTS);
  for (int i = 1; i < gravityGridSize - 1; i += 2) {
    const float px = (static_cast<float>(i) / 1200.0f - 0.5f) * 4.0f + 1.78f;
    for (int j = 1; j < gravityGridSize - 1; j += 2) {
      const float py = (static_cast<float>(j) / 1200.0f - 0.5f) * 4.0f + 1.5f;
      const float v = g.field[i][j] / 2.0f;
      glColor3f(v, v, v);
      glVertex2f(px, py);
      glVertex2f(px / 2.0f - 0.6f, py / 2.0f - 0.25f);
      glVertex2f(px / 2.0f - 0.6f, py / 2.0f + 0.25f);
    }
  }
  glEnd();

  // Fade in from black over the first 200 ms; the fade value is never reset.
  gravityTimers.fade += static_cast<float>(sequencer.frameMs) * frameScale;
  if (gravityTimers.fade <= 20.0f) fadeWithDecor(1.0f - 0.05f * gravityTimers.fade);

  drawSpectrum();
  glFlush();
  swapBuffers();
}

void drawGravityCard() {
  const GravityField& g = gravity;
  glDisable(GL_POINT_SMOOTH);
  layoutPointSize(2.0f);
  glBegin(GL_POINTS);
  for (int i = 1; i < gravityGridSize - 1; i += 2) {
    const float px = 2.0f * (static_cast<float>(i) / 300.0f - 0.5f);
    for (int j = 1; j < gravityGridSize - 1; j += 2) {
      const float v = g.field[i][j];
      glColor3f(v, v, v);
      glVertex2f(px, 2.0f * (static_cast<float>(j) / 300.0f - 0.5f));
    }
  }
  glEnd();
}

void dumpGravityScene(const std::string& frameDirectory) {
  const GravityField& g = gravity;
  writeNpy(frameDirectory + "/gravityField.npy", &g.field[0][0], {gravityGridSize, gravityGridSize});
  JsonScalars json;
  json.add("sourceAX", g.sourceA.x);
  json.add("sourceAY", g.sourceA.y);
  json.add("sourceAStrength", g.sourceA.strength);
  json.add("sourceBX", g.sourceB.x);
  json.add("sourceBY", g.sourceB.y);
  json.add("sourceBStrength", g.sourceB.strength);
  json.add("fade", gravityTimers.fade);
  json.write(frameDirectory + "/gravity.json");
}
