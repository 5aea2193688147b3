#include "scenes/spatial/bodyDrawing.h"

#include <GL/freeglut.h>

#include <cmath>

#include "runtime/screen.h"
#include "sim/spatial/world.h"

namespace {

bool isDrawn(const Particle& p) { return (p.flags & (ParticleCollides | ParticleHidden)) == ParticleCollides; }

void vertex(const Vector3& v) { glVertex3d(v.x, v.y, v.z); }

// The four corners of a wall in the order (lo, lo), (hi, lo), (hi, hi),
// (lo, hi) of its two free axes; place() puts a pair into 3D.
template <typename Place>
void wall(float r, float g, float b, float lo1, float hi1, float lo2, float hi2, Place place) {
  glColor3f(r, g, b);
  place(lo1, lo2);
  place(hi1, lo2);
  place(hi1, hi2);
  place(lo1, hi2);
}

}  // namespace

void drawArrow(double x0, double y0, double z0, double x1, double y1, double z1, double scale) {
  if (x0 == x1 && y0 == y1) return;
  const double dx = x1 - x0;
  const double dy = y1 - y0;
  const double dz = z1 - z0;
  const double length = std::sqrt(dx * dx + dy * dy + dz * dz);
  const double qx = x0 + dx * scale;
  const double qy = y0 + dy * scale;
  const double qz = z0 + dz * scale;
  const double head = length * scale * 0.25;
  glBegin(GL_LINE_STRIP);
  glVertex3d(x0, y0, z0);
  glVertex3d(qx, qy, qz);
  glEnd();
  // The way back along the shaft, as a unit vector of the full length: an
  // arrow that also points along z gets a shorter head.
  const double wx = -dx / length;
  const double wy = -dy / length;
  constexpr double spread = 0.6108652381980153;  // 35 degrees
  for (const double angle : {-spread, spread}) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    glBegin(GL_LINE_STRIP);
    glVertex3d(qx, qy, qz);
    glVertex3d(qx + head * (wx * c - wy * s), qy + head * (wx * s + wy * c), qz);
    glEnd();
  }
}

void drawBox() {
  const World& w = world;
  glDisable(GL_LIGHTING);
  glShadeModel(GL_SMOOTH);
  glBegin(GL_QUADS);
  const auto atY = [](float y) { return [y](float x, float z) { glVertex3f(x, y, z); }; };
  const auto atX = [](float x) { return [x](float y, float z) { glVertex3f(x, y, z); }; };
  wall(0.4f, 0.4f, 0.3f, w.boxMinX, w.boxMaxX, w.boxMinZ, w.boxMaxZ, atY(w.boxMaxY));   // ceiling
  wall(0.4f, 0.3f, 0.2f, w.boxMinX, w.boxMaxX, w.boxMinZ, w.boxMaxZ, atY(w.boxMinY));   // floor
  wall(0.4f, 0.4f, 0.45f, w.boxMinY, w.boxMaxY, w.boxMinZ, w.boxMaxZ, atX(w.boxMinX));  // left
  wall(0.4f, 0.3f, 0.2f, w.boxMinY, w.boxMaxY, w.boxMinZ, w.boxMaxZ, atX(w.boxMaxX));   // right
  glEnd();
}

void drawSprings() {
  glDisable(GL_LIGHTING);
  layoutLineWidth(1.0f);
  glColor3f(1.0f, 1.0f, 1.0f);
  // The head spring joins the head particle to itself and shows nothing.
  for (const Spring* s = world.springs; s != nullptr; s = s->next) {
    glBegin(GL_LINE_STRIP);
    vertex(s->a->position);
    vertex(s->b->position);
    glEnd();
  }
}

void drawVelocityArrows() {
  glDisable(GL_LIGHTING);
  layoutLineWidth(2.0f);
  const double timeScale = world.timeScale;
  for (const Particle* p = world.particles; p != nullptr; p = p->next) {
    if (!isDrawn(*p)) continue;
    glColor3f(1.0f, 0.6f, 0.5f);
    const Vector3 end = p->position + p->velocity * timeScale;
    drawArrow(p->position.x, p->position.y, p->position.z, end.x, end.y, end.z, 30.0);
  }
  glEnable(GL_LIGHTING);
}

void drawParticlePoints() {
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glColor3f(0.7f, 0.6f, 0.5f);
  layoutPointSize(2.0f);
  glBegin(GL_POINTS);
  for (const Particle* p = world.particles; p != nullptr; p = p->next) {
    if (isDrawn(*p)) vertex(p->position);
  }
  glEnd();
}

void drawSpheres() {
  // A dark material for both faces; opaque under the engine scenes' blending
  // by source alpha. Colour tracking stays off, so the current colour does
  // not show under the light.
  const GLfloat material[4] = {0.01745f, 0.01175f, 0.01175f, 1.0f};
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, material);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, material);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 76.8f);
  glEnable(GL_LIGHTING);
  glShadeModel(GL_SMOOTH);
  for (const Sphere* s = world.spheres; s != nullptr; s = s->next) {
    if ((s->flags & SphereActive) == 0) continue;
    const Vector3& c = s->position;
    glTranslated(c.x, c.y, c.z);
    drawSphereBody(*s);
    glTranslated(-c.x, -c.y, -c.z);
  }
}

void drawSphereBody(const Sphere& s) {
  const double radius = s.radius;
  if (s.carrier == nullptr) {
    glColor3fv(s.colour);
    glutWireSphere(radius, 16, 16);
  } else {
    glColor3f(1.0f, 0.5f, 0.3f);
    if ((s.flags & SphereWire) != 0) {
      glutWireSphere(radius, 10, 10);
    } else {
      glutSolidSphere(radius, 14, 14);
    }
  }
}

void drawWorldBodies() {
  drawBox();
  drawSprings();
  drawVelocityArrows();
  drawParticlePoints();
  drawSpheres();
}
