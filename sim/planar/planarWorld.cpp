#include "sim/planar/planarWorld.h"

#include "sim/engine/frameBound.h"
#include "sim/engine/midpoint.h"
#include "sim/engine/spherePair.h"

PlanarWorld planarWorld;

namespace {

// The four walls in the order +x, +y, -x, -y, each drawn in by inset. Only a
// coordinate strictly beyond a wall is put back on it, its velocity component
// reversed and scaled by the wall bounce.
void keepInsideSquare(PlanarParticle& p, float inset) {
  const PlanarWorld& w = planarWorld;
  const double bounce = -w.wallBounce;
  const float maxX = w.maxX - inset;
  const float maxY = w.maxY - inset;
  const float minX = w.minX + inset;
  const float minY = w.minY + inset;
  if (p.position.x > maxX) {
    p.position.x = maxX;
    p.velocity.x = bounce * p.velocity.x;
  }
  if (p.position.y > maxY) {
    p.position.y = maxY;
    p.velocity.y = bounce * p.velocity.y;
  }
  if (p.position.x < minX) {
    p.position.x = minX;
    p.velocity.x = bounce * p.velocity.x;
  }
  if (p.position.y < minY) {
    p.position.y = minY;
    p.velocity.y = bounce * p.velocity.y;
  }
}

// A particle inside a fixed circle is put out onto its edge along the line of
// centres, its velocity mirrored and scaled by the circle's bounce.
void keepOutsideFixedCircles(PlanarParticle& p, PlanarCircle* circles) {
  for (PlanarCircle* c = circles; c != nullptr; c = c->next) {
    if (c->carrier != nullptr || (c->flags & PlanarCircleIgnored) != 0) continue;
    Vector3 n = c->position - p.position;
    const double d = n.length();
    if (!(d - c->radius < 0.0)) continue;
    n.normalize();
    p.position += n * (d - c->radius);
    p.velocity = p.velocity - n * (2.0 * dot(n, p.velocity));
    p.velocity = p.velocity * c->bounce;
  }
}

}  // namespace

void releasePlanarLists() {
  PlanarWorld& w = planarWorld;
  w.particles = nullptr;
  w.springs = nullptr;
  w.circles = nullptr;
  w.particleRecords.release();
  w.springRecords.release();
  w.circleRecords.release();
}

PlanarParticle* newPlanarParticle(float mass, uint32_t flags, Vector3 position, Vector3 velocity) {
  PlanarParticle* p = planarWorld.particleRecords.make();
  p->mass = mass;
  p->flags = flags;
  p->position = position;
  p->velocity = velocity;
  return p;
}

PlanarSpring* newPlanarSpring(PlanarParticle* a, PlanarParticle* b, SpringLaw law, uint32_t kind) {
  PlanarSpring* s = planarWorld.springRecords.make();
  s->kind = kind;
  s->a = a;
  s->b = b;
  s->stiffness = law.stiffness;
  s->damping = law.damping;
  s->restLength = law.restLength;
  return s;
}

PlanarCircle* newPlanarCircle(uint32_t flags, PlanarParticle* carrier, Vector3 position, float radius,
                              float bounce) {
  PlanarCircle* c = planarWorld.circleRecords.make();
  c->flags = flags;
  c->carrier = carrier;
  c->position = position;
  c->radius = radius;
  c->bounce = bounce;
  return c;
}

PlanarParticle* appendPlanarParticle(PlanarParticle* head, float mass, uint32_t flags, Vector3 position,
                                     Vector3 velocity) {
  return linkBehind(head, newPlanarParticle(mass, flags, position, velocity));
}

PlanarSpring* appendPlanarSpring(PlanarSpring* head, PlanarParticle* a, PlanarParticle* b, SpringLaw law,
                                 uint32_t kind) {
  return linkBehind(head, newPlanarSpring(a, b, law, kind));
}

PlanarCircle* appendPlanarCircle(PlanarCircle* head, uint32_t flags, PlanarParticle* carrier, Vector3 position,
                                 float radius, float bounce) {
  PlanarCircle* c = linkBehind(head, newPlanarCircle(flags, carrier, position, radius, bounce));
  if (carrier != nullptr) carrier->flags |= PlanarParticleCarrier;
  return c;
}

void planarStep(int32_t frameMs) {
  PlanarWorld& w = planarWorld;
  // A 20 ms frame is 0.013 units of simulated time: substeps of 0.006, 0.006
  // and 0.001, each followed by a collision pass.
  float remaining = static_cast<float>(static_cast<double>(simulatedFrameMs(frameMs)) * 0.05 *
                                       static_cast<double>(w.timeFactor));
  do {
    const float h = remaining < w.substep ? remaining : w.substep;
    planarForces(w.particles, w.springs);
    planarHalf(w.particles, h);
    planarForces(w.particles, w.springs);
    planarFull(w.particles, h);
    remaining = remaining - w.substep;
    ++engineWork.substeps;
    planarUpdateCircles(w.circles);
    planarCollide(w.particles, w.circles);
    planarUpdateCircles(w.circles);
  } while (remaining > 0.0f && w.substep > 0.0f);
}

void planarForces(PlanarParticle* particles, PlanarSpring* springs) {
  const Vector3 gravity = planarWorld.gravity;
  for (PlanarParticle* p = particles; p != nullptr; p = p->next) {
    if ((p->flags & PlanarParticleFixed) == 0) p->force = gravity * p->mass;
  }
  // f = k (L - L0) + c (va - vb).d / L, all in double precision.
  for (PlanarSpring* s = springs; s != nullptr; s = s->next) {
    PlanarParticle& a = *s->a;
    PlanarParticle& b = *s->b;
    const Vector3 d = a.position - b.position;
    const double length = d.length();
    if (length == 0.0) continue;
    const double f = static_cast<double>(s->stiffness) * (length - static_cast<double>(s->restLength)) +
                     static_cast<double>(s->damping) * dot(a.velocity - b.velocity, d) / length;
    const Vector3 pull = d / length * f;
    a.force -= pull;
    b.force += pull;
  }
}

void planarHalf(PlanarParticle* particles, float h) {
  for (PlanarParticle* p = particles; p != nullptr; p = p->next) {
    if ((p->flags & PlanarParticleFixed) == 0) midpointHalf(*p, h);
  }
}

void planarFull(PlanarParticle* particles, float h) {
  for (PlanarParticle* p = particles; p != nullptr; p = p->next) {
    if ((p->flags & PlanarParticleFixed) == 0) midpointFull(*p, h);
  }
}

void planarUpdateCircles(PlanarCircle* circles) {
  for (PlanarCircle* c = circles; c != nullptr; c = c->next) {
    if ((c->flags & PlanarCircleIgnored) == 0 && c->carrier != nullptr) c->position = c->carrier->position;
  }
}

void planarCollide(PlanarParticle* particles, PlanarCircle* circles) {
  for (PlanarCircle* c = circles; c != nullptr; c = c->next) {
    if ((c->flags & PlanarCircleIgnored) != 0 || c->carrier == nullptr) continue;
    keepInsideSquare(*c->carrier, c->radius);
    c->position = c->carrier->position;
  }
  for (PlanarParticle* p = particles; p != nullptr; p = p->next) {
    if ((p->flags & PlanarParticleCollides) == 0) continue;
    keepInsideSquare(*p, 0.0f);
    if ((p->flags & PlanarParticleCarrier) == 0) keepOutsideFixedCircles(*p, circles);
  }
  // Every ordered pair of circles without flags, as in the spatial engine;
  // the substep stands in for its time scale.
  const float step = planarWorld.substep;
  for (PlanarCircle* a = circles; a != nullptr; a = a->next) {
    if (a->flags != 0 || a->carrier == nullptr) continue;
    for (PlanarCircle* b = circles; b != nullptr; b = b->next) {
      if (b->flags == 0) collideSpherePair(*a, *b, step, 1.0);
    }
  }
}
