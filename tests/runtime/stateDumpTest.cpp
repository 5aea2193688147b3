#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/random.h"
#include "runtime/sequencer.h"
#include "runtime/stateDump.h"
#include "show/startup.h"

#include "tests/support/fileContents.h"

namespace {

namespace fs = std::filesystem;

class StateDumpTest : public testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("vorranDump" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  // Checks the .npy framing and returns the data that follows the header.
  static std::string npyData(const std::string& file, const std::string& descr,
                             const std::string& shape) {
    EXPECT_GE(file.size(), 10u);
    if (file.size() < 10) return {};
    EXPECT_EQ(file.substr(0, 8), std::string("\x93NUMPY\x01\x00", 8));
    const size_t headerLength = static_cast<unsigned char>(file[8]) |
                                static_cast<size_t>(static_cast<unsigned char>(file[9])) << 8;
    const size_t dataStart = 10 + headerLength;
    EXPECT_EQ(dataStart % 64, 0u);
    const std::string header = file.substr(10, headerLength);
    EXPECT_EQ(header.back(), '\n');
    const std::string dict = "{'descr': '" + descr + "', 'fortran_order': False, 'shape': " + shape + ", }";
    EXPECT_EQ(header.substr(0, dict.size()), dict);
    EXPECT_EQ(header.find_first_not_of(' ', dict.size()), headerLength - 1);
    return file.substr(dataStart);
  }

  fs::path folder;
};

template <typename T>
std::string bytesOf(const T* data, size_t count) {
  return std::string(reinterpret_cast<const char*>(data), count * sizeof(T));
}

TEST_F(StateDumpTest, NpyFilesForEachElementType) {
  float grid[3][5];
  for (int i = 0; i < 15; ++i) grid[i / 5][i % 5] = 0.5f * static_cast<float>(i) - 3.0f;
  ASSERT_TRUE(writeNpy((folder / "a.npy").string(), &grid[0][0], {3, 5}));
  EXPECT_EQ(npyData(fileContents(folder / "a.npy"), "<f4", "(3, 5)"), bytesOf(&grid[0][0], 15));

  const double line[7] = {1.0, -2.5, 1e-300, 0.1, 3.0, 4.0, 5.0};
  ASSERT_TRUE(writeNpy((folder / "b.npy").string(), line, {7}));
  EXPECT_EQ(npyData(fileContents(folder / "b.npy"), "<f8", "(7,)"), bytesOf(line, 7));

  const int32_t cells[2][2][2] = {{{1, -2}, {3, -4}}, {{5, 6}, {7, INT32_MIN}}};
  ASSERT_TRUE(writeNpy((folder / "c.npy").string(), &cells[0][0][0], {2, 2, 2}));
  EXPECT_EQ(npyData(fileContents(folder / "c.npy"), "<i4", "(2, 2, 2)"), bytesOf(&cells[0][0][0], 8));


  EXPECT_FALSE(writeNpy((folder / "missing" / "f.npy").string(), line, {7}));
}

TEST_F(StateDumpTest, FrameFolderGetsGeneratorSequencerAndDecor) {
  resetDemoRand();
  for (int n = 0; n < 3; ++n) demoRand();
  SequencerState state;
  state.currentNumber = 79;
  state.nextEntry = 79;
  state.decor.rect[1] = {.base = 0.25f, .centreX = -0.5f, .centreY = 0.125f, .growX = 0.75f, .growY = 1.0f};
  resetSequencer(state);
  registerStateDumps();
  writeStateDumps(folder.string());

  const std::string rng = fileContents(folder / "rng.json");
  EXPECT_NE(rng.find("\"state\": 415139642"), std::string::npos) << rng;
  EXPECT_NE(rng.find("\"draws\": 3"), std::string::npos) << rng;

  const std::string seq = fileContents(folder / "sequencer.json");
  EXPECT_NE(seq.find("\"currentEntry\": 79,"), std::string::npos) << seq;
  EXPECT_NE(seq.find("\"nextEntry\": 80,"), std::string::npos) << seq;
  EXPECT_NE(seq.find("\"viewShiftY\": -0.40000000000000002"), std::string::npos) << seq;

  // One row per rectangle: base, centreX, centreY, growX, growY.
  const float decor[3][5] = {{}, {0.25f, -0.5f, 0.125f, 0.75f, 1.0f}, {}};
  EXPECT_EQ(npyData(fileContents(folder / "sceneDecor.npy"), "<f4", "(3, 5)"), bytesOf(&decor[0][0], 15));
  EXPECT_TRUE(fs::exists(folder / "pendulum.json"));
  resetDemoRand();
}

}  // namespace
