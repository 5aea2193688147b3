// The BMP reader on a known-good file and on every malformed file patched
// from it, read from disk as the presentation reads them; and the replay of
// the fuzzer's seeds and kept corpus through the fuzz entry.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "runtime/bmp.h"
#include "tests/fuzz/bmpFuzzEntry.h"
#include "tests/fuzz/bmpSeeds.h"
#include "tests/support/fileContents.h"

namespace {

namespace fs = std::filesystem;

class BmpReader : public testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("vorran-bmp-" + std::to_string(getpid()));
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  std::string write(const std::string& name, const std::string& bytes) const {
    const fs::path path = folder / name;
    EXPECT_TRUE(writeFileContents(path, bytes)) << path;
    return path;
  }

  fs::path folder;
};

TEST_F(BmpReader, EveryCaseGivesItsOutcome) {
  for (const BmpCase& test : bmpCases()) {
    SCOPED_TRACE(test.name);
    BmpImage image;
    const bool read = readBmp(write(test.name, test.bytes).c_str(), image);
    std::vector<uint8_t> rgb;
    const bool converted = read && convertBmpToRgb(image, rgb);
    if (test.outcome == BmpOutcome::Refused) {
      EXPECT_FALSE(read);
      EXPECT_TRUE(image.pixels.empty() && image.header.empty());
      continue;
    }
    ASSERT_TRUE(converted);
    EXPECT_EQ(image.width, test.width);
    EXPECT_EQ(image.height, test.height);
    EXPECT_EQ(bmpIsPlainRgb(image), test.outcome == BmpOutcome::Loaded);
    EXPECT_EQ(rgb, test.rgb);
  }
}

TEST_F(BmpReader, MissingFileLongHeaderAndShortPixelsAreRefused) {
  BmpImage image;
  EXPECT_FALSE(readBmp((folder / "missing.bmp").c_str(), image));

  // A data offset past a megabyte of header is refused even when the file
  // is that long; one just inside is read.
  for (const uint32_t gap : {(1u << 20) - 40, (1u << 20) - 39}) {
    std::string file = knownGoodBmp();
    file.insert(54, std::string(gap, '\0'));
    patch32(file, 10, 54 + gap);
    EXPECT_EQ(readBmp(write("gap.bmp", file).c_str(), image), gap == (1u << 20) - 40) << gap;
  }

  // An image whose pixels fall short of its padded rows is never converted,
  // whoever built it.
  ASSERT_TRUE(readBmp(write("good.bmp", knownGoodBmp()).c_str(), image));
  image.pixels.resize(23);
  std::vector<uint8_t> rgb{1, 2, 3};
  EXPECT_FALSE(convertBmpToRgb(image, rgb));
  EXPECT_TRUE(rgb.empty());
}

TEST_F(BmpReader, WideRowsNeedNoFillerAndTallPicturesKeepTheirRowOrder) {
  // 4 x 3: twelve bytes a row, no filler; row k (bottom first) is grey k * 50
  // with the blue of its first pixel set to 255.
  std::string file = knownGoodBmp().substr(0, 54);
  patch32(file, 18, 4);
  patch32(file, 22, 3);
  patch32(file, 34, 0);
  for (int row = 0; row < 3; ++row) {
    std::string bytes(12, static_cast<char>(row * 50));
    bytes[0] = '\xFF';
    file += bytes;
  }
  BmpImage image;
  std::vector<uint8_t> rgb;
  ASSERT_TRUE(readBmp(write("wide.bmp", file).c_str(), image));
  ASSERT_TRUE(convertBmpToRgb(image, rgb));
  ASSERT_EQ(rgb.size(), 36u);
  for (int row = 0; row < 3; ++row) {
    const uint8_t* p = rgb.data() + row * 12;
    EXPECT_EQ(p[2], 255) << row;
    EXPECT_EQ(p[0], row * 50) << row;
    EXPECT_EQ(p[11], row * 50) << row;
  }
}

// A pipe with no writer, a folder and a device are refused at once, never
// waited on. A picture wider or taller than a 4K screen could need is refused
// and said to be too large, however few bytes it holds (8 bits a pixel, an
// image-size field of one byte): the loader would otherwise make a black
// texture of the size it claims.
TEST_F(BmpReader, OnlyRegularFilesOfAScreensSizeAreRead) {
  BmpImage image;
  bool tooLarge = false;
  const fs::path pipe = folder / "pipe.bmp";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  for (const std::string& path : {pipe.string(), folder.string(), std::string("/dev/zero")}) {
    EXPECT_FALSE(readBmp(path.c_str(), image, &tooLarge)) << path;
    EXPECT_FALSE(tooLarge) << path;
  }
  for (const auto& [width, height, accepted] :
       {std::tuple{16384, 1365, false}, std::tuple{4097, 1, false}, std::tuple{1, 4097, false}, std::tuple{4096, 4, true}}) {
    std::string file = knownGoodBmp().substr(0, 54) + std::string(1, '\0');
    patch32(file, 18, static_cast<uint32_t>(width));
    patch32(file, 22, static_cast<uint32_t>(height));
    patch16(file, 28, 8);
    patch32(file, 34, 1);
    tooLarge = false;
    EXPECT_EQ(readBmp(write("large.bmp", file).c_str(), image, &tooLarge), accepted) << width << " x " << height;
    EXPECT_EQ(tooLarge, !accepted) << width << " x " << height;
  }
}

// The seeds, and the corpus kept from fuzzing, through the fuzz entry: it
// aborts the test binary if the reader breaks a promise, and the sanitizer
// build reports any out-of-bounds access.
TEST(BmpFuzzCorpus, ReplaysWithoutFault) {
  size_t replayed = 0;
  for (const BmpCase& seed : bmpCases()) {
    fuzzBmpOnce(reinterpret_cast<const uint8_t*>(seed.bytes.data()), seed.bytes.size());
    ++replayed;
  }
  const fs::path kept = VORRAN_BMP_CORPUS;
  if (fs::is_directory(kept)) {
    for (const auto& item : fs::directory_iterator(kept)) {
      const std::string bytes = fileContents(item.path());
      fuzzBmpOnce(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
      ++replayed;
    }
  }
  EXPECT_GE(replayed, bmpCases().size());
}

}  // namespace
