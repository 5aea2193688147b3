// The title cards of the second half (entries 92 to 108) as the Timeline
// shows them: the countdown from 14 to 0 over five entries, its pulse, the
// explanation lines flying in, every effect alive in its insets, and the
// line tables that every explanation init installs afresh.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <cstring>
#include <string>

#include "runtime/text.h"
#include "scenes/titles/explanationScreens.h"
#include "scenes/titles/titleCards.h"
#include "tests/gl/sceneCapture.h"

namespace {

constexpr int fps = 20;

// The light strokes of the countdown and the bonus, (0.95, 0.9, 0.95); the
// decoration's reddish lines are told apart by their green.
bool announcement(Rgb c) { return c.r > 100 && c.g > 95 && c.b > 100 && c.g + 15 >= c.r; }

// The countdown's strokes, jittered over the slate background, brighter than
// the level, in the window's middle band below the title. Unlike the
// decoration's lines they are at least as blue as red.
Box countdownNumberBox(const ReadBack& f, int level) {
  return f.extent(200, 600, 150, 412, [level](Rgb c) { return c.r > level && c.b >= c.r; });
}

// The explanation text, (0.82, 0.82, 0.75): grey-yellow, unlike the slate
// background, the black shadows and the white-yellow title.
int explanationPixels(const ReadBack& f, int y0, int y1) {
  return f.count(0, 600, y0, y1, [](Rgb c) { return c.r > 60 && std::abs(c.r - c.g) <= 3 && c.b + 8 < c.r && c.b > 0.8 * c.r; });
}

TEST(TitleCardsInCapture, TheCountdownRunsFrom14To0OverFiveEntriesAndPulsesOncePerEntry) {
  captureReadBack(false);
  ASSERT_TRUE(runUntil(89, 229000, 2));
  captureReadBack(true);
  ASSERT_TRUE(runUntil(92, 0, fps));
  EXPECT_EQ(countdownNumber(), 14);
  const int32_t start = current.timelineMs;
  bool seen[97] = {};
  int32_t zeroAt = -1;
  Box rest, swollen;
  double restPulse = 0.0, swollenPulse = 0.0;
  // Every frame of the five entries.
  while (current.entry <= 96) {
    current = captureCycle(fps);
    if (!current.displayed || current.entry > 96) continue;
    // One a second from the first frame of entry 92, within a frame.
    const int32_t t = current.timelineMs - start + current.frameMs;
    const int n = countdownNumber();
    const int32_t slack = 2 * current.frameMs;
    EXPECT_TRUE(n >= 14 - (t + slack) / 1000 && n <= 14 - (t - slack) / 1000) << t << ": " << n;
    seen[current.entry] = true;
    if (n == 0 && zeroAt < 0) zeroAt = current.timelineMs;
    // Entry 94 swells at 300 ms in (half a sine over 600 ms), still 85 %
    // black, and rests after.
    const int32_t in94 = current.timelineMs - 7487;
    // The pulse's sine stands in the card's first value.
    if (current.entry == 94 && std::abs(in94 - 300) <= 25) {
      swollen = countdownNumberBox(capturedFrame(), 20);
      swollenPulse = titleCards.card.cardFade;
    }
    if (current.entry == 94 && in94 >= 3000 && rest.top < 0) {
      rest = countdownNumberBox(capturedFrame(), 100);
      restPulse = titleCards.card.cardFade;
    }
  }
  for (int e = 92; e <= 96; ++e) EXPECT_TRUE(seen[e]) << e;
  EXPECT_TRUE(zeroAt >= 13950 && zeroAt <= 14050) << zeroAt;
  EXPECT_EQ(countdownNumber(), 0);
  // The projection is 0.4 - 0.05 pulse of the card: at the height of the
  // pulse the number is 0.4 / 0.35 = 1.14 times its resting size (the phase
  // stops a step past half a turn, where the pulse may be a little below 0).
  EXPECT_NEAR(swollenPulse, 1.0, 0.04);
  EXPECT_TRUE(restPulse <= 0.0 && restPulse > -0.27) << restPulse;
  const double ratio = double(swollen.top - swollen.bottom) / double(rest.top - rest.bottom);
  EXPECT_NEAR(ratio, (0.4 - 0.05 * restPulse) / (0.4 - 0.05 * swollenPulse), 0.08)
      << swollen.top << " " << swollen.bottom << " / " << rest.top << " " << rest.bottom;
  // The coloured number stands at 510 + 30 pulse of the projection's height.
  auto base = [](double pulse) { return (510.0 + 30.0 * pulse) / (1080.0 - 135.0 * pulse) * 600.0; };
  // The jitter lifts the copies by up to 2.4 pixels.
  EXPECT_NEAR(swollen.bottom, base(swollenPulse), 5.0);
  EXPECT_NEAR(rest.bottom, base(restPulse), 5.0);
}

constexpr Rgb black{0, 0, 0};

// An inset shows its effect live: between two frames half a second apart the
// picture inside its border changes, and the border's colour lies on its
// sides. A border one pixel wide runs along the inset's very edge, and only
// its upper and right sides stay inside the window pixels of the inset.
void expectLiveInset(const ReadBack& a, const ReadBack& b, const PixelRect& r, Rgb border, int entry,
                     bool wideBorder = true) {
  const int x0 = r.x + 3, x1 = r.x + r.width - 3, y0 = r.y + 3, y1 = r.y + r.height - 3;
  int changed = 0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const Rgb p = a.at(x, y), q = b.at(x, y);
      changed += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > 24 ? 1 : 0;
    }
  }
  EXPECT_GT(changed, 30) << "entry " << entry << " inset at " << r.x << ", " << r.y;
  auto isBorder = [&](Rgb c) { return near(c, border.r, border.g, border.b, 12); };
  const int midX = r.x + r.width / 2, midY = r.y + r.height / 2;
  if (wideBorder) {
    EXPECT_GT(b.count(r.x - 1, r.x + 2, midY - 20, midY + 20, isBorder), 30) << "left side, entry " << entry;
    EXPECT_GT(b.count(midX - 20, midX + 20, r.y - 1, r.y + 2, isBorder), 30) << "bottom, entry " << entry;
  }
  EXPECT_GT(b.count(r.x + r.width - 2, r.x + r.width + 1, midY - 20, midY + 20, isBorder), 30)
      << "right side, entry " << entry;
  EXPECT_GT(b.count(midX - 20, midX + 20, r.y + r.height - 2, r.y + r.height + 1, isBorder), 30)
      << "top, entry " << entry;
}

// Entries 98 to 106 start every 5 s from 20 s on; their fade is over 4 s in.
void expectLiveInsets(int entry, int insets, Rgb border, bool wideBorder = true) {
  const int32_t start = (entry - 94) * 5000;
  ASSERT_TRUE(runUntil(entry, start + 4200, fps)) << entry;
  const ReadBack a = capturedFrame();
  ASSERT_TRUE(runUntil(entry, start + 4700, fps)) << entry;
  const ReadBack b = capturedFrame();
  for (int i = 0; i < insets; ++i) expectLiveInset(a, b, cardInset(entry, i), border, entry, wideBorder);
}

TEST(TitleCardsInCapture, EachEffectCardFadesInOver4sAndShowsItsEffectAlive) {
  // Entry 97 starts at 14.7 s: the fade counter passes 200 after 4 s, 2.5 a
  // frame, and then stands still.
  ASSERT_TRUE(runUntil(97, 0, fps));
  float passed = 0.0f;
  int32_t passedAt = -1;
  ReadBack a, b;
  while (runUntil(97, 0, fps) && current.timelineMs < 19800) {
    const float fade = titleCards.card.cardFade;
    if (passedAt < 0 && fade > 200.0f) passed = fade, passedAt = current.timelineMs;
    EXPECT_TRUE(passedAt < 0 || fade == passed) << current.timelineMs;
    if (current.timelineMs <= 18900) a = capturedFrame();
    if (current.timelineMs <= 19400) b = capturedFrame();
  }
  EXPECT_EQ(passed, 202.5f);
  EXPECT_TRUE(passedAt >= 18700 && passedAt <= 18800) << passedAt;
  for (int i = 0; i < 3; ++i) expectLiveInset(a, b, cardInset(97, i), black, 97, false);
  // Each entry lasts 5 s from 15 s on; 99, the bibliography, has no inset.
  expectLiveInsets(98, 1, black);
  expectLiveInsets(100, 3, black, false);
  expectLiveInsets(101, 1, black);
  expectLiveInsets(102, 1, black);
  expectLiveInsets(103, 3, black);
}

TEST(TitleCardsInCapture, WithNineLinesTheNinthSettlesLast) {
  // Entry 104 from 50 s. Half-way through the slide (sin 45 degrees), the
  // first line (k = 9) has settled at base 1720 of 4320 (window y 239) while
  // the ninth (k = 1, base 360, y 50) is still 0.29 of its way out; once the
  // slide is over, it has arrived.
  ASSERT_TRUE(runUntil(104, 52500, fps));
  EXPECT_NEAR(titleCards.card.slideSine, std::sin(M_PI / 4.0), 0.02);
  ReadBack f = capturedFrame();
  EXPECT_GT(explanationPixels(f, 236, 256), 300);
  EXPECT_EQ(explanationPixels(f, 46, 66), 0);
  expectLiveInsets(104, 1, black);
  ASSERT_TRUE(runUntil(104, 54950, fps));
  EXPECT_NEAR(titleCards.card.slideSine, 1.0, 0.001);
  f = capturedFrame();
  EXPECT_GT(explanationPixels(f, 236, 256), 300);
  EXPECT_GT(explanationPixels(f, 44, 66), 150);
  expectLiveInsets(105, 2, {255, 255, 255}, false);
  expectLiveInsets(106, 1, black, false);
}

TEST(TitleCardsInCapture, TheBonusCountsFrom5To0AndItsTitleStartsWithoutAGlError) {
  ASSERT_TRUE(runUntil(107, 0, fps));
  EXPECT_EQ(5 - static_cast<int>(titleCards.bonusCountdown), 5);
  ASSERT_TRUE(runUntil(107, 69950, fps));
  // 0.00105 a millisecond: 0 from 4762 ms on.
  EXPECT_EQ(5 - static_cast<int>(titleCards.bonusCountdown), 0);
  while (glGetError() != GL_NO_ERROR) {
  }
  // The first frame of entry 108 has the projections of three passes at
  // zero size: they are left out.
  ASSERT_TRUE(runUntil(108, 0, fps));
  EXPECT_EQ(titleCards.card.cardFade, 2.5f);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  // Three seconds in, both lines stand large on the card.
  ASSERT_TRUE(runUntil(108, 73000, fps));
  EXPECT_GT(capturedFrame().count(0, 800, 130, 600, announcement), 2000);
}

// Lines of one explanation screen: how many, how many describe the effect,
// and every reference numbered in turn.
struct LineTable {
  void (*init)();
  size_t lines;
  int description;
  int references;
};

TEST(ExplanationScreens, EveryInitEmptiesTheListAndInstallsItsLinesInTheirRoles) {
  const LineTable tables[] = {{humanExplanationInit, 8, 4, 2},    {ropeExplanationInit, 10, 4, 3},
                              {bibliographyInit, 14, 0, 9},       {cradleExplanationInit, 8, 4, 2},
                              {gravityExplanationInit, 7, 4, 1},  {gasExplanationInit, 9, 4, 1},
                              {fluidExplanationInit, 15, 5, 3},   {sandExplanationInit, 9, 4, 1},
                              {waveExplanationInit, 9, 4, 2},     {surfaceExplanationInit, 8, 4, 2}};
  for (int pass = 0; pass < 2; ++pass) {
    for (const LineTable& t : tables) {
      titleCards.card.cardFade = 100.0f;
      titleCards.card.slideAngle = 1.0f;
      t.init();
      EXPECT_TRUE(titleCards.card.cardFade == 0.0f && titleCards.card.slideAngle == 0.0f);
      ASSERT_EQ(explanationScreens.lines.size(), t.lines) << t.lines;
      int j = 0, numbered = 0;
      for (const char* line : explanationScreens.lines) {
        const std::string text = line;
        // Every line fits the 4320 units of the screen from x = 120 on.
        EXPECT_LE(120 + strokeTextWidth(line), 4320) << text;
        if (j < t.description) {
          EXPECT_TRUE(text.size() >= 20 && text.size() <= 56 && text[0] != ' ') << text;
        } else if (t.description > 0 && j == t.description) {
          EXPECT_EQ(text, "      ");
        } else if (t.description > 0 && j == t.description + 1) {
          EXPECT_EQ(text.rfind("Bibliography:", 0), 0u) << text;
        } else if (text.rfind("[" + std::to_string(numbered + 1) + "] ", 0) == 0) {
          ++numbered;
        } else {
          EXPECT_EQ(text.rfind("    ", 0), 0u) << "a continuation line: " << text;
        }
        ++j;
      }
      EXPECT_EQ(numbered, t.references) << t.lines;
    }
  }
}

}  // namespace
