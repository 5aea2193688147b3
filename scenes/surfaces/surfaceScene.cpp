#include "scenes/surfaces/surfaceScene.h"

#include <GL/glu.h>

#include <cmath>

#include "platform/glutSeam.h"
#include "runtime/flatDrawing.h"
#include "runtime/frameFinish.h"
#include "runtime/sceneTimers.h"
#include "runtime/sequencer.h"
#include "runtime/stateDump.h"
#include "runtime/viewControls.h"
#include "scenes/surfaces/surfaceDrawing.h"
#include "sim/spatial/worldStep.h"
#include "sim/surfaces/surface.h"

SurfaceSceneState surfaceScene;

namespace {

// --- Building -------------------------------------------------------------

// The view every new surface starts from, its fade counter and panels.
void startSurface(SurfaceLoad load) {
  ViewControls& v = viewControls;
  v.viewScaleX = v.viewScaleY = v.viewScaleZ = 0.9;
  v.viewAngleX = -18.0;
  v.viewAngleY = 8.7;
  v.viewAngleZ = 30.0;
  v.viewShiftX = 0.0;
  v.viewShiftY = -0.4;
  v.viewShiftZ = 0.0;
  engineFade.fadeCounter = 0.0f;
  surfaceScene.panelSlide = 0.0f;
  buildSurface(load);
  glBlendFunc(GL_SRC_ALPHA, GL_ZERO);
}

// The scenes' own surfaces also start from a dark brown clear; the displays
// set their viewports every frame.
void initSurfaceScene(SurfaceLoad load) {
  startSurface(load);
  glClearColor(0.2f, 0.1f, 0.0f, 0.0f);
  layoutViewport(0, 0, 200, 200);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
}

void showPanels(float slide, int32_t count) {
  surfaceScene.panelSlide = slide;
  surfaceScene.panelCount = count;
}

// --- Layout -----------------------------------------------------------------

// The step of every rate in this frame: frameMs * 0.1.
float stepUnits() { return static_cast<float>(sequencer.frameMs) * frameScale; }

double layoutW() { return screenWidth; }
double layoutH() { return screenHeight; }
// The float nearest 1/3 of a layout size.
double third(double size) { return size * static_cast<double>(0.33333334f); }
double slide() { return surfaceScene.panelSlide; }

PixelRect truncated(double x, double y, double width, double height) {
  return {static_cast<int>(x), static_cast<int>(y), static_cast<int>(width), static_cast<int>(height)};
}

// The large views of the strip displays, of the ball panels and of the
// screen-filling displays.
PixelRect stripLargeView() {
  return truncated(0.05263158 * layoutW(), 0.05263158 * layoutH(), 0.75 * layoutW(), 0.75 * layoutH());
}
PixelRect swayLargeView(double size) {
  return truncated(third(layoutW()), third(layoutH()), size * layoutW(), size * layoutH());
}
PixelRect wholeScreen() { return truncated(0.0, 0.0, layoutW(), layoutH()); }

// The finale's large view grows by up to 100 pixels with a = sin(zoomPhase)
// and drifts up as the panel slide runs down; its inset grows by up to 140
// with b = sin(0.75 zoomPhase) and drifts down.
PixelRect finaleLargeView(double a) {
  return truncated(layoutW() / 3.0 - 50.0 * a, layoutH() / 3.0 - (slide() - 200.0) - 50.0 * a,
                   0.7 * layoutW() + 100.0 * a, 0.7 * layoutH() + 100.0 * a);
}
PixelRect finaleInset(double b) {
  return truncated(0.05263158 * layoutW() - 70.0 * b, 0.05263158 * layoutH() - 70.0 * b + (slide() - 200.0),
                   0.5 * layoutW() + 140.0 * b, 0.5 * layoutH() + 140.0 * b);
}

// --- Views ------------------------------------------------------------------

struct Colour {
  float r, g, b;
};

constexpr Colour olive{0.24f, 0.24f, 0.13f};
constexpr Colour paleBlue{0.54f, 0.54f, 0.58f};
constexpr Colour paleGrey{0.54f, 0.54f, 0.53f};
constexpr Colour slate{0.24f, 0.24f, 0.28f};

// What a view draws, always in this order.
enum Draws : unsigned {
  Marked = 1,      // drawMarkedSpheres
  Arrows = 2,      // drawSurfaceArrows
  Mesh = 4,        // drawSurfaceMesh
  Links = 8,       // drawSurfaceLinks
  SolidBalls = 16,  // drawRollingBalls, solid
  WireBalls = 32,  // drawRollingBalls, wire
};

void drawList(unsigned draws) {
  if ((draws & Marked) != 0) drawMarkedSpheres();
  if ((draws & Arrows) != 0) drawSurfaceArrows();
  if ((draws & Mesh) != 0) drawSurfaceMesh();
  if ((draws & Links) != 0) drawSurfaceLinks();
  if ((draws & SolidBalls) != 0) drawRollingBalls(BallLook::Solid);
  if ((draws & WireBalls) != 0) drawRollingBalls(BallLook::Wire);
}

// Light 0 as a positional light, and a thick grey fog.
struct Light {
  GLfloat position[4];
  GLfloat ambient[4];
  GLfloat diffuse[4];
};

constexpr Light frameLight{{4.5f, 4.75f, 4.25f, 0.1f}, {0.8f, 0.7f, 0.6f, 0.5f}, {1.3f, 1.3f, 1.3f, 1.3f}};
constexpr Light cardLight{{2.5f, 2.75f, 2.25f, 0.1f}, {1.1f, 1.1f, 1.1f, 0.5f}, {1.8f, 1.8f, 1.8f, 1.8f}};

// The light's position goes through the model-view matrix in force.
void lightAndFog(const Light& light) {
  glEnable(GL_LIGHTING);
  glShadeModel(GL_SMOOTH);
  glLightfv(GL_LIGHT0, GL_POSITION, light.position);
  glLightfv(GL_LIGHT0, GL_AMBIENT, light.ambient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, light.diffuse);
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHTING);
  glFrontFace(GL_CW);
  glEnable(GL_AUTO_NORMAL);
  glEnable(GL_NORMALIZE);
  glEnable(GL_FOG);
  glFogi(GL_FOG_MODE, GL_EXP);
  const GLfloat fogColour[4] = {0.6f, 0.6f, 0.6f, 1.0f};
  glFogfv(GL_FOG_COLOR, fogColour);
  glFogf(GL_FOG_DENSITY, 0.45f);
  glHint(GL_FOG_HINT, GL_DONT_CARE);
}

// The perspective and the look at the origin from (1, 1, 1) of every view;
// the aspect is 1 whatever the viewport's shape.
void lookAtSurface() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(50.0, 1.0, 0.1, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(1.0, 1.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.1, 0.0);
}

// Clears the frame, sets the light in eye coordinates (the previous frame
// left an identity model-view) and the fog; the next frame clears to a grey
// green.
void surfaceFrameStart() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  lightAndFog(frameLight);
  glClearColor(0.4f, 0.4f, 0.3f, 0.0f);
}

// A viewport filled with its background, unlit and unfogged, then the
// surface's perspective with the model-view pushed for the camera.
void openView(const PixelRect& r, Colour background, bool clearDepth) {
  layoutViewport(r);
  if (clearDepth) glClear(GL_DEPTH_BUFFER_BIT);
  glDisable(GL_LIGHTING);
  glDisable(GL_FOG);
  glDisable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluOrtho2D(0.0, 1.0, 0.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glColor3f(background.r, background.g, background.b);
  drawRectangle(0.0f, 0.0f, 1.0f, 1.0f);
  glEnable(GL_LIGHTING);
  glEnable(GL_FOG);
  glEnable(GL_BLEND);
  glEnable(GL_DEPTH_TEST);
  glLoadIdentity();
  lookAtSurface();
  glPushMatrix();
}

enum class Outline {
  White,  // at the line width last set
  Dark,   // 2 wide
};

// The view's camera ends; an outline around its edges.
void closeView(Outline outline) {
  glPopMatrix();
  glDisable(GL_LIGHTING);
  glDisable(GL_FOG);
  glDisable(GL_BLEND);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.0, 1.0, 0.0, 1.0, 0.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  if (outline == Outline::Dark) {
    layoutLineWidth(2.0f);
    glColor4f(0.1f, 0.1f, 0.1f, 1.0f);
  } else {
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  }
  drawOutline(0.0f, 0.0f, 1.0f, 1.0f);
}

template <typename Camera>
void view(const PixelRect& r, Colour background, bool clearDepth, Camera camera, unsigned draws, Outline outline) {
  openView(r, background, clearDepth);
  camera();
  drawList(draws);
  closeView(outline);
}

// The whole layout again, unlit, under the unit view, in white, for the
// spectrum and the fade.
void surfaceFrameEnd() {
  windowViewport();
  leave3DView();
}

// --- Cameras ----------------------------------------------------------------

// The three view angles, each turned on by an offset.
void rotateByViewAngles(double offsetX = 0.0, double offsetY = 0.0, double offsetZ = 0.0) {
  const ViewControls& v = viewControls;
  glRotated(v.viewAngleX + offsetX, 1.0, 0.0, 0.0);
  glRotated(v.viewAngleY + offsetY, 0.0, 1.0, 0.0);
  glRotated(v.viewAngleZ + offsetZ, 0.0, 0.0, 1.0);
}

void mainCamera() {
  const ViewControls& v = viewControls;
  glRotated(80.0, 1.0, 0.0, 0.0);
  glScaled(v.viewScaleX, v.viewScaleY, v.viewScaleZ);
  glRotated(-90.0, 1.0, 0.0, 0.0);
  rotateByViewAngles();
}

// The main camera turned back and forth about the vertical as the wobble
// runs on.
void swayCamera() {
  mainCamera();
  glTranslated(0.0, -0.2, 0.0);
  glScaled(0.8, 0.8, 0.8);
  glRotated(15.0 * std::sin(static_cast<double>(surfaceScene.surfaceWobble)) + 130.0, 0.0, 1.0, 0.0);
  surfaceScene.surfaceWobble += stepUnits() * 0.005f;
}

// Panel k of a row: larger and turned further for the later panels.
void stripCamera(int k) {
  const ViewControls& v = viewControls;
  glRotated(80.0, 1.0, 0.0, 0.0);
  glScaled(0.2 * k * v.viewScaleX + 0.5, 0.2 * k * v.viewScaleY + 0.5, 0.2 * k * v.viewScaleZ + 0.5);
  glRotated(-70.0, 1.0, 0.0, 0.0);
  rotateByViewAngles(-20.0 * k, 10.0 * k, 10.0 * k);
  glTranslated(v.viewShiftX, v.viewShiftY, 0.0);
}

void insetCamera() {
  const ViewControls& v = viewControls;
  glRotated(80.0, 1.0, 0.0, 0.0);
  glScaled(0.8, 0.8, 0.8);
  glRotated(-70.0, 1.0, 0.0, 0.0);
  rotateByViewAngles();
  glTranslated(v.viewShiftX - 0.7, v.viewShiftY + 0.8, 0.0);
}

enum class Followed {
  Last,        // the second ball, or the only one
  NextToLast,  // the first of two balls; with one ball, grid particle (9, 9)
};

// The carrier of the last sphere of the list or of the one before it.
const Particle* followedCarrier(Followed which) {
  const Sphere* previous = nullptr;
  const Sphere* last = nullptr;
  for (const Sphere* s = world.spheres; s != nullptr; s = s->next) {
    previous = last;
    last = s;
  }
  const Sphere* s = which == Followed::Last ? last : previous;
  return s != nullptr ? s->carrier : nullptr;
}

// Across by the ball's x and against its height.
void followBall(Followed which) {
  if (const Particle* c = followedCarrier(which)) glTranslated(c->position.x, -c->position.y, 0.0);
}

// Close on the last ball, swaying in size; the finale's are framed wider.
void ballPanelCamera(int n, bool finale) {
  glRotated(80.0, 1.0, 0.0, 0.0);
  const double s = ballPanelScale(n, surfaceScene.surfaceWobble);
  glScaled(s, s, s);
  glRotated(-70.0, 1.0, 0.0, 0.0);
  rotateByViewAngles();
  const Particle* c = followedCarrier(Followed::Last);
  if (c == nullptr) return;
  if (finale) {
    glTranslated(c->position.x - 0.1, 0.1 - c->position.y, 0.0);
  } else {
    glTranslated(c->position.x - 0.05, -c->position.y - 0.4, 0.0);
    glScaled(3.0, 3.0, 3.0);
  }
}

// --- Displays ---------------------------------------------------------------

// The inset and the ball panels of the ball-panel displays; in the finale
// the panels drop out of the picture as the fade counter grows.
void ballPanels(bool finale) {
  const double fade = engineFade.fadeCounter;
  for (int n = 0; n < surfaceScene.panelCount; ++n) {
    PixelRect r = ballPanel(n);
    if (finale) r.y = static_cast<int>(0.11111111 * layoutH() - (n + 1) * fade * fade * 0.1);
    openView(r, slate, true);
    ballPanelCamera(n, finale);
    drawList(finale ? SolidBalls : WireBalls);
    layoutLineWidth(2.0f);
    closeView(Outline::White);
  }
}

void finishFrame() {
  drawSpectrum();
  swapBuffers();
}

// Fades driven by the one fade counter of the 3D scenes: in from black as it
// grows, or out to black.
enum class Fade { In, Out };

void fadeByCounter(Fade fade, float rate) {
  advanceFadeCounter(rate, sequencer.frameMs);
  const float faded = engineFade.fadeCounter * 0.005f;
  fadeWithDecor(fade == Fade::In ? 1.0f - faded : faded);
}

// The large view of the strip displays following a ball, and the row of
// panels along the top.
void stripDisplay(Followed followed) {
  surfaceFrameStart();
  view(stripLargeView(), paleBlue, false, [followed] {
         mainCamera();
         followBall(followed);
       },
       Marked | Arrows | Links | SolidBalls, Outline::White);
  if (surfaceScene.panelSlide < 400.0f) surfaceScene.panelSlide += stepUnits();
  for (int k = 0; k < 3; ++k) {
    view(stripPanel(k, surfaceScene.panelSlide), olive, true, [k] { stripCamera(k); }, Marked | Mesh | WireBalls,
         Outline::White);
  }
  surfaceFrameEnd();
}

void ballPanelDisplay(double size) {
  surfaceFrameStart();
  view(swayLargeView(size), paleGrey, false, swayCamera, Marked | Mesh | WireBalls, Outline::White);
  if (surfaceScene.panelSlide < 200.0f) surfaceScene.panelSlide += stepUnits() * 1.5f;
  view(ballInset(surfaceScene.panelSlide), paleBlue, true, insetCamera, Marked | Arrows | Mesh | SolidBalls,
       Outline::Dark);
  ballPanels(false);
  surfaceFrameEnd();
  finishFrame();
}

// One view over the whole screen; the panel slide runs on for the tracking
// camera.
template <typename Camera>
void wholeScreenDisplay(Camera camera, unsigned draws) {
  surfaceFrameStart();
  view(wholeScreen(), paleBlue, false, camera, draws, Outline::White);
  if (surfaceScene.panelSlide < 400.0f) surfaceScene.panelSlide += stepUnits();
  surfaceFrameEnd();
  finishFrame();
}

}  // namespace

// --- Inits ------------------------------------------------------------------

void initSurfaceOneBall() { initSurfaceScene(SurfaceLoad::OneBall); }
void initSurfaceTwoBalls() { initSurfaceScene(SurfaceLoad::TwoBalls); }
void initSurfaceSmallBalls() { initSurfaceScene(SurfaceLoad::SmallBalls); }
void initSurfaceCard() { startSurface(SurfaceLoad::CardBall); }

void initSurfaceKeep() {
  surfaceScene.panelSlide = 0.0f;
  engineFade.fadeCounter = 0.0f;
}

void releaseSurfaceEdges() {
  showPanels(50.0f, 0);
  surfaceScene.surfaceWobble = 0.0f;
  releaseSurfaceBorder();
}

void initSurfacePanelsOne() { showPanels(50.0f, 1); }
void initSurfacePanelsTwo() { showPanels(50.0f, 2); }
void initSurfacePanelsThree() { showPanels(50.0f, 3); }
void initSurfacePanelsFour() { showPanels(50.0f, 4); }

void initSurfaceFinale() {
  engineFade.fadeCounter = 0.0f;
  surfaceScene.panelSlide = 200.0f;
  surfaceScene.surfaceWobble = 0.0f;
}

// --- Idle and reshape -------------------------------------------------------

void animateSurface() {
  stepOpenWorld(sequencer.frameMs);
  requestRedisplay();
}

void reshapeSurface(int width, int height) {
  layoutViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
}

// --- Layout -----------------------------------------------------------------

PixelRect dropLargeView() { return truncated(layoutW() / 4.0, layoutH() / 4.0, 0.7 * layoutW(), 0.7 * layoutH()); }

PixelRect dropPanel(int k, float panelSlide) {
  return truncated(layoutW() / 8.0 + (panelSlide - 200.0) / (k + 1), layoutH() * (0.25 * k + 0.16666667),
                   0.15 * layoutW(), 0.15 * layoutH());
}

PixelRect stripPanel(int k, float panelSlide) {
  return truncated(layoutW() - 0.2 * layoutW() + 0.34 * layoutW() * k - (panelSlide - 200.0),
                   layoutH() - 0.25 * layoutH(), 0.22 * layoutW(), 0.22 * layoutH());
}

PixelRect ballInset(float panelSlide) {
  return truncated(0.05263158 * layoutW(), panelSlide - 200.0 + 0.05263158 * layoutH(), 0.5 * layoutW(),
                   0.5 * layoutH());
}

PixelRect ballPanel(int n) {
  return truncated(layoutW() - n * layoutW() * 0.16666667 - 0.05 * layoutW(), 0.11111111 * layoutH(),
                   0.1 * layoutW(), 0.1 * layoutH());
}

float ballPanelScale(int n, float surfaceWobble) {
  return static_cast<float>((n / 2 + 1) + 0.6666666666666666 * std::sin(3.0 * static_cast<double>(surfaceWobble)));
}

// --- Displays ---------------------------------------------------------------

// The surface from the side, following the ball, with three panels sliding
// in from the left; fades in.
void displaySurfaceDrop() {
  surfaceFrameStart();
  view(dropLargeView(), olive, false, [] {
         mainCamera();
         followBall(Followed::Last);
       }, Arrows | Mesh | WireBalls,
       Outline::White);
  if (surfaceScene.panelSlide < 200.0f) surfaceScene.panelSlide += stepUnits() * 1.5f;
  for (int k = 0; k < 3; ++k) {
    view(dropPanel(k, surfaceScene.panelSlide), paleBlue, true, [k] { stripCamera(k); }, Links | SolidBalls,
         Outline::White);
  }
  surfaceFrameEnd();
  fadeByCounter(Fade::In, 2.0f);
  drawSpectrum();
  swapBuffers();
}

// Fades out over about 1.8 s, longer than the entry.
void displaySurfaceStripOut() {
  stripDisplay(Followed::Last);
  drawSpectrum();
  fadeByCounter(Fade::Out, 1.1f);
  swapBuffers();
}

// Follows the first of the two balls; fades in over 2 s.
void displaySurfaceStripIn() {
  stripDisplay(Followed::NextToLast);
  drawSpectrum();
  fadeByCounter(Fade::In, 1.0f);
  swapBuffers();
}

void displaySurfaceStrip() {
  stripDisplay(Followed::Last);
  finishFrame();
}

void displaySurfaceBallPanels() { ballPanelDisplay(0.7); }
void displaySurfaceBallPanelsWide() { ballPanelDisplay(0.9); }

// Runs along beside the first ball as the panel slide grows.
void displaySurfaceTracking() {
  wholeScreenDisplay(
      [] {
        mainCamera();
        if (const Particle* c = followedCarrier(Followed::NextToLast)) {
          glTranslated(c->position.x - 0.0025 * slide(), 0.15 - c->position.y, 0.0);
        }
      },
      Arrows | Mesh | WireBalls);
}

void displaySurfaceFixed() {
  wholeScreenDisplay(
      [] {
        mainCamera();
        glTranslated(-1.1, 0.6, 0.0);
      },
      Mesh);
}

void displaySurfaceFull() {
  wholeScreenDisplay(
      [] {
        mainCamera();
        followBall(Followed::NextToLast);
      },
      Marked | Arrows | Links | SolidBalls);
}

// The large view breathes once over the first two seconds, then it drifts
// up and the inset down while the ball panels drop away and all fades out
// over ten seconds.
void displaySurfaceFinale() {
  SurfaceSceneState& s = surfaceScene;
  if (s.zoomPhase > 0.0f) {
    s.zoomPhase = static_cast<float>(s.zoomPhase - static_cast<double>(stepUnits()) * 0.015707963267948967);
  }
  surfaceFrameStart();
  view(finaleLargeView(std::sin(static_cast<double>(s.zoomPhase))), paleGrey, false, swayCamera, Mesh | WireBalls,
       Outline::White);
  s.panelSlide -= stepUnits() * 0.5f;
  view(finaleInset(std::sin(0.75 * static_cast<double>(s.zoomPhase))), paleBlue, true, insetCamera,
       Arrows | Mesh | SolidBalls, Outline::Dark);
  ballPanels(true);
  surfaceFrameEnd();
  drawSpectrum();
  fadeByCounter(Fade::Out, 0.2f);
  swapBuffers();
}

void drawSurfaceCardView() {
  glEnable(GL_DEPTH_TEST);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  lookAtSurface();
  glPushMatrix();
  lightAndFog(cardLight);
  mainCamera();
  const ViewControls& v = viewControls;
  glTranslated(v.viewShiftX, v.viewShiftY, v.viewShiftZ);
  hideCursor();
  drawList(Arrows | Mesh | WireBalls);
  glPopMatrix();
  leave3DView();
}

void dumpSurfaceScene(const std::string& frameDirectory) {
  JsonScalars json;
  json.add("panelSlide", surfaceScene.panelSlide);
  json.add("panelCount", surfaceScene.panelCount);
  json.add("surfaceWobble", surfaceScene.surfaceWobble);
  json.add("zoomPhase", surfaceScene.zoomPhase);
  json.write(frameDirectory + "/surface.json");
}
