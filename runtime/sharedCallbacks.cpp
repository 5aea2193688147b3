#include "runtime/sharedCallbacks.h"

#include <GL/glu.h>

#include <cmath>

#include "platform/glutSeam.h"
#include "runtime/stateDump.h"
#include "runtime/sequencer.h"

Pendulum pendulum;

namespace {

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

const bool pendulumDumpRegistered = (registerStateDump("pendulum", dumpPendulum), true);

}  // namespace

void reshapeUnitOrtho(int width, int height) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluOrtho2D(-1.0, 1.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
}

void reshapeFluidView(int width, int height) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluOrtho2D(-1.0, 1.0, 0.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void idleRedraw() { requestRedisplay(); }

void stepPendulum() {
  Pendulum& p = pendulum;
  p.pendulumStep = static_cast<float>(static_cast<double>(
      static_cast<float>(sequencer.frameMs) * frameScale) * p.pendulumTimeScale);
  // Before the first logo scene sets it up the pendulum has no length; it
  // stays at rest rather than dividing zero by zero.
  if (p.pendulumLength == 0.0) return;
  // d(omega)/dt = +sin(angle) * g / l, the angle measured from straight up.
  p.pendulumSpeed += std::sin(p.pendulumAngle) * (p.pendulumGravity / p.pendulumLength) *
                     static_cast<double>(p.pendulumStep);
  p.pendulumAngle += static_cast<double>(p.pendulumStep) * p.pendulumSpeed;
  p.pendulumX = static_cast<float>(std::sin(p.pendulumAngle) * p.pendulumLength);
  p.pendulumY = static_cast<float>(std::cos(p.pendulumAngle) * p.pendulumLength);
}

void idlePendulum() {
  stepPendulum();
  requestRedisplay();
}

void emptyCallback() {}
void emptyReshape(int, int) {}
