#include "scenes/surfaces/surfaceDrawing.h"

#include <GL/freeglut.h>

#include "runtime/screen.h"
#include "scenes/spatial/bodyDrawing.h"
#include "sim/surfaces/surface.h"

namespace {

// Ambient and specular of a material, and its shininess. The alpha of 1
// keeps the lit colour opaque under blending by source alpha.
void material(GLenum faces, float r, float g, float b, float shininess) {
  const GLfloat colour[4] = {r, g, b, 1.0f};
  glMaterialfv(faces, GL_AMBIENT, colour);
  glMaterialfv(faces, GL_SPECULAR, colour);
  glMaterialf(faces, GL_SHININESS, shininess);
}

void vertexOf(const Particle* p) {
  glVertex3f(static_cast<float>(p->position.x), static_cast<float>(p->position.y),
             static_cast<float>(p->position.z));
}

}  // namespace

void drawSurfaceMesh() {
  glEnable(GL_LIGHTING);
  // The mesh's shininess is the first value of its colour, as it was given
  // through the same four values.
  material(GL_FRONT, 0.0745f, 0.01175f, 0.10175f, 0.0745f);
  const SurfaceGrid grid = surfaceGrid();
  // Two triangles a cell: grid particle (c, r) is grid[c][r].
  glBegin(GL_TRIANGLES);
  for (int r = 1; r < surfaceSide; ++r) {
    for (int c = 0; c + 1 < surfaceSide; ++c) {
      vertexOf(grid[c][r - 1]);
      vertexOf(grid[c][r]);
      vertexOf(grid[c + 1][r - 1]);
      vertexOf(grid[c][r]);
      vertexOf(grid[c + 1][r]);
      vertexOf(grid[c + 1][r - 1]);
    }
  }
  glEnd();
  glEnable(GL_LIGHTING);
}

void drawSurfaceArrows() {
  glDisable(GL_LIGHTING);
  layoutLineWidth(2.0f);
  const double timeScale = world.timeScale;
  for (const Particle* p = world.particles; p != nullptr; p = p->next) {
    if ((p->flags & (ParticleFixed | ParticleHidden)) != 0) continue;
    glColor3f(1.0f, 0.3f, 0.2f);
    const Vector3 end = p->position + p->velocity * timeScale;
    drawArrow(p->position.x, p->position.y, p->position.z, end.x, end.y, end.z, 70.0);
  }
  glEnable(GL_LIGHTING);
}

void drawSurfaceLinks() {
  glDisable(GL_LIGHTING);
  layoutLineWidth(2.0f);
  glColor3f(1.0f, 1.0f, 1.0f);
  glBegin(GL_LINES);
  for (const Spring* s = world.springs; s != nullptr; s = s->next) {
    if ((s->tag & SpringHidden) != 0) continue;
    glVertex3d(s->a->position.x, s->a->position.y, s->a->position.z);
    glVertex3d(s->b->position.x, s->b->position.y, s->b->position.z);
  }
  glEnd();
}

void drawMarkedSpheres() {
  material(GL_FRONT_AND_BACK, 0.01745f, 0.01175f, 0.01175f, 76.8f);
  glEnable(GL_LIGHTING);
  glShadeModel(GL_SMOOTH);
  for (const Sphere* s = world.spheres; s != nullptr; s = s->next) {
    if ((s->flags & SphereMarked) == 0) continue;
    glPushMatrix();
    glTranslated(s->position.x, s->position.y, s->position.z);
    drawSphereBody(*s);
    glPopMatrix();
  }
}

void drawRollingBalls(BallLook look) {
  glEnable(GL_LIGHTING);
  glShadeModel(GL_FLAT);
  material(GL_FRONT_AND_BACK, 0.0245f, 0.00075f, 0.00175f, 115.2f);
  for (const Sphere* s = world.spheres; s != nullptr; s = s->next) {
    if ((s->flags & (SphereActive | SphereMarked)) != SphereActive) continue;
    const Particle* carrier = s->carrier;
    // The grid's own spheres are shown by the mesh and the links.
    if (carrier != nullptr && (s->flags & SphereWire) == 0) continue;
    glPushMatrix();
    glTranslated(s->position.x, s->position.y, s->position.z);
    const double radius = s->radius;
    if (carrier == nullptr) {
      glutSolidSphere(radius - 0.02, 24, 24);
    } else {
      // The axis follows the ball, so the ball turns as it moves.
      glColor3f(0.0f, 0.0f, 0.0f);
      const Vector3& c = carrier->position;
      glRotated(190.0, 1.0 - c.x, 1.0 - c.y, 1.0 - c.z);
      if (look == BallLook::Solid) {
        glutSolidSphere(radius - 0.01, 24, 24);
      } else {
        glutWireSphere(radius - 0.01, 24, 24);
      }
    }
    glPopMatrix();
  }
  material(GL_FRONT_AND_BACK, 0.1745f, 0.01175f, 0.01175f, 76.8f);
}
