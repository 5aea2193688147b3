// The music spectrum and the fade with its decoration rectangles, drawn into
// the 800 x 600 back buffer and probed.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "platform/audio.h"
#include "platform/clock.h"
#include "runtime/frameFinish.h"
#include "runtime/music.h"
#include "runtime/screen.h"
#include "runtime/sequencer.h"
#include "tests/gl/glProbe.h"
#include "tests/support/toneMp3.h"

namespace {

std::string show(Rgb p) {
  return std::to_string(p.r) + "," + std::to_string(p.g) + "," + std::to_string(p.b);
}

TEST(Spectrum, SilenceDrawsOneShortLinePerBinInTheLowerRightCorner) {
  // Silence gives v = -2 in every bin: bins 1 to 79 hang from y = -0.61375
  // down to -0.8 at x = 0.73 + i / 320. Two pixels wide and 1.25 pixels apart
  // they fill the columns 692 (bin 1) to 791 (bin 79) and the rows 60 to 115.
  // Column 691 would carry bin 0, column 792 a bin 80.
  freshCanvas(0.0f);
  drawSpectrum();
  const ReadBack picture = readBackBuffer();
  int wrong = 0;
  for (int y = 0; y < captureHeight; ++y) {
    if (y == 59 || y == 60 || y == 115 || y == 116) continue;  // the ends may fall either way
    for (int x = 0; x < captureWidth; ++x) {
      const bool inside = x >= 692 && x <= 791 && y > 60 && y < 115;
      if (picture.lit(x, y) != inside && ++wrong <= 5) {
        ADD_FAILURE() << "pixel (" << x << ", " << y << ") should be "
                      << (inside ? "lit" : "black");
      }
    }
  }
  EXPECT_EQ(wrong, 0);

  // Where one line alone covers a pixel it shows its vertex colour times its
  // alpha over black: (0.6, 0.5, 0.4) x 0.3 at the top, (0.2, 0.3, 0.4) x 0.2
  // at the bottom. The darkest pixel of a row is such a pixel.
  const auto darkestInRow = [&](int y) {
    Rgb darkest{255, 255, 255};
    for (int x = 692; x <= 791; ++x) {
      if (picture.at(x, y).r < darkest.r) darkest = picture.at(x, y);
    }
    return darkest;
  };
  EXPECT_TRUE(near(darkestInRow(114), 46, 38, 31)) << show(darkestInRow(114));
  EXPECT_TRUE(near(darkestInRow(61), 10, 15, 20)) << show(darkestInRow(61));
}

TEST(Spectrum, ALoudBinHangsItsLineFurthestDownInItsOwnColumn) {
  // A tone on bin 40 reads 0.5 there and 0.25 in bins 39 and 41 (the Hann
  // window): all three lines reach below the screen's bottom. Bin b is drawn
  // at x = 0.73 + (b - 1) / 320, window x 692 + 1.25 (b - 1): 739.5, 740.75
  // and 742, two pixels wide, light the columns 738 to 742.
  const std::vector<uint8_t> mp3 = toneMp3(audioSampleRate, 40, 40);
  ASSERT_TRUE(audioInit());
  music.musicStream = audioStreamFromMemory(mp3.data(), mp3.size());
  ASSERT_TRUE(audioStreamPlay(music.musicStream));
  advanceVirtualClock(500);
  freshCanvas(0.0f);
  drawSpectrum();
  audioStreamFree(music.musicStream);
  music = {};
  const ReadBack picture = readBackBuffer();
  double sum = 0.0;
  int count = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 680; x < 800; ++x) {
      if (picture.lit(x, y)) sum += x, ++count;
    }
  }
  ASSERT_GT(count, 40 * 3);
  EXPECT_NEAR(sum / count, 740.0, 0.5);
}

TEST(Spectrum, LeavesTheUnitProjectionBlendingAndItsColour) {
  freshCanvas(0.0f);
  glMatrixMode(GL_PROJECTION);
  glOrtho(-3.0, 5.0, -2.0, 7.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glTranslatef(0.25f, -0.5f, 0.0f);
  drawSpectrum();

  EXPECT_EQ(glInteger(GL_MATRIX_MODE), GL_MODELVIEW);
  EXPECT_EQ(matrixOf(GL_PROJECTION_MATRIX), affine(1, 1, -1, 0, 0, 0));
  EXPECT_EQ(matrixOf(GL_MODELVIEW_MATRIX), affine(1, 1, 1, 0.25f, -0.5f, 0));
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_EQ(glInteger(GL_BLEND_SRC), GL_SRC_ALPHA);
  EXPECT_EQ(glInteger(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
  std::array<float, 4> colour{};
  glGetFloatv(GL_CURRENT_COLOR, colour.data());
  EXPECT_EQ(colour, (std::array<float, 4>{0.5f, 0.9f, 1.0f, 1.0f}));
  EXPECT_EQ(glFloat(GL_LINE_WIDTH), 2.0f);
}

// The fades, drawn in the unit projection as every scene arranges first.
class Fade : public testing::Test {
 protected:
  void SetUp() override {
    saved_ = sequencer;
    // Rectangle 1 in the middle, 2 and 3 small in opposite corners.
    SequencerState state = sequencer;
    state.decor.rect[0] = {0.5f, 0.0f, 0.0f, 0.2f, 0.1f};
    state.decor.rect[1] = {0.05f, 0.8f, 0.8f, 0.1f, 0.1f};
    state.decor.rect[2] = {0.05f, -0.8f, -0.8f, 0.1f, 0.1f};
    resetSequencer(state);
  }
  void TearDown() override { resetSequencer(saved_); }

 private:
  SequencerState saved_{};
};

TEST_F(Fade, NoFadeLeavesTheSceneFullFadeIsBlackHalfFadeIsGrey) {
  freshCanvas(1.0f);
  fadeWithDecor(0.0f);
  EXPECT_EQ(pixelsOtherThan(readBackBuffer(), 255, 0), 0);

  // The quad winds clockwise: it must cover the screen even with culling on.
  freshCanvas(1.0f);
  glEnable(GL_CULL_FACE);
  fadeWithDecor(1.0f);
  EXPECT_EQ(pixelsOtherThan(readBackBuffer(), 0, 0), 0);
  freshCanvas(1.0f);
  glEnable(GL_CULL_FACE);
  fadeScreen(1.0f);
  EXPECT_EQ(pixelsOtherThan(readBackBuffer(), 0, 0), 0);

  freshCanvas(1.0f);
  glLineWidth(5.0f);
  fadeScreen(0.5f);
  EXPECT_EQ(pixelsOtherThan(readBackBuffer(), 127, 3), 0);
  EXPECT_EQ(glFloat(GL_LINE_WIDTH), 5.0f);
}

TEST_F(Fade, DecorationOutlinesAtTheirFadedSizeAndAlpha) {
  // At f = 0.4 the rectangles have grown by 0.6 of their growth. Rectangle 1:
  // half-width 0.5 + 0.2 x 0.6 = 0.62, half-height 0.5 + 0.1 x 0.6 = 0.56, so
  // its sides stand at window x 152 and 648, y 132 and 468. Its colour
  // (0.6, 0.5, 0.5) at alpha 0.4 over black, then darkened by the quad's 0.6:
  // (36.7, 30.6, 30.6). Rectangles 2 and 3 (half-size 0.11) take alphas 0.16
  // and 0.064 with (0.6, 0.53, 0.46): (14.7, 13.0, 11.3) and (5.9, 5.2, 4.5).
  freshCanvas(0.0f);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_CULL_FACE);
  fadeWithDecor(0.4f);
  const ReadBack picture = readBackBuffer();

  // The brightest pixel of a short run across a side; the pixels eight off
  // the side on either hand are black.
  const auto expectSide = [&](int x, int y, bool vertical, int r, int g, int b) {
    const int dx = vertical ? 1 : 0;
    const int dy = vertical ? 0 : 1;
    Rgb brightest{};
    for (int d = -3; d <= 3; ++d) {
      if (picture.at(x + d * dx, y + d * dy).r > brightest.r)
        brightest = picture.at(x + d * dx, y + d * dy);
    }
    EXPECT_TRUE(near(brightest, r, g, b))
        << "side at (" << x << ", " << y << "): " << show(brightest);
    EXPECT_FALSE(picture.lit(x - 8 * dx, y - 8 * dy) || picture.lit(x + 8 * dx, y + 8 * dy));
  };
  expectSide(152, 300, true, 37, 31, 31);
  expectSide(648, 300, true, 37, 31, 31);
  expectSide(400, 132, false, 37, 31, 31);
  expectSide(400, 468, false, 37, 31, 31);
  expectSide(676, 540, true, 15, 13, 11);  // rectangle 2, left side (x = 0.69)
  expectSide(124, 60, true, 6, 5, 5);      // rectangle 3, right side (x = -0.69)
  EXPECT_FALSE(picture.lit(400, 300));

  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
  EXPECT_EQ(glFloat(GL_LINE_WIDTH), 3.0f);
}

// Frames run through unseen touch no pixel, clears included; the next seen
// frame draws again, and in a window the layout fills exactly its scissor
// is off again.
TEST(UnseenFrames, FillNothingUntilTheyAreSeenAgain) {
  freshCanvas(0.5f);
  setFramesUnseen(true);
  prepareWindowFrame();
  glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  EXPECT_TRUE(near(readBackBuffer().at(400, 300), 128, 128, 128, 1)) << show(readBackBuffer().at(400, 300));
  setFramesUnseen(false);
  prepareWindowFrame();
  EXPECT_EQ(glIsEnabled(GL_SCISSOR_TEST), GL_FALSE);
  glClear(GL_COLOR_BUFFER_BIT);
  EXPECT_TRUE(near(readBackBuffer().at(400, 300), 255, 0, 0, 0));
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
}

}  // namespace
