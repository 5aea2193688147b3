#include "runtime/text.h"

#include <GL/freeglut.h>

#include <cmath>

#include "platform/random.h"

TextState textState;

namespace {

// Each copy of jittered text moves by at most 0.008 of the half-screen.
constexpr float jitterScale = 2.4414808e-07f;

float leftEnd(const TextLayout& layout) {
  return static_cast<float>(static_cast<double>(layout.x) + static_cast<double>(layout.dx));
}

void loadProjection(const OrthoView& view) {
  gluOrtho2D(view.left, view.right, view.bottom, view.top);
}

void beginTextPass() {
  glEnable(GL_BLEND);
  glDisable(GL_LINE_SMOOTH);
}

}  // namespace

int strokeTextWidth(const char* text) {
  int width = 0;
  for (const char* c = text; *c != '\0'; ++c) {
    width += glutStrokeWidth(GLUT_STROKE_ROMAN, static_cast<signed char>(*c));
  }
  return width;
}

void strokeText(float x, float y, const char* text) {
  glPushMatrix();
  glTranslatef(x, y, 0.0f);
  for (const char* c = text; *c != '\0'; ++c) {
    glutStrokeCharacter(GLUT_STROKE_ROMAN, static_cast<signed char>(*c));
  }
  glPopMatrix();
}

namespace {

// One coloured pass under its own projection, turned by the sway angle when
// asked to.
void drawTextPass(const TextLayout& layout, const char* text, bool sway) {
  beginTextPass();
  glColor4f(layout.colour.red, layout.colour.green, layout.colour.blue, 1.0f);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  if (sway) {
    glRotatef(static_cast<float>(20.0 * std::sin(static_cast<double>(textState.swayPhase))), 0.0f,
              0.0f, 1.0f);
  }
  loadProjection(layout.view);
  strokeText(leftEnd(layout), layout.y, text);
  glPopMatrix();
}

}  // namespace

void drawPlainText(const TextLayout& layout, const char* text) { drawTextPass(layout, text, false); }

void drawSwayingText(const TextLayout& layout, const char* text) { drawTextPass(layout, text, true); }

void drawJitterText(const TextLayout& layout, const char* text) { drawShakenCopies(layout, text, jitterScale); }

void drawShakenCopies(const TextLayout& layout, const char* text, float offsetScale) {
  beginTextPass();
  for (int pass = 0; pass < 5; ++pass) {
    glColor4f(layout.colour.red, layout.colour.green, layout.colour.blue, 0.1f * static_cast<float>(pass));
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    // The vertical offset is drawn first.
    const float vertical = static_cast<float>(demoRand()) * offsetScale;
    const float horizontal = static_cast<float>(demoRand()) * offsetScale;
    glTranslatef(horizontal, vertical, 0.0f);
    loadProjection(layout.view);
    strokeText(leftEnd(layout), layout.y, text);
    glPopMatrix();
  }
}

void bitmapText(float x, float y, const char* text) {
  glRasterPos2f(x, y);
  for (const char* c = text; *c != '\0'; ++c) {
    glutBitmapCharacter(GLUT_BITMAP_TIMES_ROMAN_24, static_cast<signed char>(*c));
  }
}
