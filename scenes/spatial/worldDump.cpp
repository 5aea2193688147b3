#include "scenes/spatial/worldDump.h"

#include <cstdint>

#include "runtime/stateDump.h"
#include "sim/spatial/world.h"

void dumpWorld(const std::string& frameDirectory) {
  const World& w = world;
  ListIndex<Particle> index;
  std::string records;
  size_t count = 0;
  for (const Particle* p = w.particles; p != nullptr; p = p->next, ++count) {
    index.add(p);
    packField(records, p->mass);
    packField(records, p->flags);
    packField(records, p->position);
    packField(records, p->velocity);
    packField(records, p->radius);
  }
  const size_t particleCount = count;
  writeNpyRecords(frameDirectory + "/worldParticles.npy",
                  {{"mass", "<f4"}, {"flags", "<u4"}, {"position", "<f8", 3}, {"velocity", "<f8", 3},
                   {"radius", "<f8"}},
                  records, count);

  records.clear();
  count = 0;
  for (const Spring* s = w.springs; s != nullptr; s = s->next, ++count) {
    packField(records, index.of(s->a));
    packField(records, index.of(s->b));
    packField(records, s->stiffness);
    packField(records, s->damping);
    packField(records, s->restLength);
    packField(records, s->tag);
  }
  const size_t springCount = count;
  writeNpyRecords(frameDirectory + "/worldSprings.npy",
                  {{"a", "<i4"}, {"b", "<i4"}, {"stiffness", "<f4"}, {"damping", "<f4"}, {"restLength", "<f4"},
                   {"tag", "<u4"}},
                  records, count);

  records.clear();
  count = 0;
  for (const Sphere* s = w.spheres; s != nullptr; s = s->next, ++count) {
    packField(records, s->flags);
    packField(records, index.of(s->carrier));
    packField(records, s->position);
    packField(records, s->radius);
    packField(records, s->bounce);
    for (float c : s->colour) packField(records, c);
  }
  writeNpyRecords(frameDirectory + "/worldSpheres.npy",
                  {{"flags", "<u4"}, {"carrier", "<i4"}, {"position", "<f8", 3}, {"radius", "<f4"},
                   {"bounce", "<f4"}, {"colour", "<f4", 3}},
                  records, count);

  JsonScalars json;
  json.add("gravityX", w.gravity.x);
  json.add("gravityY", w.gravity.y);
  json.add("gravityZ", w.gravity.z);
  json.add("boxMinX", w.boxMinX);
  json.add("boxMaxX", w.boxMaxX);
  json.add("boxMinY", w.boxMinY);
  json.add("boxMaxY", w.boxMaxY);
  json.add("boxMinZ", w.boxMinZ);
  json.add("boxMaxZ", w.boxMaxZ);
  json.add("timeScale", w.timeScale);
  json.add("stepSize", w.stepSize);
  json.add("wallBounce", w.wallBounce);
  json.add("pendulumCount", w.pendulumCount);
  json.add("particleCount", static_cast<int64_t>(particleCount));
  json.add("springCount", static_cast<int64_t>(springCount));
  json.add("sphereCount", static_cast<int64_t>(count));
  json.write(frameDirectory + "/world.json");
}
