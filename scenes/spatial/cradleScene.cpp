#include "scenes/spatial/cradleScene.h"

#include <GL/glu.h>

#include <cmath>
#include <initializer_list>
#include <utility>

#include "platform/glutSeam.h"
#include "runtime/flatDrawing.h"
#include "runtime/frameFinish.h"
#include "runtime/sceneTimers.h"
#include "runtime/screen.h"
#include "runtime/sequencer.h"
#include "runtime/stateDump.h"
#include "runtime/viewControls.h"
#include "scenes/spatial/bodyDrawing.h"
#include "scenes/spatial/engineLight.h"
#include "sim/spatial/world.h"
#include "sim/spatial/worldStep.h"

CradleState cradle;

namespace {

// The shots that run on the World without building it.
constexpr int32_t shotZoom = 2;
constexpr int32_t shotFreeze = 3;
constexpr int32_t shotRoll = 14;
constexpr int32_t shotPan = 32;

// Sphere bit that marks the heavy balls dropped into the row.
constexpr uint32_t heavyBallMark = 8;

// The step of every rate in this frame: frameMs * 0.1.
float stepUnits() { return static_cast<float>(sequencer.frameMs) * frameScale; }

// --- Building -------------------------------------------------------------

// Seven hanging pendulums and a raised one to their right, in a new World
// list. Gravity is left as it is.
void buildRow() {
  startWorldLists(0);
  for (int n = 0; n < 7; ++n) addHangingPendulum();
  addRaisedPendulum();
}

// A solid ball of mass 93 at rest, dropped into the running row.
void addHeavyBall(float radius, Vector3 position) {
  appendParticle(world.particles, 93.0f, ParticleCollides, position, {}, 0.0);
  appendSphere(world.spheres, radius, {}, 1.0f, SphereActive | heavyBallMark, lastParticle(world.particles));
}

void setViewScale(double scale) {
  ViewControls& v = viewControls;
  v.viewScaleX = v.viewScaleY = v.viewScaleZ = scale;
}

void setViewAngles(double x, double y, double z) {
  ViewControls& v = viewControls;
  v.viewAngleX = x;
  v.viewAngleY = y;
  v.viewAngleZ = z;
}

void setViewShifts(double x, double y, double z) {
  ViewControls& v = viewControls;
  v.viewShiftX = x;
  v.viewShiftY = y;
  v.viewShiftZ = z;
}

// What a shot sets; everything else runs on from the shot before.
struct Shot {
  int32_t mode = 0;
  double scale = 1.0;
  double angleX = -24.0, angleY = 43.7, angleZ = 0.0;
  double shiftX = 0.0, shiftY = -0.5, shiftZ = -0.05;
  bool inset = false;
};

void startShot(const Shot& shot) {
  cradle.shotMode = shot.mode;
  setViewScale(shot.scale);
  setViewAngles(shot.angleX, shot.angleY, shot.angleZ);
  setViewShifts(shot.shiftX, shot.shiftY, shot.shiftZ);
  cradle.insetView = shot.inset;
}

// --- Light, camera and frame ---------------------------------------------

// A positional light and grey exponential fog. The light's position goes
// through the model-view matrix in force, so where it is called matters.
void lightAndFog() {
  engineLightAndFog({.position = {0.5f, 0.75f, 0.25f, 0.1f}, .ambient = {1.3f, 1.2f, 1.1f, 0.5f}, .fogDensity = 0.35f});
  // For the frames that follow.
  glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
}

enum class Lens {
  Main,   // scale and the x and y angles times the layout's factor a
  Inset,  // 2.5 times the scale, steeper and turned about a slanted axis
  Card,   // moved off centre, 3 times the scale, turning with the card
};

struct Camera {
  double a = 1.0;
  Lens lens = Lens::Main;
  // Light and fog right after the look-at, in the camera's frame.
  bool lightsAtLookAt = false;
  // The fast zoom of entry 21, moved on between the rotations and the shift.
  bool closeUpDrift = false;
};

// The perspective, the look at the origin from (1, 1, 1), the view controls'
// transform, then the World.
void viewRow(const Camera& camera) {
  ViewControls& v = viewControls;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(50.0, 1.0, 0.1, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glDrawBuffer(GL_BACK);
  glLoadIdentity();
  gluLookAt(1.0, 1.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.1, 0.0);
  if (camera.lightsAtLookAt) lightAndFog();
  if (camera.lens == Lens::Card) glTranslatef(-0.4f, -2.3f, 0.8f);

  glRotatef(80.0f, 1.0f, 0.0f, 0.0f);
  const double scale = camera.lens == Lens::Inset ? 2.5 : camera.lens == Lens::Card ? 3.0 : camera.a;
  glScalef(static_cast<float>(v.viewScaleX * scale), static_cast<float>(v.viewScaleY * scale),
           static_cast<float>(v.viewScaleZ * scale));
  glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
  if (camera.lens == Lens::Inset) {
    glRotatef(static_cast<float>(2.3 * v.viewAngleX), 1.0f, 0.0f, 0.0f);
    glRotatef(static_cast<float>(0.5 * v.viewAngleY), 0.3f, 1.0f, 0.2f);
  } else {
    glRotatef(static_cast<float>(v.viewAngleX * camera.a), 1.0f, 0.0f, 0.0f);
    glRotatef(static_cast<float>(v.viewAngleY * camera.a), 0.0f, 1.0f, 0.0f);
  }
  glRotatef(static_cast<float>(v.viewAngleZ), 0.0f, 0.0f, 1.0f);

  if (camera.closeUpDrift) {
    // 2 % closer every frame, whatever its length.
    const double k = stepUnits();
    v.viewScaleX *= 1.02;
    v.viewScaleY *= 1.02;
    v.viewScaleZ *= 1.02;
    v.viewShiftX -= 0.005 * k;
    v.viewShiftY -= 0.0007 * k;
    v.viewAngleX -= 0.005 * k;
  }
  // The card's turn shows from the next frame on.
  if (camera.lens == Lens::Card) v.viewAngleY = 8.7 + 15.0 * std::sin(static_cast<double>(cradle.cardSpin));
  glTranslatef(static_cast<float>(v.viewShiftX), static_cast<float>(v.viewShiftY), static_cast<float>(v.viewShiftZ));

  hideCursor();
  drawWorldBodies();
}

// A view into the current viewport, leaving the model-view as it was.
void viewRowKeepingMatrix(const Camera& camera) {
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  viewRow(camera);
  glPopMatrix();
}

// The (0, 1) x (0, 1) square over the current viewport, for frames.
void unitSquareOverlay() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluOrtho2D(0.0, 1.0, 0.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

// A line strip along corners of that square, in the given grey.
void squareEdges(float grey, std::initializer_list<std::pair<float, float>> corners) {
  glColor3f(grey, grey, grey);
  glBegin(GL_LINE_STRIP);
  for (const auto& [x, y] : corners) glVertex2f(x, y);
  glEnd();
}

// The small second view in the lower left of the main display, with a bevel
// around it. The light is still the main view's, and still on.
void drawInset() {
  layoutViewport(static_cast<int>(screenWidth / 8.0f), static_cast<int>(screenHeight / 8.0f),
                 static_cast<int>(screenWidth / 4.0f), static_cast<int>(screenHeight / 4.0f));
  viewRowKeepingMatrix({.lens = Lens::Inset});
  layoutLineWidth(3.0f);
  unitSquareOverlay();
  squareEdges(1.0f, {{0.0f, 0.0f}, {0.0f, 1.0f}, {1.0f, 1.0f}});
  squareEdges(0.0f, {{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}});
  windowViewport();
}

enum class Fade { In, Out };

// Lights and fog off, the unit view, the fade with its decoration, then the
// spectrum and the swap. The glimpses turn their camera on after the fade.
void finishCradleFrame(Fade fade) {
  leave3DView();
  advanceFadeCounter(2.0f, sequencer.frameMs);
  const float faded = engineFade.fadeCounter * 0.005f;
  if (fade == Fade::In) {
    fadeWithDecor(1.0f - faded);
  } else {
    fadeWithDecor(faded);
    const double k = stepUnits();
    viewControls.viewAngleX += 0.2 * k;
    viewControls.viewAngleY += 0.2 * k;
  }
  glFlush();
  drawSpectrum();
  swapBuffers();
}

void clearForRow() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
}

void mainDisplay(bool plain) {
  moveCradleCamera(plain, stepUnits());
  windowViewport();
  clearForRow();
  viewRowKeepingMatrix({.lightsAtLookAt = true});
  if (cradle.insetView) drawInset();
  finishCradleFrame(Fade::In);
}

void glimpseDisplay(bool closeUp) {
  clearForRow();
  viewRowKeepingMatrix({.lightsAtLookAt = true, .closeUpDrift = closeUp});
  finishCradleFrame(Fade::Out);
}

// The main view over the right two thirds with a frame on its left, top and
// right edges, and n small views down the left third. The light is set
// before any view, in eye coordinates.
void columnDisplay(int smallViews, float frameWidth) {
  moveCradleCamera(true, stepUnits());
  clearForRow();
  lightAndFog();
  for (int i = 1; i <= smallViews; ++i) {
    layoutViewport(columnSmallView(i));
    viewRowKeepingMatrix({.a = i * 0.5});
  }
  layoutViewport(columnMainView());
  viewRowKeepingMatrix({});
  layoutLineWidth(frameWidth);
  unitSquareOverlay();
  squareEdges(1.0f, {{0.0f, 0.0f}, {0.0f, 1.0f}, {1.0f, 1.0f}, {1.0f, 0.0f}});
  windowViewport();
  finishCradleFrame(Fade::In);
}

// The float nearest 1/3 of a layout size, in double precision.
double third(float size) { return static_cast<double>(size) * static_cast<double>(0.33333334f); }

// A new row in a grey-blue clear, the view at its start-up angles, the fade
// counter from 0. Without a reset of the pendulum count the new row stands
// right of the previous one.
void glimpseSetUp(bool resetCount) {
  if (resetCount) world.pendulumCount = 0;
  glClearColor(0.5f, 0.5f, 0.6f, 0.0f);
  glBlendFunc(GL_SRC_ALPHA, GL_ZERO);
  windowViewport();
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  buildRow();
  viewControls.viewAngleX = -36.0;
  viewControls.viewAngleY = 8.7;
  engineFade.fadeCounter = 0.0f;
}

}  // namespace

// --- Inits ------------------------------------------------------------------

void initCradleGlimpse() { glimpseSetUp(true); }

void initCradleCloseUp() {
  glimpseSetUp(false);
  setViewScale(2.8);
  viewControls.viewAngleY = 11.7;
  viewControls.viewShiftX = -0.3;
  discardFrameTime();
}

void initCradleShow() {
  glimpseSetUp(true);
  setViewScale(1.1);
  setViewAngles(-21.0, 132.0, -21.0);
  setViewShifts(-1.56, -0.74, -0.13);
  engineFade.fadeCounter = 0.0f;
  discardFrameTime();
  world.gravity = {0.0, -18.0, 0.0};
  cradle.insetView = false;
}

void initShotZoom() {
  startShot({.mode = shotZoom, .shiftX = 0.3, .inset = true});
  world.gravity = {0.0, -12.0, 0.0};
}

void initShotFreeze() { startShot({.mode = shotFreeze, .scale = 5.0, .shiftX = 0.3, .inset = true}); }

void initShotLayouts() { startShot({.mode = 4, .inset = true}); }

void initShotHeavyBall() {
  startShot({.mode = shotPan, .scale = 5.0, .shiftY = -0.8});
  addHeavyBall(0.14f, {0.0, 0.8, 0.0});
}

void initShotTwoBalls() {
  startShot({.mode = 6, .scale = 2.608, .angleX = 109.0, .angleY = 25.0, .angleZ = 109.0});
  addHeavyBall(0.1f, {0.0, 0.8, 0.0});
  addHeavyBall(0.08f, {0.0, 1.0, 0.0});
}

void initShotWide() { startShot({.mode = 4}); }
void initShotAtScale05() { startShot({.mode = 4, .scale = 0.5}); }
void initShotAtScale03() { startShot({.mode = 4, .scale = 0.3}); }
void initShotAtScale01() { startShot({.mode = 4, .scale = 0.1}); }
void initShotRoll() { startShot({.mode = shotRoll, .scale = 0.1}); }

void buildCradle() {
  world.pendulumCount = 0;
  world.boxMinY = -0.9f;
  world.boxMaxY = 1.0f;
  buildRow();
  viewControls.viewScaleX = viewControls.viewScaleY = 0.9;
  setViewAngles(-36.0, 8.7, 0.0);
  setViewShifts(0.0, 0.0, 0.0);
  engineFade.fadeCounter = 0.0f;
}

// --- Idles ------------------------------------------------------------------

void idleCradle() {
  if (cradle.shotMode != shotFreeze) stepBoxedWorld(sequencer.frameMs);
  requestRedisplay();
}

void idleCradleCard() {
  cradle.cardSpin += stepUnits() * 0.02f;
  idleCradle();
}

// --- Displays ---------------------------------------------------------------

void moveCradleCamera(bool plain, float k) {
  ViewControls& v = viewControls;
  const double step = k;
  switch (cradle.shotMode) {
    case shotZoom:
      v.viewScaleX += 0.004 * step;
      v.viewScaleY += 0.004 * step;
      v.viewScaleZ += 0.004 * step;
      v.viewShiftX -= 0.0005 * step;
      v.viewAngleY -= 0.1 * step;
      break;
    case shotFreeze: v.viewShiftX -= 0.005 * step; break;
    case shotPan:
      if (!plain) v.viewShiftX -= 0.005 * step;
      break;
    case shotRoll:
      if (!plain) {
        // Grows from 0.4 and rolls while the phase runs down to 0, then holds.
        const double s = std::sin(static_cast<double>(cradle.rollPhase));
        setViewScale(0.4 + 0.6 * s);
        v.viewAngleZ = 112.1 * s;
        if (cradle.rollPhase > 0.0f) cradle.rollPhase = static_cast<float>(cradle.rollPhase - 0.01 * step);
      }
      break;
    default: break;
  }
}

PixelRect columnSmallView(int i) {
  return {0, static_cast<int>(static_cast<double>(screenHeight) - i * third(screenHeight)),
          static_cast<int>(third(screenWidth)), static_cast<int>(third(screenHeight))};
}

PixelRect columnMainView() {
  return {static_cast<int>(third(screenWidth)), 0,
          static_cast<int>(static_cast<double>(screenWidth) - third(screenWidth)), static_cast<int>(screenHeight)};
}

void displayCradleGlimpse() { glimpseDisplay(false); }
void displayCradleCloseUp() { glimpseDisplay(true); }
void displayCradleMain() { mainDisplay(false); }
void displayCradleMainPlain() { mainDisplay(true); }

void displayCradleGrid() {
  moveCradleCamera(true, stepUnits());
  clearForRow();
  lightAndFog();
  // Both columns alike: the bottom row at half size and half the angles.
  for (int i = 0; i < 2; ++i) {
    for (int j = 0; j < 2; ++j) {
      layoutViewport(static_cast<int>(static_cast<float>(i) * screenWidth / 2.0f),
                     static_cast<int>(static_cast<float>(j) * screenHeight / 2.0f),
                     static_cast<int>(screenWidth / 2.0f), static_cast<int>(screenHeight / 2.0f));
      viewRowKeepingMatrix({.a = (j + 1) * 0.5});
    }
  }
  windowViewport();
  finishCradleFrame(Fade::In);
}

void displayCradleFramed() { columnDisplay(0, 5.0f); }
void displayCradleColumn1() { columnDisplay(1, 5.0f); }
void displayCradleColumn2() { columnDisplay(2, 4.0f); }
void displayCradleColumn3() { columnDisplay(3, 5.0f); }

void drawCradleCardView() {
  glEnable(GL_DEPTH_TEST);
  viewRowKeepingMatrix({.lens = Lens::Card, .lightsAtLookAt = true});
  leave3DView();
}

void dumpCradleScene(const std::string& frameDirectory) {
  JsonScalars json;
  json.add("shotMode", cradle.shotMode);
  json.add("insetView", cradle.insetView);
  json.add("cardSpin", cradle.cardSpin);
  json.add("rollPhase", cradle.rollPhase);
  json.write(frameDirectory + "/cradle.json");
}
