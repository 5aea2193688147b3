// The state dumps: .npy framing for every element type, the frame folder's
// generator, Sequencer and decoration files, and the engines' linked lists as
// record arrays with links turned into list positions.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/random.h"
#include "runtime/sequencer.h"
#include "runtime/stateDump.h"
#include "runtime/viewControls.h"
#include "scenes/planar/planarDump.h"
#include "scenes/spatial/worldDump.h"
#include "show/startup.h"
#include "sim/planar/planarWorld.h"
#include "sim/spatial/world.h"
#include "sim/wave/waveField.h"
#include "tests/support/fileContents.h"

namespace {

namespace fs = std::filesystem;

class StateDumpTest : public testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("vorranDump_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  void TearDown() override {
    fs::remove_all(folder);
    resetDemoRand();
    resetSequencer();
  }
  // Checks the .npy framing (version 1.0, data on a 64-byte boundary, the
  // header dict) and returns the data after it.
  std::string npyData(const char* name, const std::string& descr, const std::string& shape) const {
    const std::string file = fileContents(folder / name);
    if (file.size() < 10) return "<too short>";
    EXPECT_EQ(file.substr(0, 8), std::string("\x93NUMPY\x01\x00", 8));
    const size_t length = static_cast<unsigned char>(file[8]) | static_cast<size_t>(static_cast<unsigned char>(file[9])) << 8;
    EXPECT_EQ((10 + length) % 64, 0u);
    const std::string header = file.substr(10, length);
    const std::string dict = "{'descr': " + descr + ", 'fortran_order': False, 'shape': " + shape + ", }";
    EXPECT_EQ(header.substr(0, dict.size()), dict);
    EXPECT_EQ(header.find_first_not_of(' ', dict.size()), length - 1);
    EXPECT_EQ(header.back(), '\n');
    return file.substr(10 + length);
  }
  // The data of a .npy file, whatever its header.
  std::string body(const char* name) const {
    const std::string file = fileContents(folder / name);
    if (file.size() < 10) return {};
    return file.substr(10 + (static_cast<unsigned char>(file[8]) | static_cast<size_t>(static_cast<unsigned char>(file[9])) << 8));
  }
  bool jsonHas(const char* name, const std::string& text) const {
    return fileContents(folder / name).find(text) != std::string::npos;
  }
  fs::path folder;
};

template <typename T>
std::string bytesOf(const T* data, size_t count) {
  return std::string(reinterpret_cast<const char*>(data), count * sizeof(T));
}

template <typename T>
T field(const std::string& data, size_t offset) {
  T value{};
  if (offset + sizeof value <= data.size()) std::memcpy(&value, &data[offset], sizeof value);
  return value;
}

TEST_F(StateDumpTest, NpyFilesForEachElementType) {
  const float grid[3][5] = {{-3.0f, 0.5f}, {1e-30f}, {7.0f, 0.0f, 0.0f, 0.0f, -2.5f}};
  ASSERT_TRUE(writeNpy((folder / "a.npy").string(), &grid[0][0], {3, 5}));
  EXPECT_EQ(npyData("a.npy", "'<f4'", "(3, 5)"), bytesOf(&grid[0][0], 15));
  const double line[7] = {1.0, -2.5, 1e-300, 0.1, 3.0, 4.0, 5.0};
  ASSERT_TRUE(writeNpy((folder / "b.npy").string(), line, {7}));
  EXPECT_EQ(npyData("b.npy", "'<f8'", "(7,)"), bytesOf(line, 7));
  const int32_t cells[2][2][2] = {{{1, -2}, {3, -4}}, {{5, 6}, {7, INT32_MIN}}};
  ASSERT_TRUE(writeNpy((folder / "c.npy").string(), &cells[0][0][0], {2, 2, 2}));
  EXPECT_EQ(npyData("c.npy", "'<i4'", "(2, 2, 2)"), bytesOf(&cells[0][0][0], 8));
  EXPECT_FALSE(writeNpy((folder / "missing" / "f.npy").string(), line, {7}));
}

TEST_F(StateDumpTest, FrameFolderGetsGeneratorSequencerDecorAndEveryModule) {
  resetDemoRand();
  for (int n = 0; n < 3; ++n) demoRand();
  SequencerState state;
  state.currentNumber = 79;
  state.nextEntry = 79;
  state.decor.rect[1] = {.base = 0.25f, .centreX = -0.5f, .centreY = 0.125f, .growX = 0.75f, .growY = 1.0f};
  resetSequencer(state);
  registerStateDumps();
  writeStateDumps(folder.string());
  // 1 -> 2745024 -> 3357800067 -> 415139642 (mod 2^32).
  EXPECT_TRUE(jsonHas("rng.json", "\"state\": 415139642") && jsonHas("rng.json", "\"draws\": 3"));
  EXPECT_TRUE(jsonHas("sequencer.json", "\"currentEntry\": 79,") && jsonHas("sequencer.json", "\"nextEntry\": 80,"));
  EXPECT_TRUE(jsonHas("sequencer.json", "\"viewShiftY\": -0.40000000000000002"));
  // The surfaces' zoom phase, never reset, from its start at pi.
  EXPECT_TRUE(jsonHas("surface.json", "\"zoomPhase\": 3.1415927"));
  // One row per rectangle: base, centreX, centreY, growX, growY.
  const float decor[3][5] = {{}, {0.25f, -0.5f, 0.125f, 0.75f, 1.0f}, {}};
  EXPECT_EQ(npyData("sceneDecor.npy", "'<f4'", "(3, 5)"), bytesOf(&decor[0][0], 15));
  for (const char* file : {"pendulum.json", "loading.json", "gravity.json", "gas.json", "sand.json", "vote.json",
                           "fluid.json", "world.json", "planarWorld.json", "surface.json"}) {
    EXPECT_TRUE(fs::exists(folder / file)) << file;
  }
}

TEST_F(StateDumpTest, EngineListsInListOrderWithLinksAsPositions) {
  world = {};
  world.gravity = {0.0, -18.0, 0.0};
  startWorldLists(0);
  addHangingPendulum();
  addRaisedPendulum();
  particleAt(1)->velocity = {0.25, -1.5, 3.0};
  dumpWorld(folder.string());
  // Particles: head, pivot, bob, pivot, bob; 64 bytes each.
  const std::string particles = npyData("worldParticles.npy",
                                        "[('mass', '<f4'), ('flags', '<u4'), ('position', '<f8', (3,)), "
                                        "('velocity', '<f8', (3,)), ('radius', '<f8')]",
                                        "(5,)");
  ASSERT_EQ(particles.size(), 5u * 64u);
  EXPECT_EQ(field<uint32_t>(particles, 4), ParticleHidden);
  EXPECT_EQ(field<uint32_t>(particles, 2 * 64 + 4), ParticleCollides | ParticleCarried);
  EXPECT_TRUE(field<double>(particles, 2 * 64 + 16) == 0.4 && field<double>(particles, 2 * 64 + 48) == 3.0);
  // The spring head joins particle 0 to itself; the last spring pivot 3 to bob 4.
  const std::string springs = body("worldSprings.npy");
  ASSERT_EQ(springs.size(), 5u * 24u);
  EXPECT_TRUE(field<int32_t>(springs, 4) == 0 && field<int32_t>(springs, 4 * 24) == 3);
  EXPECT_EQ(field<float>(springs, 4 * 24 + 16), 0.4f);
  const std::string spheres = body("worldSpheres.npy");
  ASSERT_EQ(spheres.size(), 3u * 52u);
  EXPECT_TRUE(field<int32_t>(spheres, 4) == -1 && field<int32_t>(spheres, 2 * 52 + 4) == 4);
  EXPECT_EQ(field<float>(spheres, 2 * 52 + 48), world.spheres->next->next->colour[2]);
  EXPECT_TRUE(jsonHas("world.json", "\"gravityY\": -18,"));

  planarWorld = {};
  planarWorld.particles = newPlanarParticle(0.0f, PlanarParticleHidden, {}, {});
  PlanarParticle* bead = appendPlanarParticle(planarWorld.particles, 1.0f, 17, {0.5, 0.1, 0.0}, {});
  planarWorld.springs = newPlanarSpring(bead, planarWorld.particles, {.stiffness = 30.1f}, 1);
  dumpPlanarWorld(folder.string());
  EXPECT_EQ(field<double>(body("planarParticles.npy"), 56 + 8), 0.5);
  EXPECT_EQ(field<int32_t>(body("planarSprings.npy"), 0), 1);
  EXPECT_TRUE(jsonHas("planarWorld.json", "\"substep\": 0.00600000005,"));
  world = {};
  planarWorld = {};
}

TEST_F(StateDumpTest, CheckNamesTheFirstValueThatIsNotFiniteAndWritesNothing) {
  registerStateDumps();
  world = {};
  startWorldLists(0);
  addHangingPendulum();
  EXPECT_EQ(firstNonFiniteState(), "");

  // Record arrays: the bob, record 2 behind the head and the pivot; velocity y.
  particleAt(1)->velocity.y = std::nan("");
  EXPECT_EQ(firstNonFiniteState(), "worldParticles.npy[2].velocity[1] is NaN");
  world = {};
  // Plain arrays: row 3, column 40 of the ripple tank's 71 x 71 grid.
  waveField.u[3][40] = -INFINITY;
  EXPECT_EQ(firstNonFiniteState(), "waveU.npy[3, 40] is -infinity");
  waveField = {};
  // Scalars, in the Sequencer's file that comes first.
  viewControls.viewShiftZ = INFINITY;
  EXPECT_EQ(firstNonFiniteState(), "sequencer.json viewShiftZ is +infinity");
  viewControls = {};
  EXPECT_EQ(firstNonFiniteState(), "");
  EXPECT_TRUE(fs::is_empty(folder));
  EXPECT_FALSE(fs::exists("/sequencer.json"));
}

}  // namespace
