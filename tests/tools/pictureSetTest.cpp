// The picture set as the build paints it beside the executables: every file
// the loading screen asks for, in the one format the reader converts, with
// the content each scene relies on; and painted the same way every time.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "runtime/bmp.h"
#include "runtime/pictures.h"
#include "tests/support/fileContents.h"

namespace {

namespace fs = std::filesystem;

struct Painted {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
  size_t stride = 0;

  // Brightness 0..1 of the pixel at u, v in 0..1 (v up).
  float level(float u, float v) const {
    const uint8_t* p = pixel(u, v);
    return (p[0] + p[1] + p[2]) / (3.0f * 255.0f);
  }
  const uint8_t* pixel(float u, float v) const {
    const size_t x = static_cast<size_t>(u * (width - 1));
    const size_t y = static_cast<size_t>(v * (height - 1));
    return rgb.data() + y * stride + x * 3;
  }
};

const fs::path folder = VORRAN_PICTURE_FOLDER;

std::vector<std::string> expectedFiles() { return {std::begin(pictureFiles), std::end(pictureFiles)}; }

class PictureSet : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (const std::string& file : expectedFiles()) {
      BmpImage image;
      Painted picture;
      if (readBmp((folder / fs::path(file).filename()).c_str(), image) && bmpIsPlainRgb(image) &&
          convertBmpToRgb(image, picture.rgb)) {
        picture.width = image.width;
        picture.height = image.height;
        picture.stride = static_cast<size_t>(bmpRowStride(image.width));
        set[fs::path(file).stem().string()] = picture;
      }
    }
  }
  static const Painted& get(const std::string& name) { return set.at(name); }
  static inline std::map<std::string, Painted> set;
};

bool powerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

TEST_F(PictureSet, FiftyTwoPlainPicturesWithPowerOfTwoSides) {
  std::set<std::string> present;
  for (const auto& item : fs::directory_iterator(folder))
    present.insert("images/" + item.path().filename().string());
  const std::vector<std::string> files = expectedFiles();
  EXPECT_EQ(present, std::set<std::string>(files.begin(), files.end()));
  ASSERT_EQ(set.size(), 52u);
  for (const auto& [name, picture] : set) {
    EXPECT_TRUE(powerOfTwo(picture.width) && powerOfTwo(picture.height)) << name;
    EXPECT_GE(picture.height, 256) << name;
  }
}

TEST_F(PictureSet, MasksAreGreyLevelsOfTheirPictures) {
  for (const auto& [name, picture] : set) {
    if (!name.ends_with("_a") && !name.ends_with("_alpha")) continue;
    int coloured = 0;
    for (int y = 0; y < picture.height; ++y) {
      for (int x = 0; x < picture.width; ++x) {
        const uint8_t* p = picture.rgb.data() + y * picture.stride + x * 3;
        coloured += p[0] != p[1] || p[1] != p[2];
      }
    }
    EXPECT_EQ(coloured, 0) << name;
  }
  // The equations: dark ink on white, and a mask that is light where the ink
  // is. The gallery: a mask that is dark where the subject shines.
  for (const std::string n : {"1", "2", "3"}) {
    const Painted& ink = get("shr" + n);
    const Painted& mask = get("shr" + n + "_a");
    int inked = 0;
    for (float v = 0.3f; v < 0.7f; v += 0.002f) {
      for (float u = 0.1f; u < 0.9f; u += 0.004f) {
        if (ink.level(u, v) > 0.2f) continue;
        ++inked;
        EXPECT_GT(mask.level(u, v), 0.7f) << n << " at " << u << ", " << v;
      }
    }
    EXPECT_GT(inked, 500) << "shr" << n;
    EXPECT_GT(ink.level(0.05f, 0.05f), 0.98f);
    EXPECT_LT(mask.level(0.05f, 0.05f), 0.02f);
  }
  for (int n = 1; n <= 9; ++n) {
    const Painted& picture = get("g" + std::to_string(n));
    const Painted& mask = get("g" + std::to_string(n) + "_alpha");
    int bright = 0;
    float maskThere = 0.0f;
    for (float v = 0.0f; v <= 1.0f; v += 0.01f) {
      for (float u = 0.0f; u <= 1.0f; u += 0.01f) {
        if (picture.level(u, v) < 0.3f) continue;
        ++bright;
        maskThere += mask.level(u, v);
      }
    }
    EXPECT_GT(bright, 100) << "g" << n;
    EXPECT_LT(maskThere / static_cast<float>(bright), 0.25f) << "g" << n;
    EXPECT_GT(mask.level(0.0f, 0.0f), 0.6f) << "g" << n;
  }
}

TEST_F(PictureSet, PicturesCarryWhatTheirScenesShow) {
  // The glass label: red with white lettering in the top 19 %, which is all
  // the intro shows of it.
  const Painted& label = get("teraz");
  int red = 0;
  int white = 0;
  for (float u = 0.05f; u < 0.95f; u += 0.005f) {
    for (float v = 0.82f; v < 0.99f; v += 0.01f) {
      const uint8_t* p = label.pixel(u, v);
      red += p[0] > 100 && p[1] < 80;
      white += p[0] > 220 && p[1] > 220 && p[2] > 220;
    }
  }
  EXPECT_GT(red, 1000);
  EXPECT_GT(white, 100);

  // The error dialog: a grey window in the middle of a black square, its
  // title bar dark blue at the left.
  const Painted& dialog = get("error");
  EXPECT_LT(dialog.level(0.02f, 0.02f), 0.01f);
  const uint8_t* face = dialog.pixel(0.5f, 0.45f);
  EXPECT_NEAR(face[0], 212, 4);
  EXPECT_NEAR(face[2], 200, 4);
  const uint8_t* title = dialog.pixel(0.2f, 0.68f);
  EXPECT_TRUE(title[2] > 100 && title[0] < 60) << int{title[0]} << "," << int{title[2]};

  // The wave equation is bright lettering in the middle band of a dark panel.
  const Painted& equation = get("rownanie1");
  int lettering = 0;
  for (float u = 0.1f; u < 0.9f; u += 0.002f) {
    for (float v = 0.34f; v < 0.66f; v += 0.004f) lettering += equation.level(u, v) > 0.9f;
  }
  EXPECT_GT(lettering, 300);
  EXPECT_LT(equation.level(0.02f, 0.95f), 0.2f);
}

// Dark pixels in a row from the centre of a picture (in pixels) outwards,
// the centre not counted.
int darkFrom(const Painted& p, int x, int y, int dx, int dy) {
  int n = 0;
  for (int k = 1;; ++k) {
    const int px = x + k * dx;
    const int py = y + k * dy;
    if (px < 0 || py < 0 || px >= p.width || py >= p.height) break;
    const uint8_t* c = p.rgb.data() + static_cast<size_t>(py) * p.stride + static_cast<size_t>(px) * 3;
    if (c[0] + c[1] + c[2] > 3 * 128) break;
    ++n;
  }
  return n;
}

// The gallery is 512 pixels a side, painted into the middle three quarters of
// the width, so that the 4:3 screen widens it back: the outer eighths are
// black in the pictures, white in the masks, and the eclipse's moon (52 of
// 256 units in radius, about 208 pixels across) is 3/4 as wide as it is high.
TEST_F(PictureSet, TheGalleryIsPaintedNarrowedFor43AndSharp) {
  for (int n = 1; n <= 9; ++n) {
    const Painted& picture = get("g" + std::to_string(n));
    const Painted& mask = get("g" + std::to_string(n) + "_alpha");
    EXPECT_TRUE(picture.width == 512 && picture.height == 512 && mask.width == 512) << n;
    float side = 0.0f;
    float maskSide = 0.0f;
    for (float v = 0.0f; v <= 1.0f; v += 0.02f) {
      for (const float u : {0.0f, 0.06f, 0.94f, 1.0f}) {
        side = std::max(side, picture.level(u, v));
        maskSide = std::max(maskSide, 1.0f - mask.level(u, v));
      }
    }
    EXPECT_LT(side, 0.02f) << "g" << n;
    EXPECT_LT(maskSide, 0.02f) << "g" << n;
  }
  const Painted& eclipse = get("g9");
  const int width = darkFrom(eclipse, 256, 256, 1, 0) + darkFrom(eclipse, 256, 256, -1, 0) + 1;
  const int height = darkFrom(eclipse, 256, 256, 0, 1) + darkFrom(eclipse, 256, 256, 0, -1) + 1;
  EXPECT_NEAR(height, 208, 4);
  EXPECT_NEAR(static_cast<double>(width) / height, 0.75, 0.015) << width << " x " << height;
  // The corona closes on itself: no step between the rows just above and
  // below the centre at nine o'clock, nor elsewhere along a ring around it.
  int step = 0;
  for (int x = 50; x < 150; ++x) {
    const uint8_t* above = eclipse.rgb.data() + 258 * eclipse.stride + static_cast<size_t>(x) * 3;
    const uint8_t* below = eclipse.rgb.data() + 254 * eclipse.stride + static_cast<size_t>(x) * 3;
    step = std::max(step, std::abs(above[2] - below[2]));
  }
  EXPECT_LT(step, 12);
  // The moon's rim is smoothed: most pixels on it, an ellipse of 78 x 104
  // pixels, are neither black nor full corona.
  int rim = 0;
  int between = 0;
  for (int y = 140; y < 372; ++y) {
    for (int x = 160; x < 352; ++x) {
      const float q = std::hypot((x + 0.5f - 256.0f) / 78.0f, (y + 0.5f - 256.0f) / 104.0f);
      if (std::fabs(q - 1.0f) > 0.004f) continue;
      ++rim;
      const uint8_t blue = eclipse.rgb[static_cast<size_t>(y) * eclipse.stride + static_cast<size_t>(x) * 3 + 2];
      between += blue > 20 && blue < 235;
    }
  }
  EXPECT_GT(rim, 20);
  EXPECT_GT(between, rim / 2) << between << " of " << rim;
}

TEST(PictureGenerator, PaintsTheSameBytesEveryTime) {
  const fs::path again =
      fs::temp_directory_path() / ("vorran-pictures-" + std::to_string(getpid()));
  const fs::path sheet = again / "preview";
  ASSERT_EQ(std::system((std::string(VORRAN_PICTURE_GENERATOR) + " " + again.string() + " --preview " +
                         sheet.string()).c_str()),
            0);
  // The contact sheet: 8 columns of 176 pixels, 7 rows of 146 (52 pictures),
  // as the PNG header's width and height say.
  const std::string png = fileContents(sheet / "contact-sheet.png");
  ASSERT_GT(png.size(), 24u);
  const auto big32 = [&](size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(png[at])) << 24 |
           static_cast<uint32_t>(static_cast<uint8_t>(png[at + 1])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(png[at + 2])) << 8 | static_cast<uint8_t>(png[at + 3]);
  };
  EXPECT_EQ(big32(16), 8u * 176u);
  EXPECT_EQ(big32(20), 7u * 146u);
  for (const std::string& file : expectedFiles()) {
    EXPECT_TRUE(fileContents(again / file) == fileContents(folder / fs::path(file).filename()))
        << file;
  }
  fs::remove_all(again);
}

}  // namespace
