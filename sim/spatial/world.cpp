#include "sim/spatial/world.h"

#include "platform/random.h"

World world;

namespace {

float unitDraw() { return static_cast<float>(demoRand()) * randScale; }

float distance(const Particle* a, const Particle* b) {
  return static_cast<float>((a->position - b->position).length());
}

// The float nearest 2/19 times the pendulum count, in double precision.
double pendulumSpacing() { return static_cast<double>(world.pendulumCount) * static_cast<double>(0.10526316f); }

void addPendulum(Particle* pivot, const Vector3& bobPosition) {
  Particle* bob = appendParticle(world.particles, 0.1f, ParticleCollides, bobPosition, {}, 0.0);
  appendSphere(world.spheres, 0.05f, {}, 1.0f, SphereActive | SphereWire, bob);
  // Two identical springs act as one of twice the stiffness and damping.
  const SpringLaw law{.stiffness = 50.5f, .damping = 8.2f, .restLength = 0.4f};
  appendSpring(world.springs, pivot, bob, law);
  appendSpring(world.springs, pivot, bob, law);
}

Particle* appendPivot(double x) {
  return appendParticle(world.particles, 0.1f, ParticleFixed, {x, 0.9, 0.0}, {}, 0.0);
}

}  // namespace

void releaseWorldLists() {
  world.particles = nullptr;
  world.springs = nullptr;
  world.spheres = nullptr;
  world.particleRecords.release();
  world.springRecords.release();
  world.sphereRecords.release();
}

void startWorldLists(uint32_t springHeadTag) {
  releaseWorldLists();
  world.particles = newParticle(1.0f, ParticleHidden, {}, {}, 0.0);
  world.springs = newSpring(world.particles, world.particles, {});
  world.springs->tag = springHeadTag;
  world.spheres = newSphere(0.0f, {}, 0.0f, SphereIgnored, nullptr);
}

Particle* newParticle(float mass, uint32_t flags, Vector3 position, Vector3 velocity, double radius) {
  Particle* p = world.particleRecords.make();
  p->mass = mass;
  p->flags = flags;
  p->position = position;
  p->velocity = velocity;
  p->radius = radius;
  return p;
}

Spring* newSpring(Particle* a, Particle* b, SpringLaw law) {
  Spring* s = world.springRecords.make();
  s->a = a;
  s->b = b;
  s->stiffness = law.stiffness;
  s->damping = law.damping;
  s->restLength = law.restLength;
  return s;
}

Spring* newSpringMeasured(Particle* a, Particle* b, SpringLaw law, uint32_t tag) {
  Spring* s = newSpring(a, b, law);
  s->tag = tag;
  if (law.restLength == 0.0f) s->restLength = distance(a, b);
  return s;
}

Spring* newSpringSlack(Particle* a, Particle* b, SpringLaw law, uint32_t tag) {
  Spring* s = newSpring(a, b, law);
  s->tag = tag;
  if (law.restLength == 0.0f) {
    s->restLength = static_cast<float>((a->position - b->position).length() * 10.0 / 11.0);
  }
  return s;
}

Sphere* newSphere(float radius, Vector3 position, float bounce, uint32_t flags, Particle* carrier) {
  Sphere* s = world.sphereRecords.make();
  s->flags = flags;
  s->carrier = carrier;
  s->position = position;
  s->radius = radius;
  s->bounce = bounce;
  for (float& c : s->colour) c = unitDraw();
  return s;
}

Particle* appendParticle(Particle* head, float mass, uint32_t flags, Vector3 position, Vector3 velocity,
                         double radius) {
  return linkBehind(head, newParticle(mass, flags, position, velocity, radius));
}

Spring* appendSpring(Spring* head, Particle* a, Particle* b, SpringLaw law) {
  return linkBehind(head, newSpring(a, b, law));
}

Spring* appendSpringMeasured(Spring* head, Particle* a, Particle* b, SpringLaw law, uint32_t tag) {
  return linkBehind(head, newSpringMeasured(a, b, law, tag));
}

Spring* appendSpringSlack(Spring* head, Particle* a, Particle* b, SpringLaw law, uint32_t tag) {
  return linkBehind(head, newSpringSlack(a, b, law, tag));
}

Sphere* appendSphere(Sphere* head, float radius, Vector3 position, float bounce, uint32_t flags,
                     Particle* carrier) {
  Sphere* s = linkBehind(head, newSphere(radius, position, bounce, flags, carrier));
  if (carrier != nullptr) carrier->flags |= ParticleCarried;
  return s;
}

Particle* lastParticle(Particle* node) { return lastInList(node); }

Particle* particleAfter(Particle* node, int n) {
  Particle* p = node;
  for (int step = 0; step < n; ++step) {
    if (p == nullptr || p->next == nullptr) return node;
    p = p->next;
  }
  return p;
}

Particle* particleAt(int index) {
  Particle* head = world.particles;
  if (index < 0 || head == nullptr) return head;
  Particle* p = head->next;
  for (int i = 0; i < index && p != nullptr; ++i) p = p->next;
  return p != nullptr ? p : head;
}

void addHangingPendulum() {
  ++world.pendulumCount;
  const double x = pendulumSpacing() - 0.5;
  addPendulum(appendPivot(x), {x, 0.4, 0.0});
}

void addRaisedPendulum() {
  ++world.pendulumCount;
  Particle* pivot = appendPivot(pendulumSpacing() - 0.5);
  addPendulum(pivot, {pendulumSpacing() - 0.2, 0.9, 0.0});
}
