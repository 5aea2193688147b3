// The drifting photographs of entries 14, 17 and 18: seven photographs fade
// in as each travels a unit diagonal, vanish and start again; under turning
// words, as trembling tiles, and with effect pictures popping up over them.
#include <GL/glu.h>

#include <cmath>

#include "platform/glutSeam.h"
#include "platform/random.h"
#include "runtime/flatDrawing.h"
#include "runtime/frameFinish.h"
#include "runtime/screen.h"
#include "runtime/text.h"
#include "scenes/pictures/pictureDrawing.h"
#include "scenes/pictures/pictureScenes.h"

namespace {

constexpr float tileHalfSize = 0.35f;

enum class TileStyle { Plain, Trembling };

// ---- Tiles --------------------------------------------------------------

// The picture tile: a square of half-size 0.35 around the centre, scaled
// about the origin, blended over what is there by its alpha.
void beginTile(float alpha, Picture picture, float scale) {
  glPushMatrix();
  glScalef(scale, scale, scale);
  bindPicture(picture);
  blendOverScene();
  glColor4f(1.0f, 1.0f, 1.0f, alpha);
}

void endTile() {
  glDisable(GL_BLEND);
  glDepthFunc(GL_LESS);
  glDisable(GL_TEXTURE_2D);
  glPopMatrix();
}

void drawPictureTile(float alpha, Picture picture, float x, float y, float scale) {
  beginTile(alpha, picture, scale);
  drawPictureSquare(x, y, tileHalfSize);
  endTile();
}

// How far a corner of a trembling tile is pushed outward: up to 0.05.
float tilePush() { return static_cast<float>(demoRand()) / 32767.0f / 20.0f; }

// One corner of a trembling tile at (x, y), pushed outward by (xOut, yOut)
// times a draw each: dark and half as opaque on the left, bright with a
// random touch of blue on the right. A right corner draws its blue first,
// then every corner its push in y, then in x.
void trembleCorner(float s, float t, float x, float y, float xOut, float yOut, float alpha) {
  if (s == 0.0f) {
    glColor4f(0.2f, 0.2f, 0.2f, alpha / 2.0f);
  } else {
    const auto blue = static_cast<float>(demoRand() * 0.06 / randMax);
    glColor4f(0.6f, 0.6f, blue, alpha);
  }
  const float py = yOut * tilePush();
  const float px = xOut * tilePush();
  glTexCoord2f(s, t);
  glVertex2f(x + px, y + py);
}

// Five copies of the tile whose corners tremble outward.
void drawTremblingTile(float alpha, Picture picture, float x, float y, float scale) {
  beginTile(alpha, picture, scale);
  const float left = x - tileHalfSize;
  const float right = x + tileHalfSize;
  const float bottom = y - tileHalfSize;
  const float top = y + tileHalfSize;
  for (float pass = 0.0f; pass <= 1.0f; pass += 0.25f) {
    glBegin(GL_QUADS);
    trembleCorner(0.0f, 0.0f, left, bottom, -1.0f, -1.0f, alpha);
    trembleCorner(0.0f, 1.0f, left, top, -1.0f, 1.0f, alpha);
    trembleCorner(1.0f, 1.0f, right, top, 1.0f, 1.0f, alpha);
    trembleCorner(1.0f, 0.0f, right, bottom, 1.0f, -1.0f, alpha);
    glEnd();
  }
  endTile();
}

// ---- The photographs ------------------------------------------------------

struct PhotoPath {
  float threshold;  // the clock value after which the photograph takes part
  double swing;     // the scale is 1 + swing * sin T (or cos T)
  bool cosine;
  // The centre is (a.x + b.x p, a.y + b.y p) for position p.
  float ax, bx, ay, by;
};

constexpr PhotoPath photoPaths[7] = {
    {0.0f, 0.4, false, 0.0f, 1.0f, 0.0f, 1.0f},     // (p, p)
    {1.0f, 0.3, false, 1.0f, -1.0f, 1.0f, -1.0f},   // (1 - p, 1 - p)
    {2.0f, 0.3, true, -1.0f, 1.0f, -1.0f, 1.0f},    // (p - 1, p - 1)
    {3.0f, 0.2, false, 1.0f, -1.0f, 0.0f, 1.0f},    // (1 - p, p)
    {4.0f, 0.3, false, -1.0f, 1.0f, 1.0f, -1.0f},   // (p - 1, 1 - p)
    {5.0f, 0.4, true, 1.0f, 1.0f, -1.0f, 1.0f},     // (p + 1, p - 1)
    {6.2f, 0.2, false, -1.0f, 1.0f, 0.0f, 1.0f},    // (p - 1, p)
};
// The sixth photograph moves after it is drawn, the others before.
constexpr int lateMover = 5;

// Clears, sets the blending and smoothing the words want, and leaves the
// words and tiles the unit view.
void beginPhotoFrame() {
  windowViewport();
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_BLEND);
  glEnable(GL_POINT_SMOOTH);
  glEnable(GL_LINE_SMOOTH);
  layoutLineWidth(1.0f);
}

// One turning word under its own projection (0, L) x (0, L).
void drawTurningWord(const char* word, double viewSize, float degrees, float x, float y) {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluOrtho2D(0.0, viewSize, 0.0, viewSize);
  glRotatef(degrees, 0.0f, 0.0f, 1.0f);
  glMatrixMode(GL_MODELVIEW);
  strokeText(x, y, word);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
}

void drawTurningWords() {
  PictureScenes& s = pictureScenes;
  glColor3f(0.35f, 0.35f, 0.35f);
  drawTurningWord("since", 1200.0, 0.2f * s.wordAngle, 400.0f, 500.0f);
  drawTurningWord("ninety five", 1200.0, -0.2f * s.wordAngle, 100.0f, 200.0f);
  glColor3f(0.75f, 0.75f, 0.75f);
  const float third = 0.3f * s.wordAngle;
  s.wordAngle = advancedByFrame(s.wordAngle, 0.03);
  drawTurningWord("since", 2000.0, third, 1200.0f, 1200.0f);
  drawTurningWord("ninety five", 2300.0, -0.3f * s.wordAngle, 1300.0f, 1300.0f);
  glDisable(GL_BLEND);
}

// Steps 3 to 5 of every photograph frame: each active photograph moves down
// its diagonal by `speed` per 10 ms and is drawn with alpha 1 - position; a
// position that went below 0 last frame starts again at 1.
void drawPhotographs(double speed, TileStyle style) {
  PictureScenes& s = pictureScenes;
  loadUnitView();
  glDisable(GL_BLEND);
  for (float& p : s.photoPosition) {
    if (p < 0.0f) p = 1.0f;
  }
  s.photoClock = static_cast<float>(s.photoClock + 0.01);

  const double t = s.photoClock;
  for (int k = 0; k < 7; ++k) {
    const PhotoPath& path = photoPaths[k];
    if (!(s.photoClock > path.threshold)) continue;
    float& p = s.photoPosition[k];
    if (k != lateMover) p = advancedByFrame(p, -speed);
    const auto scale = static_cast<float>(1.0 + path.swing * (path.cosine ? std::cos(t) : std::sin(t)));
    const float x = path.ax + path.bx * p;
    const float y = path.ay + path.by * p;
    const Picture photo = nthPicture(Picture::Zor1, k);
    if (style == TileStyle::Plain) {
      drawPictureTile(1.0f - p, photo, x, y, scale);
    } else {
      drawTremblingTile(1.0f - p, photo, x, y, scale);
    }
    if (k == lateMover) p = advancedByFrame(p, -speed);
  }
}

// Fades the photographs in from black while Q is at most 20.
void fadeInPhotos(double rate) {
  PictureScenes& s = pictureScenes;
  s.photoFade = advancedByFrame(s.photoFade, rate);
  if (s.photoFade <= 20.0f) fadeWithDecor(1.0f - 0.05f * s.photoFade);
}

void finishPhotoFrame() {
  drawSpectrum();
  glFlush();
  swapBuffers();
}

// ---- The effect pop-ups -----------------------------------------------------

// fx9 first, at the centre; when a pop-up has run its 435 ms the next lower
// number follows at a random place within 0.75 of the centre, 1 wrapping to 9.
void drawEffectPopup() {
  PictureScenes& s = pictureScenes;
  glEnable(GL_TEXTURE_2D);
  if (s.popupAge >= 1.0f) {
    s.popupAge = 0.0f;
    s.popupIndex -= 1;
    if (s.popupIndex == -1) s.popupIndex = 8;
    s.popupX = randomCentre(1.5);
    s.popupY = randomCentre(1.5);
  }
  s.popupAge = advancedByFrame(s.popupAge, 0.023);
  bindPicture(nthPicture(Picture::Fx1, s.popupIndex));

  // The picture shrinks as it fades ...
  blendOverScene();
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f - s.popupAge);
  for (float c = 0.0f; c <= 1.0f; c += 0.25f) {
    drawPictureSquare(s.popupX, s.popupY, 0.5f - 0.18f * s.popupAge - 0.02f * c);
  }
  // ... inside a frame that grows.
  glDepthFunc(GL_LESS);
  glDisable(GL_TEXTURE_2D);
  glPushMatrix();
  glColor4f(0.4f, 0.4f, 0.4f, 1.0f - s.popupAge);
  drawSquareFrame(s.popupX, s.popupY, 0.35f + 0.18f * s.popupAge);
  glPopMatrix();
  glDisable(GL_BLEND);
}

}  // namespace

void photoWords() {
  beginPhotoFrame();
  drawTurningWords();
  drawPhotographs(0.002, TileStyle::Plain);
  fadeInPhotos(0.052);
  finishPhotoFrame();
}

void photoTremble() {
  beginPhotoFrame();
  drawPhotographs(0.002, TileStyle::Trembling);
  fadeInPhotos(0.06);
  finishPhotoFrame();
}

void effectTremble() {
  beginPhotoFrame();
  drawPhotographs(0.0018, TileStyle::Trembling);
  drawEffectPopup();
  finishPhotoFrame();
}
