#include "scenes/wave/waveFunctionScenes.h"

#include <GL/gl.h>

#include "platform/glutSeam.h"
#include "runtime/flatDrawing.h"
#include "runtime/frameFinish.h"
#include "runtime/pictures.h"
#include "runtime/screen.h"
#include "runtime/sequencer.h"
#include "runtime/stateDump.h"
#include "runtime/viewControls.h"
#include "scenes/wave/waveMesh.h"
#include "scenes/wave/waveScenes.h"
#include "sim/wave/waveFunction.h"

namespace {

// One mesh view: its viewport in layout pixels, its camera, and the grey of
// the frame around it.
struct Viewport {
  float left, bottom, width, height;
};
struct DensityView {
  Viewport port;
  MeshCamera camera;
  float frameGrey;
  void (*draw)(const MeshCamera&) = drawWaveFunction;
};

// A picture bound that moves with the slide T: slope T + offset.
struct Bound {
  double slope, offset;
  float at(float t) const { return static_cast<float>(slope * t + offset); }
};
struct EquationPicture {
  Picture mask, overlay;
  Bound left, right, bottom, top;
};

double aspect() { return screenWidth / screenHeight; }
// Camera turns in whole degrees.
float degrees(double angle) { return static_cast<float>(static_cast<int>(angle)); }

// The single view from 5 % to 95 % of the window, zooming in with the phase
// and with the slow turn.
DensityView middleView(float pitch, float yawB, float roll) {
  const auto zoom = static_cast<float>(waveScenes.waveTime / 7 + viewControls.viewAngleY / 4 - 8);
  const MeshCamera camera{.aspect = aspect(), .pitch = pitch, .yawB = yawB, .roll = roll, .zoom = zoom};
  return {{screenWidth * 0.05f, screenHeight * 0.05f, screenWidth * 0.9f, screenHeight * 0.9f}, camera, 0.76f};
}

// Upper right quarter, looking down more steeply and turning the other way;
// lower left quarter, from a fixed side and zooming in slower.
DensityView upperQuarter() {
  const ViewControls& v = viewControls;
  const MeshCamera camera{.aspect = aspect(),
                          .pitch = degrees(v.viewAngleX + 260),
                          .yawB = degrees(-v.viewAngleY),
                          .roll = degrees(v.viewAngleZ),
                          .zoom = waveScenes.waveTime / 7 - 2};
  return {{screenWidth / 2, screenHeight / 2, screenWidth / 2, screenHeight / 2}, camera, 0.56f};
}
DensityView lowerQuarter() {
  const ViewControls& v = viewControls;
  const MeshCamera camera{.aspect = aspect(),
                          .pitch = degrees(v.viewAngleX + 220),
                          .roll = degrees(v.viewAngleZ),
                          .zoom = waveScenes.waveTime / 12 - 2};
  return {{0.0f, 0.0f, screenWidth / 2, screenHeight / 2}, camera, 0.56f};
}

void drawDensityView(const DensityView& view) {
  const Viewport& p = view.port;
  setViewport(p.left, p.bottom, p.width, p.height);
  view.draw(view.camera);
  setViewport(p.left, p.bottom, p.width, p.height);
  flatUnitView();
  glFlush();
  layoutLineWidth(2.0f);
  glColor3f(view.frameGrey, view.frameGrey + 0.01f, view.frameGrey + 0.02f);
  drawOutline(-1.0f, -1.0f, 1.0f, 1.0f);
}

// The frame of every wave-function view: the meshes, one step of the packet,
// the equation pictures, the fade from black, the spectrum.
template <size_t Views, size_t Equations>
void wfFrame(const DensityView (&views)[Views], const EquationPicture (&equations)[Equations]) {
  for (const DensityView& view : views) drawDensityView(view);

  advanceWavePhase();
  double time = wfFrameTime(sequencer.frameMs);
  wfStep(waveFunction);
  while (time - 0.5 > 0) {
    wfStep(waveFunction);
    time -= 0.5;
  }

  wholeWindow();
  for (const EquationPicture& p : equations) {
    const float t = waveScenes.pictureSlide;
    drawEquationPicture(p.mask, p.overlay, p.left.at(t), p.right.at(t), p.bottom.at(t), p.top.at(t));
  }
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  waveFadeIn();
  wholeWindow();
  glFlush();
  drawSpectrum();
  swapBuffers();
}

// The camera turns slowly; the density is worked out afresh.
void startWfFrame() {
  glClearColor(0.0f, 0.01f, 0.02f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  viewControls.viewAngleY += frameStep(0.1f);
  wfDensity(waveFunction);
  wfMarkPotential(waveFunction);
  glShadeModel(GL_SMOOTH);
}

// The pictures shrink towards the middle as the slide rises.
constexpr Bound largeLow{1.3, -1.3}, largeHigh{-1.5, 1.5};
constexpr EquationPicture shr1Large{Picture::Shr1, Picture::Shr1Mask, largeLow, largeHigh, largeLow, largeHigh};
constexpr Bound lowLeft{1.5, -2.55}, lowTop{-1.5, 1.45};

}  // namespace

void wfSceneInit() {
  waveSceneInit();
  viewControls.viewAngleY = 0.0;
}

void wfViewA() {
  startWfFrame();
  const ViewControls& v = viewControls;
  const DensityView views[] = {middleView(degrees(v.viewAngleX + 220), degrees(v.viewAngleY), degrees(v.viewAngleZ))};
  const EquationPicture equations[] = {shr1Large,
                                       {Picture::Shr2, Picture::Shr2Mask, {1.5, -1.7}, {-1.5, 2.3}, lowLeft, lowTop}};
  wfFrame(views, equations);
}

void wfViewB() {
  startWfFrame();
  const DensityView views[] = {upperQuarter(), lowerQuarter()};
  const EquationPicture equations[] = {
      {Picture::Shr2, Picture::Shr1Mask, {1.8, -1.8}, {-1.5, 2.0}, largeLow, largeHigh},
      {Picture::Shr3, Picture::Shr2Mask, {1.5, -2.2}, {-1.5, 1.8}, lowLeft, lowTop}};
  wfFrame(views, equations);
}

void wfViewC() {
  startWfFrame();
  const DensityView views[] = {upperQuarter(), lowerQuarter()};
  const EquationPicture equations[] = {
      shr1Large, {Picture::Shr3, Picture::Shr3Mask, {1.5, -1.0}, {-1.5, 3.0}, {1.5, -4.0}, {-1.5, 0.0}}};
  wfFrame(views, equations);
}

void wfViewD() {
  startWfFrame();
  waveMesh.checker = 1;
  const DensityView views[] = {middleView(degrees(viewControls.viewAngleX + 200), 30.0f, 0.0f)};
  const EquationPicture equations[] = {{Picture::Shr3, Picture::Shr3Mask, {1.5, -2.2}, {-1.5, 1.8}, lowLeft, lowTop}};
  wfFrame(views, equations);
}

void wfViewE() {
  startWfFrame();
  const ViewControls& v = viewControls;
  DensityView view = middleView(degrees(v.viewAngleX + 220), 0.0f, degrees(v.viewAngleZ));
  view.port = {0.0f, 0.0f, screenWidth, screenHeight};
  view.draw = drawWaveFunctionAlt;
  const DensityView views[] = {view};
  const EquationPicture equations[] = {
      {Picture::Shr3, Picture::Shr3Mask, {1.5, -2.0}, {-1.5, 2.0}, {1.5, -2.2}, {-1.5, 1.8}}};
  wfFrame(views, equations);
}

void drawEquationPicture(Picture mask, Picture overlay, float left, float right, float bottom, float top) {
  WaveScenes& w = waveScenes;
  if (w.pictureSlide < 1.0f) {
    w.pictureSlide += frameStep(0.001f);
  } else {
    w.pictureSlide = 1.0f;
  }
  glEnable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  // Each pass darkens the screen through the mask, then adds a faint glow of
  // the overlay, on a quad a little larger than the last. Multiplying by
  // the mask's white and adding the overlay's black leave the screen as it
  // is, so only the lettering's part of each picture is drawn.
  static constexpr uint8_t white[3] = {255, 255, 255};
  static constexpr uint8_t black[3] = {0, 0, 0};
  for (float o = 0.0f; o < 0.1f; o += 0.033f) {
    glColor4f(1.0f, 1.0f, 1.0f, 0.0f);
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glBindTexture(GL_TEXTURE_2D, pictureTexture(mask));
    drawPictureContent(mask, white, left - o, bottom - o, right + o, top + o, 0.01f, 0.99f);
    glDepthFunc(GL_EQUAL);
    glBlendFunc(GL_ONE, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, pictureTexture(overlay));
    glColor4f(0.125f, 0.125f, 0.125f, 0.045f);
    drawPictureContent(overlay, black, left - o, bottom - o, right + o, top + o, 0.01f, 0.99f);
  }
  glDisable(GL_TEXTURE_2D);
  glDepthFunc(GL_LESS);
}

void dumpWaveFunctionScene(const std::string& frameDirectory) {
  const WaveFunction& wf = waveFunction;
  const std::vector<size_t> grid{wfGridSize, wfGridSize};
  const std::vector<size_t> complexGrid{wfGridSize, wfGridSize, 2};
  static_assert(sizeof(Complex) == 2 * sizeof(double));
  writeNpy(frameDirectory + "/wfPsi.npy", &gridData(wf.psi)->re, complexGrid);
  writeNpy(frameDirectory + "/wfChi.npy", &gridData(wf.chi)->re, complexGrid);
  writeNpy(frameDirectory + "/wfDensity.npy", gridData(wf.density), grid);
  writeNpy(frameDirectory + "/wfPotential.npy", gridData(wf.potential), grid);
  writeNpy(frameDirectory + "/wfCellFlags.npy", gridData(wf.cellFlags), grid);
  JsonScalars json;
  json.add("packetWidth", wf.packetWidth);
  json.write(frameDirectory + "/waveFunction.json");
}
