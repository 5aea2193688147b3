#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/random.h"
#include "scenes/planar/planarDump.h"
#include "scenes/spatial/worldDump.h"
#include "sim/planar/planarWorld.h"
#include "sim/spatial/world.h"

#include "tests/support/fileContents.h"

namespace {

namespace fs = std::filesystem;

// A .npy file split into its header and its records.
std::pair<std::string, std::string> readNpy(const fs::path& path) {
  const std::string file = fileContents(path);
  if (file.size() < 10) return {};
  const size_t length =
      static_cast<unsigned char>(file[8]) | static_cast<size_t>(static_cast<unsigned char>(file[9])) << 8;
  return {file.substr(10, length), file.substr(std::min(file.size(), 10 + length))};
}

template <typename T>
T field(const std::string& data, size_t offset) {
  T value{};
  if (offset + sizeof value <= data.size()) std::memcpy(&value, &data[offset], sizeof value);
  return value;
}

TEST(EngineDump, ListsRoundTripInListOrder) {
  const fs::path folder = fs::temp_directory_path() / "vorranEngineDump";
  fs::create_directories(folder);
  world = {};
  world.gravity = {0.0, -18.0, 0.0};
  startWorldLists(0);
  addHangingPendulum();
  addRaisedPendulum();
  particleAt(1)->velocity = {0.25, -1.5, 3.0};
  dumpWorld(folder.string());

  const auto [header, particles] = readNpy(folder / "worldParticles.npy");
  EXPECT_NE(header.find("{'descr': [('mass', '<f4'), ('flags', '<u4'), ('position', '<f8', (3,)), ('velocity', "
                        "'<f8', (3,)), ('radius', '<f8')], 'fortran_order': False, 'shape': (5,), }"),
            std::string::npos) << header;
  ASSERT_EQ(particles.size(), 5u * 64u);
  EXPECT_EQ(field<uint32_t>(particles, 4), ParticleHidden);
  EXPECT_EQ(field<uint32_t>(particles, 2 * 64 + 4), ParticleCollides | ParticleCarried);
  EXPECT_EQ(field<double>(particles, 2 * 64 + 16), 0.4);
  EXPECT_EQ(field<double>(particles, 2 * 64 + 48), 3.0);
  // The spring head joins particle 0 to itself; the last spring pivot 3 to bob 4.
  const std::string springs = readNpy(folder / "worldSprings.npy").second;
  ASSERT_EQ(springs.size(), 5u * 24u);
  EXPECT_EQ(field<int32_t>(springs, 4), 0);
  EXPECT_EQ(field<int32_t>(springs, 4 * 24), 3);
  EXPECT_EQ(field<float>(springs, 4 * 24 + 16), 0.4f);
  const std::string spheres = readNpy(folder / "worldSpheres.npy").second;
  ASSERT_EQ(spheres.size(), 3u * 52u);
  EXPECT_EQ(field<int32_t>(spheres, 4), -1);
  EXPECT_EQ(field<int32_t>(spheres, 2 * 52 + 4), 4);
  EXPECT_EQ(field<float>(spheres, 2 * 52 + 48), world.spheres->next->next->colour[2]);
  EXPECT_NE(fileContents(folder / "world.json").find("\"gravityY\": -18,"), std::string::npos);

  planarWorld = {};
  planarWorld.particles = newPlanarParticle(0.0f, PlanarParticleHidden, {}, {});
  PlanarParticle* bead = appendPlanarParticle(planarWorld.particles, 1.0f, 17, {0.5, 0.1, 0.0}, {});
  planarWorld.springs = newPlanarSpring(bead, planarWorld.particles, {.stiffness = 30.1f, .damping = 12.0f, .restLength = 0.001f}, 1);
  dumpPlanarWorld(folder.string());
  EXPECT_EQ(field<double>(readNpy(folder / "planarParticles.npy").second, 56 + 8), 0.5);
  EXPECT_EQ(field<int32_t>(readNpy(folder / "planarSprings.npy").second, 0), 1);
  EXPECT_NE(fileContents(folder / "planarWorld.json").find("\"substep\": 0.00600000005,"), std::string::npos);

  fs::remove_all(folder);
  world = {};
  planarWorld = {};
  resetDemoRand();
}

}  // namespace
