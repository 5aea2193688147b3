#include "runtime/flatDrawing.h"

#include <GL/gl.h>

#include "runtime/screen.h"

void windowViewport() {
  layoutViewport(0, 0, static_cast<int>(screenWidth), static_cast<int>(screenHeight));
}

void setViewport(float left, float bottom, float width, float height) {
  layoutViewport(static_cast<int>(left), static_cast<int>(bottom), static_cast<int>(width), static_cast<int>(height));
}

void blendOverScene() {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_CULL_FACE);
}

void loadUnitView() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-1.0, 1.0, -1.0, 1.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void leave3DView() {
  glDisable(GL_LIGHTING);
  glDisable(GL_FOG);
  glDisable(GL_BLEND);
  loadUnitView();
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void drawRectangle(float left, float bottom, float right, float top) {
  glBegin(GL_QUADS);
  glVertex2f(left, bottom);
  glVertex2f(left, top);
  glVertex2f(right, top);
  glVertex2f(right, bottom);
  glEnd();
}

void drawTexturedQuad(const TexturedCorner (&quad)[4]) {
  glBegin(GL_QUADS);
  for (const TexturedCorner& q : quad) {
    glTexCoord2f(q.s, q.t);
    glVertex2f(q.x, q.y);
  }
  glEnd();
}

void drawTexturedRectangle(float left, float bottom, float right, float top, float low, float high) {
  drawTexturedQuad({{low, low, left, bottom}, {low, high, left, top}, {high, high, right, top}, {high, low, right, bottom}});
}

void drawOutline(float left, float bottom, float right, float top) {
  glBegin(GL_LINE_STRIP);
  glVertex2f(left, bottom);
  glVertex2f(left, top);
  glVertex2f(right, top);
  glVertex2f(right, bottom);
  glVertex2f(left, bottom);
  glEnd();
}
