#include "runtime/sharedCallbacks.h"

#include <GL/glu.h>

#include "platform/glutSeam.h"
#include "runtime/screen.h"
#include "runtime/sequencer.h"
#include "runtime/stateDump.h"
#include "sim/pendulum.h"

void reshapeUnitOrtho(int width, int height) {
  layoutViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluOrtho2D(-1.0, 1.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
}

void reshapeFluidView(int width, int height) {
  layoutViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluOrtho2D(-1.0, 1.0, 0.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void idleRedraw() { requestRedisplay(); }

void idlePendulum() {
  stepPendulum(sequencer.frameMs);
  requestRedisplay();
}

void emptyCallback() {}
void emptyReshape(int, int) {}

void dumpPendulum(const std::string& frameDirectory) {
  const Pendulum& p = pendulum;
  JsonScalars json;
  json.add("pendulumAngle", p.pendulumAngle);
  json.add("pendulumSpeed", p.pendulumSpeed);
  json.add("pendulumGravity", p.pendulumGravity);
  json.add("pendulumLength", p.pendulumLength);
  json.add("pendulumTimeScale", p.pendulumTimeScale);
  json.add("pendulumStep", p.pendulumStep);
  json.add("pendulumX", p.pendulumX);
  json.add("pendulumY", p.pendulumY);
  json.write(frameDirectory + "/pendulum.json");
}
