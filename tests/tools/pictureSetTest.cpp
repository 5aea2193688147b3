// The picture set as the build paints it beside the executables: every file
// the loading screen asks for, in the one format the reader converts, with
// the content each scene relies on; and painted the same way every time.
#include <gtest/gtest.h>
#include <unistd.h>

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

TEST(PictureGenerator, PaintsTheSameBytesEveryTime) {
  const fs::path again =
      fs::temp_directory_path() / ("vorran-pictures-" + std::to_string(getpid()));
  ASSERT_EQ(std::system((std::string(VORRAN_PICTURE_GENERATOR) + " " + again.string()).c_str()), 0);
  for (const std::string& file : expectedFiles()) {
    EXPECT_TRUE(fileContents(again / file) == fileContents(folder / fs::path(file).filename()))
        << file;
  }
  fs::remove_all(again);
}

}  // namespace
