#include "runtime/flatDrawing.h"

#include <GL/gl.h>

void loadUnitView() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-1.0, 1.0, -1.0, 1.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
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
