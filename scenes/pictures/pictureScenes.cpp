#include "scenes/pictures/pictureScenes.h"

#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "platform/glutSeam.h"
#include "platform/random.h"
#include "runtime/flatDrawing.h"
#include "runtime/frameFinish.h"
#include "runtime/music.h"
#include "runtime/screen.h"
#include "runtime/sequencer.h"
#include "runtime/stateDump.h"
#include "scenes/pictures/pictureDrawing.h"

PictureScenes pictureScenes;

// ---- Shared steps -------------------------------------------------------------

float advancedByFrame(float value, double rate) {
  const float frameStep = static_cast<float>(sequencer.frameMs) * frameScale;
  return static_cast<float>(value + static_cast<double>(frameStep) * rate);
}

Picture nthPicture(Picture first, int n) { return static_cast<Picture>(static_cast<int>(first) + n); }

void bindPicture(Picture picture) {
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, pictureTexture(picture));
}

void drawPictureSquare(float x, float y, float h) { drawTexturedRectangle(x - h, y - h, x + h, y + h); }

void drawSquareFrame(float x, float y, float k) {
  layoutLineWidth(3.0f);
  drawOutline(x - k, y - k, x + k, y + k);
}

float randomCentre(double spread) { return static_cast<float>((demoRand() / 32767.0 - 0.5) * spread); }

namespace {

// Every picture display draws over the whole screen, whatever viewport the
// scene before it left, starting from the unit view.
void beginPictureFrame(GLbitfield clear) {
  windowViewport();
  if (clear != 0) glClear(clear);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  loadUnitView();
}

// The picture over the whole view, (0, 0) .. (1, 1) on (-1, -1) .. (1, 1).
void drawWholeView(Picture picture) {
  glColor3f(1.0f, 1.0f, 1.0f);
  bindPicture(picture);
  drawTexturedRectangle(-1.0f, -1.0f, 1.0f, 1.0f);
}

// Texturing off before the fade and the spectrum, which are drawn plain.
void finishFrame() {
  glDisable(GL_TEXTURE_2D);
  glFlush();
  drawSpectrum();
  swapBuffers();
}

// ---- The party picture ----------------------------------------------------------

// How far a corner of a trembling copy is pushed: up to 0.06.
float partyPush() { return static_cast<float>(demoRand() * 0.06 / randMax); }

void drawParty() {
  PictureScenes& s = pictureScenes;
  glDisable(GL_BLEND);
  beginPictureFrame(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  drawWholeView(Picture::Brisko);
  s.fade = advancedByFrame(s.fade, 1.0);

  // Five copies at half alpha, every corner pushed outward from the view's
  // corner, in y first and then in x.
  auto corner = [](float texS, float texT, float x, float y) {
    const float py = partyPush();
    const float px = partyPush();
    glColor4f(1.0f, 1.0f, 1.0f, 0.5f);
    glTexCoord2f(texS, texT);
    glVertex2f(x + x * px, y + y * py);
  };
  for (float pass = 0.0f; pass <= 1.0f; pass += 0.25f) {
    glBegin(GL_QUADS);
    corner(0.0f, 0.0f, -1.0f, -1.0f);
    corner(0.0f, 1.0f, -1.0f, 1.0f);
    corner(1.0f, 1.0f, 1.0f, 1.0f);
    corner(1.0f, 0.0f, 1.0f, -1.0f);
    glEnd();
  }
  glDisable(GL_TEXTURE_2D);
}

// ---- Turning layers ---------------------------------------------------------------

struct TurningLayers {
  Picture picture;
  int count;     // layers, c from 0 in equal steps up to the last
  double step;   // the step of c
  float degrees;  // the turn per layer is S * c * degrees
  float axis[3];
  float growth;  // the quad is (-1 - growth S) .. (1 + growth S)
  float alpha;
};

// The layers turn about the axis by angles that add up from layer to layer.
void drawTurningLayers(const TurningLayers& layers) {
  const float spin = pictureScenes.spin;
  const float reach = 1.0f + layers.growth * spin;
  glPushMatrix();
  bindPicture(layers.picture);
  float c = 0.0f;
  for (int layer = 0; layer < layers.count; ++layer, c = static_cast<float>(c + layers.step)) {
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glRotatef(spin * c * layers.degrees, layers.axis[0], layers.axis[1], layers.axis[2]);
    glColor4f(1.0f, 1.0f, 1.0f, layers.alpha);
    drawTexturedRectangle(-reach, -reach, reach, reach);
  }
  glPopMatrix();
}

void drawSpinningLayers(const TurningLayers& layers, const TurningLayers* over) {
  PictureScenes& s = pictureScenes;
  beginPictureFrame(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  s.spin = advancedByFrame(s.spin, 0.0005);
  drawTurningLayers(layers);
  if (over != nullptr) drawTurningLayers(*over);
  glDisable(GL_TEXTURE_2D);
  s.fade = advancedByFrame(s.fade, 0.2);
  if (s.fade <= 20.0f) fadeWithDecor(1.0f - 0.05f * s.fade);
  finishFrame();
}

// ---- Zoom ----------------------------------------------------------------------------

// The background grows by Z each way; five translucent frames close in on
// the centre as Z grows.
void drawZoom() {
  const float z = pictureScenes.zoom;
  beginPictureFrame(0);
  glColor3f(1.0f, 1.0f, 1.0f);
  bindPicture(Picture::Podklad1);
  drawTexturedRectangle(-1.0f - z, -1.0f - z, 1.0f + z, 1.0f + z);
  bindPicture(Picture::Frames22);
  blendOverScene();
  for (float c = 0.0f; c <= 1.0f; c += 0.25f) {
    glColor4f(1.0f, 1.0f, 1.0f, 0.1f);
    const float edge = 0.18f * z + 0.2f * c - 2.0f;
    drawTexturedRectangle(edge, edge, -edge, -edge);
  }
  glDisable(GL_TEXTURE_2D);
}

// ---- Backdrops and the gallery ----------------------------------------------------

// The backdrop picture, then its translucent copies: each turned by
// spin * c * 0.8 degrees, scaled by (scale - 0.125 c) and moved by
// (c / 14, c / 17), all adding up from copy to copy. Two draws of the shared
// generator are made and thrown away for each corner.
void drawTurningBackdrop(float spin, int copies, float cStep, float scale) {
  drawWholeView(Picture::Podklad2);
  glDisable(GL_TEXTURE_2D);
  glPushMatrix();
  float c = 0.0f;
  for (int copy = 0; copy < copies; ++copy, c = static_cast<float>(c + cStep)) {
    glRotatef(spin * c * 0.8f, 0.0f, 0.0f, 1.0f);
    const float size = scale - 0.125f * c;
    glScalef(size, size, size);
    glTranslatef(c / 14.0f, c / 17.0f, 0.0f);
    glEnable(GL_TEXTURE_2D);
    blendOverScene();
    glColor4f(1.0f, 1.0f, 1.0f, (1.0f - c) / 2.0f);
    for (int draw = 0; draw < 8; ++draw) demoRand();
    drawTexturedQuad({{0, 0, -1, -1}, {0, 1, -1, 1}, {1, 1, 1, 1}, {1, 0, 1, -1}});
    glDisable(GL_BLEND);
    glDepthFunc(GL_LESS);
    glDisable(GL_TEXTURE_2D);
  }
  glPopMatrix();
}

void startBackdropFrame() {
  glDisable(GL_BLEND);
  beginPictureFrame(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// Three faint copies of an overlay that drift apart and back as Z grows.
void drawDriftingOverlay() {
  PictureScenes& s = pictureScenes;
  s.zoom = advancedByFrame(s.zoom, 0.02);
  bindPicture(Picture::Qel);
  blendOverScene();
  glColor4f(1.0f, 1.0f, 1.0f, 0.1f);
  const auto swing = static_cast<float>(0.5 * std::sin(0.18f * s.zoom));
  for (float c = 0.0f; c <= 0.5f; c += 0.25f) {
    const float d = 0.2f * c;
    drawTexturedRectangle(swing + d - 1.84f, swing + d - 2.06f, 1.96f - swing - d, 1.94f - swing - d);
  }
  glDisable(GL_BLEND);
  glDepthFunc(GL_LESS);
  glDisable(GL_TEXTURE_2D);
}

void fadeInOverOneSecond() {
  PictureScenes& s = pictureScenes;
  s.fade = advancedByFrame(s.fade, 0.2);
  if (s.fade <= 20.0f) fadeWithDecor(1.0f - 0.05f * s.fade);
}

// The gallery's picture of the moment: g1 to g9 at the centre, 400 ms each,
// then g9 again and again at random places within 0.3 of the centre.
void nextGalleryPicture() {
  PictureScenes& s = pictureScenes;
  if (s.popupAge >= 1.0f) {
    s.popupAge = 0.0f;
    s.popupIndex += 1;
    if (s.popupIndex > 8) {
      s.popupIndex = 8;
      s.popupX = randomCentre(0.6);
      s.popupY = randomCentre(0.6);
    }
  }
  s.popupAge = advancedByFrame(s.popupAge, 0.025);
}

// Five passes, each: the mask multiplies what lies below (its dark parts
// darken, its white parts leave the backdrop as it is), then the picture is
// added over it, faint until the last picture, which is added in full.
// The mask's white and the picture's black leave the backdrop as it is, so
// only the part of each that holds the picture is drawn.
void drawMaskedPicture() {
  static constexpr uint8_t white[3] = {255, 255, 255};
  static constexpr uint8_t black[3] = {0, 0, 0};
  const PictureScenes& s = pictureScenes;
  const int n = 8 - s.popupIndex;
  for (float c = 0.0f; c <= 1.0f; c += 0.25f) {
    const float h = 0.3f + 0.1f * static_cast<float>(s.popupIndex) - 0.09f * c - 0.18f * s.popupAge;
    glColor4f(1.0f, 1.0f, 1.0f, 0.1f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    const Picture mask = nthPicture(Picture::G1Alpha, s.popupIndex);
    bindPicture(mask);
    drawPictureContent(mask, white, s.popupX - h, s.popupY - h, s.popupX + h, s.popupY + h, 0.0f, 1.0f);
    glDisable(GL_TEXTURE_2D);

    if (n == 0) {
      glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    } else {
      const auto share = static_cast<float>(n);
      glColor4f(0.3f / share, 0.5f / share, 0.5f / share, 0.2f / share);
    }
    glDepthFunc(GL_EQUAL);
    glBlendFunc(GL_ONE, GL_ONE);
    const Picture picture = nthPicture(Picture::G1, s.popupIndex);
    bindPicture(picture);
    drawPictureContent(picture, black, s.popupX - h, s.popupY - h, s.popupX + h, s.popupY + h, 0.0f, 1.0f);
    glDisable(GL_TEXTURE_2D);
    glDepthFunc(GL_LESS);
  }
}

}  // namespace

// ---- Inits and reshape ----------------------------------------------------------

void pictureInit() {
  pictureScenes.spin = 0.0f;
  pictureScenes.fade = 0.0f;
}

void zoomInit() {
  pictureScenes.zoom = 0.0f;
  pictureScenes.fade = 0.0f;
}

void photoInit() {
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glBlendFunc(GL_SRC_ALPHA, GL_ZERO);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  pictureScenes.wordAngle = 0.0f;
  pictureScenes.photoFade = 0.0f;
}

void galleryInit() {
  PictureScenes& s = pictureScenes;
  s.popupIndex = 0;
  s.popupAge = 0.0f;
  s.gallerySpin = 0.0f;
  s.photoFade = 0.0f;
  s.popupX = 0.0f;
  s.popupY = 0.0f;
}

void textureInit() {
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  pictureScenes.spin = 0.0f;
  pictureScenes.zoom = 0.0f;
  pictureScenes.fade = 0.0f;
}

void errorInit() {
  pictureScenes.errorRise = 1.0f;
  pictureScenes.fade = 0.0f;
  pictureScenes.zoom = 0.0f;
}

void pictureReshape(int width, int height) {
  layoutViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(60.0, static_cast<double>(width) / static_cast<double>(height), 1.0, 30.0);
  glMatrixMode(GL_MODELVIEW);
}

// ---- Displays ----------------------------------------------------------------------

void partyIn() {
  drawParty();
  if (pictureScenes.fade <= 20.0f) fadeWithDecor(1.0f - 0.05f * pictureScenes.fade);
  drawSpectrum();
  swapBuffers();
}

void partyOut() {
  drawParty();
  pictureScenes.fade = std::min(pictureScenes.fade, 60.0f);
  fadeWithDecor(pictureScenes.fade / 60.0f);
  drawSpectrum();
  swapBuffers();
}

void greetingsSpin() {
  const TurningLayers greetings{Picture::Greetz, 7, 0.15, 46.0f, {0.2f, 0.1f, 0.0f}, 2.0f, 0.2f};
  const TurningLayers photograph{Picture::Zor7, 3, 0.5, 26.0f, {0.0f, 0.0f, 0.09f}, 1.0f, 0.29f};
  drawSpinningLayers(greetings, &photograph);
}

void textureSpin() {
  const TurningLayers texture{Picture::Tekstura, 7, 0.15, 46.0f, {0.02f, 0.01f, 0.1f}, 2.0f, 0.3f};
  drawSpinningLayers(texture, nullptr);
}

void zoomIn() {
  PictureScenes& s = pictureScenes;
  s.zoom = advancedByFrame(s.zoom, 0.02);
  drawZoom();
  if (s.zoom <= 1.0f) fadeScreen(1.0f - s.zoom);
  finishFrame();
}

void zoomOut() {
  PictureScenes& s = pictureScenes;
  if (s.fadeOut < 1.0f) s.fadeOut = advancedByFrame(s.fadeOut, 0.005);
  drawZoom();
  fadeScreen(s.fadeOut);
  finishFrame();
}

void errorAppears() {
  PictureScenes& s = pictureScenes;
  muteMusic();
  showCursor();
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_BLEND);
  s.errorRise = advancedByFrame(s.errorRise, 1.5);
  // The picture rises from the bottom edge at 0.15 pixel per ms until it is
  // centred, and stays there.
  setViewport(screenWidth / 2.0f - 256.0f, std::min(screenHeight / 2.0f - 256.0f, s.errorRise), 512.0f, 512.0f);
  loadUnitView();
  drawWholeView(Picture::Error);
  glDisable(GL_TEXTURE_2D);
  swapBuffers();
}

void errorZoom() {
  PictureScenes& s = pictureScenes;
  // The music comes back over 3.3 s.
  if (s.volume < 100.0f) {
    s.volume = advancedByFrame(s.volume, 0.3);
  } else {
    s.volume = 100.0f;
  }
  hideCursor();
  setMusicVolume(static_cast<int>(s.volume));

  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  setViewport(screenWidth / 2.0f - 256.0f, screenHeight / 2.0f - 256.0f, 512.0f, 512.0f);
  loadUnitView();
  glPushMatrix();
  glScalef(s.errorRise, s.errorRise, s.errorRise);
  glRotatef((1.0f - s.errorRise) * 10.0f, 0.0f, 0.0f, 1.0f);
  drawWholeView(Picture::Error);
  glDisable(GL_TEXTURE_2D);
  glPopMatrix();
  windowViewport();

  // The picture grows and turns while the screen goes black over 4 s.
  s.errorRise = advancedByFrame(s.errorRise, 0.01);
  if (s.fade <= 20.0f) s.fade = advancedByFrame(s.fade, 0.05);
  fadeWithDecor(0.05f * s.fade);
  drawSpectrum();
  swapBuffers();
}

void backdropA() {
  PictureScenes& s = pictureScenes;
  startBackdropFrame();
  s.spin = advancedByFrame(s.spin, 1.0);
  drawTurningBackdrop(s.spin, 10, 0.1f, 1.1f);
  fadeInOverOneSecond();
  finishFrame();
}

void backdropB() {
  PictureScenes& s = pictureScenes;
  startBackdropFrame();
  s.spin = advancedByFrame(s.spin, 1.0);
  drawTurningBackdrop(s.spin, 5, 0.2f, 1.1f);
  drawDriftingOverlay();
  fadeInOverOneSecond();
  finishFrame();
}

void gallery() {
  PictureScenes& s = pictureScenes;
  startBackdropFrame();
  s.gallerySpin = advancedByFrame(s.gallerySpin, 1.0);
  drawTurningBackdrop(s.gallerySpin, 5, 0.25f, 1.2f);
  glDisable(GL_BLEND);
  loadUnitView();

  glEnable(GL_TEXTURE_2D);
  nextGalleryPicture();
  drawMaskedPicture();

  blendOverScene();
  glPushMatrix();
  glColor4f(0.3f, 0.3f, 0.3f, 0.5f * (1.0f - s.popupAge));
  drawSquareFrame(s.popupX, s.popupY, 0.35f + 0.18f * s.popupAge);
  glPopMatrix();
  glDisable(GL_BLEND);

  s.photoFade = advancedByFrame(s.photoFade, 1.0);
  if (s.photoFade <= 20.0f) fadeWithDecor(1.0f - 0.05f * s.photoFade);
  finishFrame();
}

void dumpPictureScenes(const std::string& frameDirectory) {
  const PictureScenes& s = pictureScenes;
  JsonScalars json;
  json.add("spin", s.spin);
  json.add("zoom", s.zoom);
  json.add("fade", s.fade);
  json.add("fadeOut", s.fadeOut);
  json.add("errorRise", s.errorRise);
  json.add("volume", s.volume);
  json.add("photoClock", s.photoClock);
  const char* positions[7] = {"photoPosition1", "photoPosition2", "photoPosition3", "photoPosition4",
                              "photoPosition5", "photoPosition6", "photoPosition7"};
  for (int k = 0; k < 7; ++k) json.add(positions[k], s.photoPosition[k]);
  json.add("wordAngle", s.wordAngle);
  json.add("photoFade", s.photoFade);
  json.add("popupIndex", s.popupIndex);
  json.add("popupAge", s.popupAge);
  json.add("popupX", s.popupX);
  json.add("popupY", s.popupY);
  json.add("gallerySpin", s.gallerySpin);
  json.write(frameDirectory + "/pictureScenes.json");
}
