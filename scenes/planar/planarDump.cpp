#include "scenes/planar/planarDump.h"

#include <cstdint>

#include "runtime/stateDump.h"
#include "sim/planar/planarWorld.h"

void dumpPlanarWorld(const std::string& frameDirectory) {
  const PlanarWorld& w = planarWorld;
  ListIndex<PlanarParticle> index;

  std::string records;
  size_t particles = 0;
  for (const PlanarParticle* p = w.particles; p != nullptr; p = p->next, ++particles) {
    index.add(p);
    packField(records, p->mass);
    packField(records, p->flags);
    packField(records, p->position);
    packField(records, p->velocity);
  }
  writeNpyRecords(frameDirectory + "/planarParticles.npy",
                  {{"mass", "<f4"}, {"flags", "<u4"}, {"position", "<f8", 3}, {"velocity", "<f8", 3}}, records,
                  particles);

  records.clear();
  size_t springs = 0;
  for (const PlanarSpring* s = w.springs; s != nullptr; s = s->next, ++springs) {
    packField(records, index.of(s->a));
    packField(records, index.of(s->b));
    packField(records, s->stiffness);
    packField(records, s->damping);
    packField(records, s->restLength);
    packField(records, s->kind);
  }
  writeNpyRecords(frameDirectory + "/planarSprings.npy",
                  {{"a", "<i4"}, {"b", "<i4"}, {"stiffness", "<f4"}, {"damping", "<f4"}, {"restLength", "<f4"},
                   {"kind", "<u4"}},
                  records, springs);

  records.clear();
  size_t circles = 0;
  for (const PlanarCircle* c = w.circles; c != nullptr; c = c->next, ++circles) {
    packField(records, c->flags);
    packField(records, index.of(c->carrier));
    packField(records, c->position);
    packField(records, c->radius);
    packField(records, c->bounce);
  }
  writeNpyRecords(frameDirectory + "/planarCircles.npy",
                  {{"flags", "<u4"}, {"carrier", "<i4"}, {"position", "<f8", 3}, {"radius", "<f4"},
                   {"bounce", "<f4"}},
                  records, circles);

  JsonScalars json;
  json.add("gravityX", w.gravity.x);
  json.add("gravityY", w.gravity.y);
  json.add("gravityZ", w.gravity.z);
  json.add("minX", w.minX);
  json.add("maxX", w.maxX);
  json.add("minY", w.minY);
  json.add("maxY", w.maxY);
  json.add("wallBounce", w.wallBounce);
  json.add("timeFactor", w.timeFactor);
  json.add("substep", w.substep);
  json.add("particleCount", static_cast<int64_t>(particles));
  json.add("springCount", static_cast<int64_t>(springs));
  json.add("circleCount", static_cast<int64_t>(circles));
  json.write(frameDirectory + "/planarWorld.json");
}
