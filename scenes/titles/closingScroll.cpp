#include "scenes/titles/closingScroll.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>

#include "platform/glutSeam.h"
#include "runtime/frameFinish.h"
#include "runtime/screen.h"
#include "runtime/sequencer.h"
#include "runtime/stateDump.h"
#include "runtime/text.h"
#include "scenes/credits.h"

ClosingScroll closingScroll;

// The credit lines name the people of scenes/credits.h.
const std::vector<ScrollRun> scrollRuns = {
    {15, ""},
    {1, "  .The End.  "},
    {10, ""},
    {1, "You have been watching"},
    {3, ""},
    {1, productionTitle},
    {2, ""},
    {1, "by"},
    {2, ""},
    {1, "BRISKO"},
    {5, ""},
    {1, "credits:"},
    {1, ""},
    {1, "code, physics, math: Rdzen"},
    {1, "graphics: Kreska"},
    {1, "textures: Ruta"},
    {1, "music: Szmer"},
    {1, ""},
    {1, "Thanks to all who watched"},
    {1, "our test runs and told us"},
    {1, "which scenes were too long:"},
    {1, "the design is better for it."},
    {2, ""},
    {1, " (you can press esc now, scroll will be long...)"},
    {3, ""},
    {1, "A few words from Rdzen"},
    {1, ""},
    {1, "It began with one pendulum"},
    {1, "on a black screen and a"},
    {1, "question: how much physics"},
    {1, "can a home computer work"},
    {1, "out live, frame by frame?"},
    {1, "Every ball, ripple and grain"},
    {1, "you saw was computed while"},
    {1, "you watched. If one of them"},
    {1, "makes you want to write your"},
    {1, "own, it was worth the nights."},
    {6, ""},
    {722, " no scroll more"},
    {216, ""},
    {1, restartMarker},
};

namespace {

float frameStep(float rate) { return static_cast<float>(sequencer.frameMs) * frameScale * rate; }

// Back to the top: state and sway at 0, the first line again. scrollBase
// keeps what it has gathered.
void restartScroll() {
  ClosingScroll& s = closingScroll;
  s.state = {};
  textState.swayPhase = 0.0f;
  s.scrollIndex = 0;
  hideCursor();
}

// The projection breathes between 2700 and 3600 units every 6667 ms.
void breathe() {
  ClosingScroll& s = closingScroll;
  // 3 pi / 1000 a unit of frame time.
  s.state.breathPhase = static_cast<float>(static_cast<double>(s.state.breathPhase) +
                                           static_cast<double>(frameStep(1.0f)) * 0.00942477796076938);
  const float b = static_cast<float>((std::sin(static_cast<double>(s.state.breathPhase)) + 1.0) * (1.0 / 6.0));
  s.scrollView[0] = static_cast<int32_t>((b + 1.0f) * static_cast<float>(s.scrollUnits[0]));
  s.scrollView[1] = static_cast<int32_t>(static_cast<float>(s.scrollUnits[1]) * b + static_cast<float>(s.scrollUnits[1]));
}

// Up by 0.2 units a millisecond: a line of 150 units every 750 ms. Past 0.075
// of a line the window moves on by one and the base takes up the remainder.
void scroll() {
  ClosingScroll& s = closingScroll;
  s.state.scrollOffset += frameStep(0.001f);
  textState.swayPhase += frameStep(0.0025f);
  if (s.state.scrollOffset > 0.075f) {
    s.scrollBase += s.state.scrollOffset * 2000.0f - 150.0f;
    s.state.scrollOffset = 0.0f;
    s.scrollIndex += 1;
  }
}

}  // namespace

void scrollInit() {
  ClosingScroll& s = closingScroll;
  s.state = {};
  // Laid out afresh, so that another start of this entry finds the text once.
  s.scrollLines.clear();
  s.scrollLines.reserve(scrollLineCount);
  for (const ScrollRun& run : scrollRuns) s.scrollLines.insert(s.scrollLines.end(), run.count, run.line);
  s.scrollIndex = 0;
  hideCursor();
}

void scrollDisplay() {
  ClosingScroll& s = closingScroll;
  glClearColor(0.25f, 0.25f, 0.375f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_BLEND);
  glDisable(GL_LINE_SMOOTH);
  layoutLineWidth(4.0f);
  breathe();
  scroll();

  // The window of lines starts one past the lines scrolled by.
  const OrthoView view{0.0f, static_cast<float>(s.scrollView[0]), 0.0f, static_cast<float>(s.scrollView[1])};
  const size_t first = static_cast<size_t>(s.scrollIndex) + 1;
  const float top = s.state.scrollOffset * 2000.0f + s.scrollBase;
  for (size_t i = 0; i < scrollWindowLines && first + i < s.scrollLines.size(); ++i) {
    const char* line = s.scrollLines[first + i];
    const float x = static_cast<float>(
        static_cast<int32_t>(static_cast<double>(s.scrollView[0] - strokeTextWidth(line)) * 0.5));
    const float y = top - 150.0f * static_cast<float>(i);
    // The marker restarts the scroll; this frame still shows its lines.
    if (std::strcmp(line, restartMarker) == 0) {
      restartScroll();
      s.restarts += 1;
    }
    layoutLineWidth(4.0f);
    drawSwayingText({.colour = {0.0f, 0.0f, 0.0f}, .view = view, .x = x, .dx = 0.0f, .y = y}, line);
    layoutLineWidth(2.0f);
    drawSwayingText({.colour = {0.85f, 0.8f, 0.75f}, .view = view, .x = x, .dx = 10.0f, .y = y + 10.0f}, line);
  }

  drawSpectrum();
  // Four seconds from black at the start and after every restart.
  if (s.state.scrollFade <= 200.0f) s.state.scrollFade += frameStep(0.5f);
  fadeWithDecor(1.0f - s.state.scrollFade * 0.005f);
  swapBuffers();
}

void dumpClosingScroll(const std::string& frameDirectory) {
  const ClosingScroll& s = closingScroll;
  JsonScalars json;
  json.add("scrollFade", s.state.scrollFade);
  json.add("scrollOffset", s.state.scrollOffset);
  json.add("breathPhase", s.state.breathPhase);
  json.add("swayPhase", textState.swayPhase);
  json.add("scrollIndex", s.scrollIndex);
  json.add("scrollBase", s.scrollBase);
  json.add("scrollUnitsWidth", s.scrollUnits[0]);
  json.add("scrollUnitsHeight", s.scrollUnits[1]);
  json.add("scrollViewWidth", s.scrollView[0]);
  json.add("scrollViewHeight", s.scrollView[1]);
  json.add("scrollLineCount", static_cast<int64_t>(s.scrollLines.size()));
  json.add("restarts", s.restarts);
  json.write(frameDirectory + "/scroll.json");
}
