#include "scenes/spatial/engineLight.h"

#include <GL/gl.h>

void engineLightAndFog(const EngineLight& light) {
  glEnable(GL_LIGHTING);
  glShadeModel(GL_SMOOTH);
  const GLfloat diffuse[4] = {1.8f, 1.8f, 1.8f, 1.8f};
  glLightfv(GL_LIGHT0, GL_POSITION, light.position);
  glLightfv(GL_LIGHT0, GL_AMBIENT, light.ambient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
  glEnable(GL_LIGHT0);
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_FALSE);
  glFrontFace(GL_CW);
  glEnable(GL_AUTO_NORMAL);
  glEnable(GL_NORMALIZE);
  glEnable(GL_FOG);
  glFogi(GL_FOG_MODE, GL_EXP);
  glFogf(GL_FOG_DENSITY, light.fogDensity);
  const GLfloat fogColour[4] = {0.6f, 0.6f, 0.6f, 1.0f};
  glFogfv(GL_FOG_COLOR, fogColour);
  glHint(GL_FOG_HINT, GL_DONT_CARE);
}
