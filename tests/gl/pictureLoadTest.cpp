// Pictures into textures, and the loading screen of entry 1 run on the
// virtual clock at 10 frames a second with an Escape pressed before the first
// frame, over a folder of small test pictures.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/flatDrawing.h"
#include "runtime/pictures.h"
#include "runtime/sequencer.h"
#include "scenes/loading/loadingScene.h"
#include "tests/fuzz/bmpSeeds.h"
#include "tests/gl/glProbe.h"
#include "tests/support/fileContents.h"
#include "tools/capture/captureDriver.h"

namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& bytes) {
  ASSERT_TRUE(writeFileContents(path, bytes)) << path;
}

// A plain 24-bit picture from RGB pixels given bottom row first.
std::string bmpOf(int width, int height, const std::vector<Rgb>& pixels) {
  std::string file = knownGoodBmp().substr(0, 54);
  patch32(file, 18, static_cast<uint32_t>(width));
  patch32(file, 22, static_cast<uint32_t>(height));
  patch32(file, 34, 0);
  const size_t stride = (3 * static_cast<size_t>(width) + 3) / 4 * 4;
  for (int y = 0; y < height; ++y) {
    std::string row(stride, '\0');
    for (int x = 0; x < width; ++x) {
      const Rgb& p = pixels[static_cast<size_t>(y * width + x)];
      row[3 * x] = static_cast<char>(p.b);
      row[3 * x + 1] = static_cast<char>(p.g);
      row[3 * x + 2] = static_cast<char>(p.r);
    }
    file += row;
  }
  return file;
}

const Rgb red{255, 0, 0};
const Rgb green{0, 255, 0};
const Rgb blue{0, 0, 255};
const Rgb yellow{255, 255, 0};

// 8 x 8 in four quadrants: red bottom left, green bottom right, blue top
// left, yellow top right.
std::string quadrantPicture() {
  std::vector<Rgb> pixels;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x)
      pixels.push_back(y < 4 ? (x < 4 ? red : green) : (x < 4 ? blue : yellow));
  }
  return bmpOf(8, 8, pixels);
}

struct Frame {
  int entry = 0;
  int loadedCount = 0;
  float quitFade = 0.0f;
  bool exitRequested = false;
  // The rightmost grey column of the bar's middle row, and four probes of
  // the loading picture's quadrants.
  int barEnd = -1;
  Rgb quadrant[4];
};

class LoadingScreenRun : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder = fs::temp_directory_path() / ("vorran-loading-" + std::to_string(getpid()));
    fs::create_directories(folder / "images");
    writeFile(folder / "images/loading.bmp", quadrantPicture());
    // Slot 1 holds a 4 x 2 picture; slot 7 has no file, slot 8 a broken one.
    writeFile(folder / "images/shr1.bmp",
              bmpOf(4, 2, {red, green, blue, yellow, blue, yellow, red, green}));
    writeFile(folder / "images/greetz.bmp", knownGoodBmp().substr(0, 40));
    fs::current_path(folder);

    captureStart();
    keyboardHandler(27, 0, 0);
    for (int cycle = 0; cycle < 100 && !captureExitRequested(nullptr); ++cycle) {
      Frame frame;
      frame.entry = captureCycle(10).entry;
      frame.loadedCount = loadingScreen.loadedCount;
      frame.quitFade = sequencer.quitFade;
      frame.exitRequested = captureExitRequested(nullptr);
      for (int x = 281; x <= 519; ++x) {
        const Rgb p = capturedPixel(x, 249);
        // The bar crosses the picture's red and green bottom: only grey counts.
        if (p.r > 0 && p.r == p.g && p.g == p.b) frame.barEnd = x;
      }
      const int probes[4][2] = {{340, 260}, {460, 260}, {340, 340}, {460, 340}};
      for (int q = 0; q < 4; ++q) frame.quadrant[q] = capturedPixel(probes[q][0], probes[q][1]);
      frames.push_back(frame);
    }
  }
  static void TearDownTestSuite() { fs::remove_all(folder); }

  static inline fs::path folder;
  static inline std::vector<Frame> frames;
};

TEST_F(LoadingScreenRun, OnePictureAFrameThenEntryTwo) {
  ASSERT_GT(frames.size(), 53u);
  for (size_t k = 0; k < 52; ++k) {
    EXPECT_EQ(frames[k].entry, 1) << "frame " << k;
    EXPECT_EQ(frames[k].loadedCount, k < 51 ? static_cast<int>(k) + 1 : 51) << "frame " << k;
  }
  // The 52nd frame asks for the switch; the next cycle activates entry 2.
  EXPECT_EQ(frames[52].entry, 2);
  EXPECT_FALSE(sequencer.forceAdvance);
}

TEST_F(LoadingScreenRun, BarGrowsWithLoadedCount) {
  // The fill runs from x = -0.3 (column 280) to loadedCount / 51 of 0.6 more,
  // 4.7 columns a picture; the outline stands at -0.305 and 0.305.
  for (size_t k = 0; k < 52; ++k) {
    const int expectedEnd = 280 + frames[k].loadedCount * 240 / 51;
    EXPECT_NEAR(frames[k].barEnd, expectedEnd, 2) << "frame " << k;
  }
  const Rgb outlineLeft = capturedPixel(278, 249);
  EXPECT_GT(outlineLeft.r, 0);
}

TEST_F(LoadingScreenRun, LoadingPictureFadesInUnflipped) {
  // 100 ms frames: the fade is 0.2, 0.4, ... and gone from the fifth frame.
  const Rgb expected[4] = {red, green, blue, yellow};
  for (int q = 0; q < 4; ++q) {
    const Rgb& first = frames[0].quadrant[q];
    EXPECT_TRUE(near(first, expected[q].r / 5, expected[q].g / 5, expected[q].b / 5, 3)) << q;
    const Rgb& later = frames[10].quadrant[q];
    EXPECT_TRUE(near(later, expected[q].r, expected[q].g, expected[q].b)) << q;
  }
}

TEST_F(LoadingScreenRun, EscapeFadesOnlyAfterTheLastPicture) {
  // Each load resets the fade, so it starts with the frame after the 51st
  // picture; it then takes 2000 ms, 20 cycles of 100 ms, and one more to exit.
  for (size_t k = 0; k < 51; ++k) EXPECT_EQ(frames[k].quitFade, 0.0f) << "frame " << k;
  size_t exitFrame = 0;
  while (exitFrame < frames.size() && !frames[exitFrame].exitRequested) ++exitFrame;
  ASSERT_LT(exitFrame, frames.size());
  EXPECT_GE(exitFrame, 51u + 20u);
  EXPECT_LE(exitFrame, 51u + 21u);
}

// The texels of the first mipmap level of the texture bound to `target`.
std::vector<Rgb> texelsOf(GLenum target) {
  GLint width = 0, height = 1;
  glGetTexLevelParameteriv(target, 0, GL_TEXTURE_WIDTH, &width);
  if (target == GL_TEXTURE_2D) glGetTexLevelParameteriv(target, 0, GL_TEXTURE_HEIGHT, &height);
  std::vector<unsigned char> bytes(static_cast<size_t>(width * height * 3));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  if (!bytes.empty()) glGetTexImage(target, 0, GL_RGB, GL_UNSIGNED_BYTE, bytes.data());
  std::vector<Rgb> texels;
  for (size_t i = 0; i + 2 < bytes.size(); i += 3) texels.push_back({bytes[i], bytes[i + 1], bytes[i + 2]});
  return texels;
}

bool same(const std::vector<Rgb>& texels, const std::vector<Rgb>& expected) {
  if (texels.size() != expected.size()) return false;
  for (size_t i = 0; i < texels.size(); ++i) {
    if (!near(texels[i], expected[i].r, expected[i].g, expected[i].b, 0)) return false;
  }
  return true;
}

// The run above left the test pictures in their slots: slot 1 its 4 x 2
// picture, mipmapped, slots 7 (no file) and 8 (broken) nothing.
TEST_F(LoadingScreenRun, SlotsHoldTheirPicturesOrNone) {
  glBindTexture(GL_TEXTURE_2D, pictures.texture[0]);
  EXPECT_TRUE(same(texelsOf(GL_TEXTURE_2D), {red, green, blue, yellow, blue, yellow, red, green}));
  GLint filter = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
  EXPECT_EQ(filter, GL_LINEAR_MIPMAP_LINEAR);
  for (int slot : {7, 8}) {
    glBindTexture(GL_TEXTURE_2D, pictures.texture[slot - 1]);
    EXPECT_TRUE(texelsOf(GL_TEXTURE_2D).empty()) << "slot " << slot;
  }
  glBindTexture(GL_TEXTURE_2D, 0);
}

TEST_F(LoadingScreenRun, OneRowOrColumnBecomesAOneDimensionalTexture) {
  // The column is stored bottom up, so its texture reads upwards too.
  writeFile("row.bmp", bmpOf(4, 1, {red, green, blue, yellow}));
  writeFile("column.bmp", bmpOf(1, 4, {yellow, blue, green, red}));
  for (const char* name : {"row.bmp", "column.bmp"}) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_1D, texture);
    ASSERT_EQ(loadTextureBmp(name), 0) << name;
    const bool row = std::string(name) == "row.bmp";
    EXPECT_TRUE(same(texelsOf(GL_TEXTURE_1D), row ? std::vector<Rgb>{red, green, blue, yellow}
                                                 : std::vector<Rgb>{yellow, blue, green, red}))
        << name;
    glBindTexture(GL_TEXTURE_1D, 0);
    glDeleteTextures(1, &texture);
  }
  EXPECT_EQ(loadTextureBmp("missing.bmp"), -1);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// All pictures together stay within their memory bound: a 4 x 1 picture
// takes 12 bytes of rows and a third more for its mipmaps (16), so it fits
// exactly into the last 16 bytes and not into 15.
TEST_F(LoadingScreenRun, PicturesStopAtTheirMemoryBound) {
  writeFile("small.bmp", bmpOf(4, 1, {red, green, blue, yellow}));
  const uint64_t before = pictures.loadedBytes;
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_1D, texture);
  pictures.loadedBytes = maxLoadedPictureBytes - 15;
  EXPECT_EQ(loadTextureBmp("small.bmp"), -1);
  pictures.loadedBytes = maxLoadedPictureBytes - 16;
  EXPECT_EQ(loadTextureBmp("small.bmp"), 0);
  EXPECT_EQ(pictures.loadedBytes, maxLoadedPictureBytes);
  pictures.loadedBytes = before;
  glBindTexture(GL_TEXTURE_1D, 0);
  glDeleteTextures(1, &texture);
}

// A white picture with a dark patch: only the patch and a margin around it
// are drawn, and a multiply by the picture leaves the same screen as the
// whole rectangle would, within rounding. A side that is not a power of two
// (the texture would be resampled) gets no box.
TEST_F(LoadingScreenRun, PictureContentIsItsBoxOnItsBackground) {
  const Rgb white{255, 255, 255}, dark{40, 60, 80};
  std::vector<Rgb> pixels(64 * 64, white);
  for (int y = 30; y <= 32; ++y) {
    for (int x = 20; x <= 23; ++x) pixels[static_cast<size_t>(y * 64 + x)] = dark;
  }
  writeFile("patch.bmp", bmpOf(64, 64, pixels));
  writeFile("wide.bmp", bmpOf(48, 64, pixels));
  GLuint texture = 0;
  glGenTextures(1, &texture);
  bindForLoading(texture);
  PictureContent wide;
  ASSERT_EQ(loadTextureBmp("wide.bmp", &wide), 0);
  EXPECT_FALSE(wide.known);
  PictureContent& box = pictures.content[0];
  ASSERT_EQ(loadTextureBmp("patch.bmp", &box), 0);
  ASSERT_TRUE(box.known);
  EXPECT_EQ(std::vector<int>({box.left, box.right, box.bottom, box.top, box.background[0]}),
            std::vector<int>({20, 23, 30, 32, 255}));

  const auto multiplied = [](bool wholeRectangle) {
    freshCanvas(0.5f);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glColor4f(1.0f, 1.0f, 1.0f, 0.0f);
    constexpr uint8_t blank[3] = {255, 255, 255};
    if (wholeRectangle) {
      drawTexturedRectangle(-0.9f, -0.8f, 0.7f, 0.9f, 0.01f, 0.99f);
    } else {
      drawPictureContent(static_cast<Picture>(0), blank, -0.9f, -0.8f, 0.7f, 0.9f, 0.01f, 0.99f);
    }
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    return readBackBuffer();
  };
  const ReadBack whole = multiplied(true);
  const ReadBack part = multiplied(false);
  int worst = 0, darkened = 0;
  for (int y = 0; y < 600; ++y) {
    for (int x = 0; x < 800; ++x) {
      const Rgb a = whole.at(x, y), b = part.at(x, y);
      worst = std::max({worst, std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
      darkened += b.r < 100 ? 1 : 0;
    }
  }
  EXPECT_LE(worst, 2);
  EXPECT_GT(darkened, 0);
  pictures.content[0] = {};
  glDeleteTextures(1, &texture);
}

}  // namespace
