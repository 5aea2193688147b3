#include "scenes/human/humanDrawing.h"

#include <GL/freeglut.h>

#include "runtime/screen.h"
#include "scenes/spatial/bodyDrawing.h"
#include "sim/human/humanBody.h"
#include "sim/spatial/world.h"

namespace {

// Red, green, blue; the alpha is not shown since the lit alpha comes from
// the diffuse material.
constexpr GLfloat darkMaterial[4] = {0.01745f, 0.01175f, 0.01175f, 1.0f};
constexpr GLfloat lightMaterial[4] = {0.1745f, 0.01175f, 0.01175f, 1.0f};
constexpr float metalShininess = 76.8f;
constexpr float headShininess = 25.6f;

void material(const GLfloat* colour, float shininess) {
  glMaterialfv(GL_FRONT, GL_AMBIENT, colour);
  glMaterialfv(GL_FRONT, GL_SPECULAR, colour);
  glMaterialf(GL_FRONT, GL_SHININESS, shininess);
}

bool isVisible(const Particle& p) { return (p.flags & ParticleHidden) == 0; }

}  // namespace

void drawLimbCubes() {
  glShadeModel(GL_SMOOTH);
  material(darkMaterial, metalShininess);
  glEnable(GL_LIGHTING);
  layoutLineWidth(1.0f);
  for (const Spring* s = world.springs; s != nullptr; s = s->next) {
    if ((s->tag & (SpringShown | SpringHidden)) != SpringShown) continue;
    const Vector3& a = s->a->position;
    const Vector3& b = s->b->position;
    // Six steps of 0.18 from b; the seventh, at 1.08, would pass a.
    for (float along = 0.0f; along <= 1.0f; along += 0.18f) {
      const double rest = 1.0f - along;
      glPushMatrix();
      glTranslatef(static_cast<float>(b.x * rest + a.x * along), static_cast<float>(b.y * rest + a.y * along),
                   static_cast<float>(b.z * rest + a.z * along));
      glutSolidCube(0.05);
      glPopMatrix();
    }
  }
}

void drawJointArrows() {
  glDisable(GL_LIGHTING);
  layoutLineWidth(2.0f);
  const double timeScale = world.timeScale;
  for (const Particle* p = world.particles; p != nullptr; p = p->next) {
    if ((p->flags & ParticleShowVelocity) == 0 || !isVisible(*p)) continue;
    glColor3f(1.0f, 1.0f, 1.0f);
    const Vector3 end = p->position + p->velocity * timeScale;
    drawArrow(p->position.x, p->position.y, p->position.z, end.x, end.y, end.z, 80.0);
  }
  glEnable(GL_LIGHTING);
}

void drawJointPoints() {
  material(lightMaterial, metalShininess);
  glEnable(GL_LIGHTING);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glColor3f(4.0f, 7.0f, 9.0f);
  layoutPointSize(2.0f);
  for (const Particle* p = world.particles; p != nullptr; p = p->next) {
    if ((p->flags & ParticleCollides) == 0 || !isVisible(*p)) continue;
    glBegin(GL_POINTS);
    glVertex3d(p->position.x, p->position.y, p->position.z);
    glEnd();
  }
  glEnable(GL_LIGHTING);
}

void drawBodySpheres() {
  glShadeModel(GL_SMOOTH);
  material(darkMaterial, metalShininess);
  for (const Sphere* s = world.spheres; s != nullptr; s = s->next) {
    if ((s->flags & SphereActive) == 0) continue;
    material(darkMaterial, headShininess);
    glPushMatrix();
    glTranslated(s->position.x, s->position.y, s->position.z);
    if (s->carrier == nullptr) {
      glColor3fv(s->colour);
      glutSolidSphere(s->radius, 24, 24);
    } else if ((s->flags & SphereWire) != 0) {
      // The head: a riding "wire" sphere is drawn solid here.
      glColor3f(0.0f, 0.0f, 0.0f);
      glutSolidSphere(s->radius, 16, 16);
    }
    glPopMatrix();
  }
  material(lightMaterial, metalShininess);
}

void drawHumanBodyParts() {
  drawBox();
  drawLimbCubes();
  drawJointArrows();
  drawJointPoints();
  drawBodySpheres();
}
