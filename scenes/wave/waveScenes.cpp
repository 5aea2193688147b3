#include "scenes/wave/waveScenes.h"

#include <GL/gl.h>

#include <cmath>

#include "platform/glutSeam.h"
#include "runtime/flatDrawing.h"
#include "runtime/frameFinish.h"
#include "runtime/pictures.h"
#include "runtime/screen.h"
#include "runtime/sequencer.h"
#include "runtime/stateDump.h"
#include "scenes/wave/waveMesh.h"
#include "sim/wave/waveField.h"

WaveScenes waveScenes;

namespace {

// Scales the phase's advance: 2 x 0.5 = 1, so 0.1 degree per millisecond.
constexpr float speedFactor = 0.5f;

// The large view, left of centre and above the middle: (100, 75, 500, 400)
// at 800 x 600.
void largeViewport() {
  setViewport(screenWidth / 8, screenHeight / 8, 0.625f * screenWidth, screenHeight / 2 + screenWidth / 8);
}

// The camera of most views: its pitch turns with the phase, its zoom swings
// between 0 and 2.
MeshCamera camera(float pitch, float yawB, float zoom, double aspect = screenWidth / screenHeight) {
  return {.aspect = aspect, .yawA = 0, .pitch = pitch, .yawB = yawB, .roll = 0.0f, .zoom = zoom};
}
float turningPitch(float base) { return waveScenes.waveTime / 2 + base; }
float swingingZoom() { return static_cast<float>(std::sin(static_cast<double>(waveScenes.waveTime / 3)) + 1); }

// One panel of the equation: seven translucent layers of the background
// picture, each turned further by the spin, then the equation three times
// over, breathing with the phase.
void drawEquationPanel(int k) {
  WaveScenes& w = waveScenes;
  setViewport(screenWidth / 2, screenWidth / 6 * static_cast<float>(k) + screenHeight / 4, screenWidth / 2,
              screenWidth / 7);
  glDisable(GL_BLEND);
  loadUnitView();
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  w.waveSpin += frameStep(0.0005f);

  glPushMatrix();
  const float s = w.waveSpin;
  for (float layer = 0.0f; layer <= 1.0f; layer += 0.15f) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, pictureTexture(Picture::Podklad1));
    blendOverScene();
    glRotatef(s * w.wavePhase * 46, 0.2f, 0.1f, 0.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 0.05f);
    drawTexturedRectangle(-1 - 2 * s, -1 - 2 * s, 1 + 2 * s, 1 + 2 * s);
  }
  glDisable(GL_BLEND);
  glDepthFunc(GL_LESS);
  glDisable(GL_TEXTURE_2D);
  glPopMatrix();

  glPushMatrix();
  glBindTexture(GL_TEXTURE_2D, pictureTexture(Picture::Rownanie1));
  const double q = std::sin(static_cast<double>(w.wavePhase));
  const auto halfWidth = static_cast<float>(1.2 + q / 19);
  const auto halfHeight = static_cast<float>(2.9 + 0.2 * q);
  for (float layer = 0.0f; layer <= 1.0f; layer += 0.5f) {
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glColor4f(1.0f, 1.0f, 1.0f, 0.29f);
    drawTexturedRectangle(-halfWidth, -halfHeight, halfWidth, halfHeight);
  }
  glDisable(GL_BLEND);
  glDepthFunc(GL_LESS);
  glDisable(GL_TEXTURE_2D);
  glPopMatrix();
}

enum class Fade { In, Out };

// Everything after the mesh: the fade over the whole window, the panels
// (unfaded), the spectrum and the swap.
void finishWaveFrame(int panels, Fade fade) {
  WaveScenes& w = waveScenes;
  wholeWindow();
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  if (fade == Fade::In) {
    waveFadeIn();
  } else {
    // To black over about 3.3 s.
    if (w.waveFade <= 200.0f) w.waveFade += frameStep(0.6f);
    fadeWithDecor(0.005f * w.waveFade);
  }
  for (int k = 0; k < panels; ++k) drawEquationPanel(k);
  wholeWindow();
  glFlush();
  drawSpectrum();
  swapBuffers();
}

void startWaveFrame() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }

// The view of entries 63 and 64 beside three panels.
void pitchedPanelView(float pitchBase, float yawFactor) {
  startWaveFrame();
  largeViewport();
  drawWaveField(0.0, camera(turningPitch(pitchBase), yawFactor * waveScenes.waveYaw, swingingZoom()), 0.0f);
  waveAdvance();
  finishWaveFrame(3, Fade::In);
}

// The title card's drawing, shaded or as a net.
void drawCard() {
  drawWaveField(0.0, camera(turningPitch(150.0f), 1.5f * waveScenes.waveYaw, swingingZoom()), 0.0f);
  waveAdvance();
  flatUnitView();
}

}  // namespace

void waveSceneInit() {
  WaveScenes& w = waveScenes;
  waveMesh.wireframe = 0;
  waveMesh.checker = 0;
  glEnable(GL_DEPTH_TEST);
  w.waveTime = 0.0f;
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glBlendFunc(GL_SRC_ALPHA, GL_ZERO);
  w.waveFade = 0.0f;
  w.waveSpin = 0.0f;
  w.pictureSlide = 0.0f;
}

void flatUnitView() {
  glDisable(GL_LIGHTING);
  glDisable(GL_FOG);
  glDisable(GL_BLEND);
  loadUnitView();
}

void wholeWindow() {
  windowViewport();
  flatUnitView();
}

void waveFadeIn() {
  WaveScenes& w = waveScenes;
  if (w.waveFade <= 200.0f) w.waveFade += frameStep(2.0f);
  fadeWithDecor(1.0f - 0.005f * w.waveFade);
}

void advanceWavePhase() {
  WaveScenes& w = waveScenes;
  w.wavePhase =
      static_cast<float>(w.wavePhase + static_cast<double>(frameStep(2 * speedFactor)) * 0.017453292519943295);
  w.waveTime = w.wavePhase;
}

void waveAdvance() {
  advanceWavePhase();
  forEachWaveStep(waveFrameTime(sequencer.frameMs), [](double dt) { waveStep(waveField, waveScenes.wavePhase, dt); });
}

// View | viewport | lift | pitch | yaw B | zoom | panels
// A    | large    | 0.5  | turning from 150 | 1.5 yaw | swinging | -
// B    | upper middle (W/4, H/2, 2W/3, H/2) | 0 | 160 | 1.5 yaw | 3 | one
// C    | small, lower left (W/18, H/18, W/4, H/2) | 0 | 150 | 1.25 yaw | swinging | three
// D    | upper right quarter, stepped before drawing | 0 | turning from 150 | 1.5 yaw | swinging | -
// E    | large | 0 | turning from 150 | 1.5 yaw | swinging | three
// F    | large | 0 | turning from 190 | 4/3 yaw | swinging | three
// G    | large | 0 | 190 | 0.5 yaw, turning the yaw | 1 | -, fading out
void waveViewA() {
  startWaveFrame();
  largeViewport();
  drawWaveField(0.5, camera(turningPitch(150.0f), 1.5f * waveScenes.waveYaw, swingingZoom()), 0.0f);
  waveAdvance();
  finishWaveFrame(0, Fade::In);
}

void waveViewB() {
  startWaveFrame();
  setViewport(screenWidth / 4, screenHeight / 2, 2 * screenWidth / 3, screenHeight / 2);
  drawWaveField(0.0, camera(160.0f, 1.5f * waveScenes.waveYaw, 3.0f), 0.0f);
  waveAdvance();
  finishWaveFrame(1, Fade::In);
}

void waveViewC() {
  startWaveFrame();
  setViewport(screenWidth / 18, screenHeight / 18, screenWidth / 4, screenHeight / 2);
  drawWaveField(0.0, camera(150.0f, 1.25f * waveScenes.waveYaw, swingingZoom(), screenWidth / 2 / screenHeight), 0.0f);
  waveAdvance();
  finishWaveFrame(3, Fade::In);
}

void waveViewD() {
  startWaveFrame();
  setViewport(screenWidth / 2, screenHeight / 2, screenWidth / 2, screenHeight / 2);
  waveAdvance();
  drawWaveField(0.0, camera(turningPitch(150.0f), 1.5f * waveScenes.waveYaw, swingingZoom()), 0.0f);
  finishWaveFrame(0, Fade::In);
}

void waveViewE() { pitchedPanelView(150.0f, 1.5f); }

void waveViewF() { pitchedPanelView(190.0f, 1.3333334f); }

void waveViewG() {
  WaveScenes& w = waveScenes;
  startWaveFrame();
  largeViewport();
  drawWaveField(0.0, camera(190.0f, 0.5f * w.waveYaw, 1.0f), 0.0f);
  waveAdvance();
  w.waveYaw = static_cast<float>(w.waveYaw + 0.002 * sequencer.frameMs);
  finishWaveFrame(0, Fade::Out);
}

void drawWaveCard() {
  waveMesh.wireframe = 0;
  glEnable(GL_DEPTH_TEST);
  drawCard();
}

void drawWaveCardWire() {
  waveMesh.wireframe = 1;
  glDisable(GL_DEPTH_TEST);
  drawCard();
}

void dumpWaveScene(const std::string& frameDirectory) {
  const WaveField& f = waveField;
  const std::vector<size_t> shape{waveGridSize, waveGridSize};
  writeNpy(frameDirectory + "/waveU.npy", gridData(f.u), shape);
  writeNpy(frameDirectory + "/waveV.npy", gridData(f.v), shape);
  writeNpy(frameDirectory + "/waveFlags.npy", gridData(f.flags), shape);
  const WaveScenes& w = waveScenes;
  JsonScalars json;
  json.add("h", f.h);
  json.add("wavePhase", w.wavePhase);
  json.add("waveTime", w.waveTime);
  json.add("waveYaw", w.waveYaw);
  json.add("waveFade", w.waveFade);
  json.add("waveSpin", w.waveSpin);
  json.add("pictureSlide", w.pictureSlide);
  json.add("waveWireframe", waveMesh.wireframe);
  json.add("waveChecker", waveMesh.checker);
  json.write(frameDirectory + "/wave.json");
}
