#include "scenes/human/humanScene.h"

#include <GL/glu.h>

#include "platform/glutSeam.h"
#include "runtime/flatDrawing.h"
#include "runtime/frameFinish.h"
#include "runtime/sceneTimers.h"
#include "runtime/screen.h"
#include "runtime/sequencer.h"
#include "runtime/stateDump.h"
#include "runtime/viewControls.h"
#include "scenes/human/humanDrawing.h"
#include "scenes/spatial/cradleScene.h"
#include "scenes/spatial/engineLight.h"
#include "sim/human/humanBody.h"
#include "sim/spatial/world.h"

HumanSceneState humanScene;

namespace {

// The step of every rate in this frame: frameMs * 0.1 in single precision.
double stepUnits() { return static_cast<float>(sequencer.frameMs) * frameScale; }

void setViewScale(double scale) {
  ViewControls& v = viewControls;
  v.viewScaleX = v.viewScaleY = v.viewScaleZ = scale;
}

// --- Light, camera and frame ------------------------------------------------

// A perspective of 50 degrees on a square (whatever the window), the look at
// the origin from (1, 1, 1); the model-view selected.
void perspectiveAndLookAt() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(50.0, 200.0 / 200.0, 0.1, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(1.0, 1.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.1, 0.0);
}

// The light given in the look-at's frame, and denser fog than the
// pendulums'.
void lightAndFog() {
  engineLightAndFog({.position = {2.5f, 2.75f, 2.25f, 0.1f}, .ambient = {1.1f, 1.1f, 1.1f, 0.5f}, .fogDensity = 0.45f});
}

// The view controls' transform, with the scale and the x and y angles taken
// `a` times and the figure raised by `lift`.
void viewFigure(double a, double lift) {
  const ViewControls& v = viewControls;
  glRotatef(80.0f, 1.0f, 0.0f, 0.0f);
  glScalef(static_cast<float>(a * v.viewScaleX), static_cast<float>(a * v.viewScaleY),
           static_cast<float>(a * v.viewScaleZ));
  glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
  glRotatef(static_cast<float>(a * v.viewAngleX), 1.0f, 0.0f, 0.0f);
  glRotatef(static_cast<float>(a * v.viewAngleY), 0.0f, 1.0f, 0.0f);
  glRotatef(static_cast<float>(v.viewAngleZ), 0.0f, 0.0f, 1.0f);
  glTranslatef(static_cast<float>(v.viewShiftX), static_cast<float>(v.viewShiftY + lift),
               static_cast<float>(v.viewShiftZ));
  hideCursor();
}

enum class Clear { Yes, No };

// Depth test on, the projection and look-at, the model-view pushed, light and
// fog; a display also clears first and sets the clear colour for the next
// frame.
void setUpScene(Clear clear) {
  if (clear == Clear::Yes) glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  perspectiveAndLookAt();
  glPushMatrix();
  lightAndFog();
  if (clear == Clear::Yes) glClearColor(0.21f, 0.22f, 0.23f, 0.0f);
}

// Lighting, fog and blending off, the unit view, white.
void leaveScene() {
  glDisable(GL_LIGHTING);
  glDisable(GL_FOG);
  glDisable(GL_BLEND);
  loadUnitView();
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

// The whole figure under the camera, then the model-view popped.
void drawWholeView(double lift) {
  setUpScene(Clear::Yes);
  viewFigure(1.0, lift);
  drawHumanBodyParts();
  glPopMatrix();
  leaveScene();
}

// A view into the current viewport from a fresh look-at, leaving the
// model-view as it was.
void drawPanelView(double a) {
  glPushMatrix();
  glDrawBuffer(GL_BACK);
  perspectiveAndLookAt();
  viewFigure(a, 0.0);
  drawHumanBodyParts();
  glPopMatrix();
}

void showFrame() {
  glFlush();
  drawSpectrum();
  swapBuffers();
}

// The fade value of a counter that runs to 200.
float fadeOf(float counter) { return static_cast<float>(counter * 0.005); }

void setUpBody() {
  buildHumanBody();
  setViewScale(1.5);
  viewControls.viewShiftX = 0.0;
  viewControls.viewShiftY = 0.1;
  engineFade.fadeCounter = 0.0f;
}

}  // namespace

// --- Inits ------------------------------------------------------------------

void initHumanBody() {
  // The step, time scale, floor and ceiling stay as the scenes before left
  // them: the engine's own at entries 23 and 25.
  world.gravity = {0.0, -4.0, 0.0};
  viewControls.viewAngleX = -36.0;
  setUpBody();
}

void initHumanBodyReset() {
  World& w = world;
  w.gravity = {0.0, -3.0, 0.0};
  w.stepSize = 0.005f;
  w.timeScale = 0.005f;
  w.boxMinY = -0.9f;
  w.boxMaxY = 1.0f;
  viewControls.viewAngleX = -16.0;
  viewControls.viewAngleY = 8.7;
  viewControls.viewAngleZ = 30.0;
  viewControls.viewShiftZ = 0.0;
  setUpBody();
}

// --- Idle -------------------------------------------------------------------

void animateHumanBody() {
  stepHumanBody(sequencer.frameMs);
  requestRedisplay();
}

// --- Displays ---------------------------------------------------------------

void displayHumanFadeOut() {
  drawWholeView(0.0);
  advanceFadeCounter(2.0, sequencer.frameMs);
  fadeWithDecor(fadeOf(engineFade.fadeCounter));
  const double k = stepUnits();
  viewControls.viewAngleX += k * 0.2;
  viewControls.viewAngleY += k * 0.2;
  showFrame();
}

void displayHumanFlash() {
  drawWholeView(0.5);
  // In from black over one second, then out again 2.4 times as fast.
  float& in = engineFade.fadeCounter;
  if (in <= 200.0f) {
    advanceFadeCounter(2.0, sequencer.frameMs);
  } else {
    advanceFadeCounter(humanScene.fadeBackCounter, 4.8, sequencer.frameMs);
  }
  fadeWithDecor(static_cast<float>(1.0 - (in - humanScene.fadeBackCounter) * 0.005));
  const double k = stepUnits();
  viewControls.viewShiftY -= k * 0.005;
  viewControls.viewShiftZ += k * 0.002;
  showFrame();
}

void displayHumanPanels() {
  setUpScene(Clear::Yes);
  viewFigure(1.0, 0.0);
  // Half, full and one and a half times the scale, from the top down.
  for (int i = 1; i <= 3; ++i) {
    const PixelRect r = columnSmallView(i);
    layoutViewport(r.x, r.y, r.width, r.height);
    drawPanelView(0.5 * i);
  }
  const PixelRect main = columnMainView();
  layoutViewport(main.x, main.y, main.width, main.height);
  drawPanelView(1.0);
  glPopMatrix();
  windowViewport();
  leaveScene();
  advanceFadeCounter(0.8, sequencer.frameMs);
  fadeWithDecor(fadeOf(engineFade.fadeCounter));
  viewControls.viewAngleY += stepUnits() * 0.05;
  showFrame();
}

void drawHumanView() {
  setUpScene(Clear::No);
  viewFigure(1.0, 0.0);
  drawHumanBodyParts();
  glPopMatrix();
  leaveScene();
}

void dumpHumanScene(const std::string& frameDirectory) {
  const HumanBody& body = humanBody;
  int32_t muscleIndex = -1;
  int32_t index = 0;
  for (const Spring* s = world.springs; s != nullptr; s = s->next, ++index) {
    if (s == body.muscles) muscleIndex = index;
  }
  JsonScalars json;
  json.add("musclePhase", body.musclePhase);
  json.add("baseThigh", body.muscleBase.baseThigh);
  json.add("baseKnees", body.muscleBase.baseKnees);
  json.add("baseArm", body.muscleBase.baseArm);
  json.add("baseFeet", body.muscleBase.baseFeet);
  json.add("firstMuscle", muscleIndex);
  json.add("fadeBackCounter", humanScene.fadeBackCounter);
  json.write(frameDirectory + "/human.json");
}
