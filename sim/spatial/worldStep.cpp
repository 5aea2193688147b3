#include "sim/spatial/worldStep.h"

#include "sim/engine/frameBound.h"
#include "sim/engine/midpoint.h"
#include "sim/engine/spherePair.h"

namespace {

// The six walls in the order +x, +y, +z, -x, -y, -z, each drawn in by inset.
// A coordinate strictly beyond a wall is put on it and that velocity
// component reversed and scaled by the wall bounce.
void keepInsideBox(Particle& p, float inset) {
  const World& w = world;
  const double bounce = -static_cast<double>(w.wallBounce);
  double* position[3] = {&p.position.x, &p.position.y, &p.position.z};
  double* velocity[3] = {&p.velocity.x, &p.velocity.y, &p.velocity.z};
  const float high[3] = {w.boxMaxX - inset, w.boxMaxY - inset, w.boxMaxZ - inset};
  const float low[3] = {w.boxMinX + inset, w.boxMinY + inset, w.boxMinZ + inset};
  for (int axis = 0; axis < 3; ++axis) {
    if (*position[axis] > high[axis]) {
      *position[axis] = high[axis];
      *velocity[axis] = bounce * *velocity[axis];
    }
  }
  for (int axis = 0; axis < 3; ++axis) {
    if (*position[axis] < low[axis]) {
      *position[axis] = low[axis];
      *velocity[axis] = bounce * *velocity[axis];
    }
  }
}

bool isObstacle(const Sphere& s) { return (s.flags & SphereIgnored) == 0 && s.carrier == nullptr; }
bool isFreeCollider(const Particle& p) { return (p.flags & (ParticleCollides | ParticleCarried)) == ParticleCollides; }

// A particle that has come closer to a fixed sphere's centre than the two
// radii is put back onto the surface along the line of centres; if it is
// still moving inwards its velocity is mirrored in the tangent plane and
// scaled by the sphere's bounce.
void keepOutsideObstacles(Particle& p, Sphere* spheres) {
  for (Sphere* s = spheres; s != nullptr; s = s->next) {
    if (!isObstacle(*s)) continue;
    Vector3 n = s->position - p.position;
    const double gap = n.length() - s->radius - p.radius;
    if (!(gap < 0.0)) continue;
    n.normalize();
    p.position += n * gap;
    const double inwards = dot(n, p.velocity);
    if (inwards > 0.0) p.velocity = (p.velocity - n * (2.0 * inwards)) * s->bounce;
  }
}

// Every ordered pair of active spheres, so each unordered pair is visited
// twice; the second visit normally finds the two separating. Pairs far
// apart are passed over without the full test, which would pass them over
// as well.
void collideSpheres(Sphere* spheres, double carriedFactor) {
  const float timeScale = world.timeScale;
  for (Sphere* a = spheres; a != nullptr; a = a->next) {
    if ((a->flags & SphereActive) == 0 || a->carrier == nullptr) continue;
    for (Sphere* b = spheres; b != nullptr; b = b->next) {
      if ((b->flags & SphereActive) == 0) continue;
      if (sphereGapStaysOpen(*a, *b, timeScale, carriedFactor)) continue;
      collideSpherePair(*a, *b, timeScale, carriedFactor);
    }
  }
}

template <bool open>
void stepWorld(int32_t frameMs) {
  World& w = world;
  // A 20 ms frame at timeScale 0.005 is 0.005 units of simulated time.
  float remaining = static_cast<float>(static_cast<double>(simulatedFrameMs(frameMs)) * 0.05 *
                                       static_cast<double>(w.timeScale));
  // The first substep always runs, even for a frame of 0 ms.
  do {
    const float h = remaining < w.stepSize ? remaining : w.stepSize;
    computeForces(w.particles, w.springs);
    integrateHalf(w.particles, h);
    computeForces(w.particles, w.springs);
    integrateFull(w.particles, h);
    if (open) {
      updateSpheres(w.spheres);
      collideOpen(w.particles, w.spheres);
      updateSpheres(w.spheres);
    }
    remaining = remaining - w.stepSize;
    ++engineWork.substeps;
  } while (remaining > 0.0f && w.stepSize > 0.0f);
  if (!open) {
    updateSpheres(w.spheres);
    collideBoxed(w.particles, w.spheres);
    updateSpheres(w.spheres);
  }
}

}  // namespace

void stepBoxedWorld(int32_t frameMs) { stepWorld<false>(frameMs); }
void stepOpenWorld(int32_t frameMs) { stepWorld<true>(frameMs); }

void computeForces(Particle* particles, Spring* springs) {
  const Vector3 gravity = world.gravity;
  for (Particle* p = particles; p != nullptr; p = p->next) {
    if ((p->flags & ParticleFixed) == 0) p->force = gravity * p->mass;
  }
  for (Spring* s = springs; s != nullptr; s = s->next) {
    Particle& a = *s->a;
    Particle& b = *s->b;
    // f = k (L - L0) + c (va - vb).d / L, pulling the ends together when
    // positive; L and f are held in single precision.
    const Vector3 d = a.position - b.position;
    const float length = static_cast<float>(d.length());
    if (length == 0.0f) continue;
    const float f = static_cast<float>(s->damping * dot(a.velocity - b.velocity, d) / length +
                                       s->stiffness * (length - s->restLength));
    const Vector3 pull = d * (1.0f / length) * f;
    b.force += pull;
    a.force -= pull;
  }
}

void integrateHalf(Particle* particles, float h) {
  for (Particle* p = particles; p != nullptr; p = p->next) {
    if ((p->flags & ParticleFixed) == 0) midpointHalf(*p, h);
  }
}

void integrateFull(Particle* particles, float h) {
  for (Particle* p = particles; p != nullptr; p = p->next) {
    if ((p->flags & ParticleFixed) == 0) midpointFull(*p, h);
  }
}

void updateSpheres(Sphere* spheres) {
  for (Sphere* s = spheres; s != nullptr; s = s->next) {
    if ((s->flags & SphereActive) != 0 && s->carrier != nullptr) s->position = s->carrier->position;
  }
}

void collideBoxed(Particle* particles, Sphere* spheres) {
  for (Sphere* s = spheres; s != nullptr; s = s->next) {
    if ((s->flags & SphereActive) == 0 || s->carrier == nullptr) continue;
    keepInsideBox(*s->carrier, s->radius);
    s->position = s->carrier->position;
  }
  for (Particle* p = particles; p != nullptr; p = p->next) {
    if ((p->flags & ParticleCollides) == 0) continue;
    keepInsideBox(*p, 0.0f);
    if (isFreeCollider(*p)) keepOutsideObstacles(*p, spheres);
  }
  collideSpheres(spheres, 1.0);
}

void collideOpen(Particle* particles, Sphere* spheres) {
  const double timeScale = world.timeScale;
  const double reach = 0.02f;
  for (Particle* p = particles; p != nullptr; p = p->next) {
    if (!isFreeCollider(*p)) continue;
    for (Sphere* s = spheres; s != nullptr; s = s->next) {
      if (!isObstacle(*s)) continue;
      Vector3 n = s->position - p->position;
      if (!(n.length() - s->radius < reach)) continue;
      // Mirror the velocity in the tangent plane, step out along it, then
      // lose what the sphere's bounce takes.
      n.normalize();
      const Vector3 v = p->velocity;
      p->velocity = v - n * (2.0 * dot(n, v));
      p->position = p->position + p->velocity * timeScale * 2.0;
      p->velocity = p->velocity * s->bounce;
    }
  }
  collideSpheres(spheres, 2.0);
}
