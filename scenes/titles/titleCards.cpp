#include "scenes/titles/titleCards.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <numbers>

#include "platform/glutSeam.h"
#include "platform/random.h"
#include "runtime/flatDrawing.h"
#include "runtime/frameFinish.h"
#include "runtime/sequencer.h"
#include "runtime/stateDump.h"
#include "runtime/text.h"
#include "scenes/fields/fluidScene.h"
#include "scenes/fields/gasScene.h"
#include "scenes/fields/gravityScene.h"
#include "scenes/fields/sandScene.h"
#include "scenes/human/humanScene.h"
#include "scenes/planar/ropeScene.h"
#include "scenes/spatial/cradleScene.h"
#include "scenes/surfaces/surfaceScene.h"
#include "scenes/titles/explanationScreens.h"
#include "scenes/wave/waveScenes.h"

TitleCards titleCards;

namespace {

constexpr double pi = std::numbers::pi;

constexpr RgbColour black{0.0f, 0.0f, 0.0f};
constexpr RgbColour white{1.0f, 1.0f, 1.0f};
// The countdown, the bibliography and the bonus cards.
constexpr RgbColour announcementColour{0.95f, 0.9f, 0.95f};
// The effect cards' titles.
constexpr RgbColour effectTitleColour{1.0f, 1.0f, 0.95f};
// The explanation lines over their black shadows.
constexpr RgbColour explanationColour{0.82f, 0.82f, 0.75f};

// The explanation lines are laid out on 1.6 times the card's area.
constexpr float explanationUnits = static_cast<float>(cardUnitsX * 1.6);

// frameMs * 0.1 in single precision, times a rate in double precision.
double frameShare(double rate) { return static_cast<double>(static_cast<float>(sequencer.frameMs) * frameScale) * rate; }

OrthoView cardView(double scale) {
  return {0.0f, static_cast<float>(cardUnitsX * scale), 0.0f, static_cast<float>(cardUnitsY * scale)};
}

// Where a text starts so that it stands centred on a projection `width`
// units wide, in whole units.
int centredOrigin(double width, const char* text) {
  return static_cast<int>((width - static_cast<double>(strokeTextWidth(text))) * 0.5);
}

// --- The frame every card shares --------------------------------------------

void beginCard(GLbitfield clearMask = GL_COLOR_BUFFER_BIT) {
  glClearColor(0.25f, 0.25f, 0.375f, 1.0f);
  glClear(clearMask);
  // Text and insets are placed by their projections alone.
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glDisable(GL_LINE_SMOOTH);
  layoutLineWidth(4.0f);
}

// The spectrum, the fade from black as `counter` grows at `rate` up to just
// past 200, and the swap.
void finishCard(float& counter, double rate) {
  drawSpectrum();
  if (counter <= 200.0f) counter = static_cast<float>(counter + frameShare(rate));
  fadeWithDecor(static_cast<float>(1.0 - counter * 0.005));
  swapBuffers();
}

struct TitleLine {
  const char* text;
  float shadowDx, shadowY;
  float colourDx, colourY;
};

struct CardTitle {
  TitleLine lines[2];
  int lineCount;
  double scale;
  // The title's x: this times the origin that centres its first line.
  double originFactor;
  RgbColour colour;
  // The coloured pass's line width; the shadow's is 3.
  float colourLineWidth;
};

// Each line twice, jittered: in black at its shadow position, then in the
// title colour.
void drawTitle(const CardTitle& title) {
  const OrthoView view = cardView(title.scale);
  const int origin = centredOrigin(cardUnitsX * title.scale, title.lines[0].text);
  const auto x = static_cast<float>(title.originFactor * origin);
  for (int n = 0; n < title.lineCount; ++n) {
    const TitleLine& line = title.lines[n];
    layoutLineWidth(3.0f);
    drawJitterText({.colour = black, .view = view, .x = x, .dx = line.shadowDx, .y = line.shadowY}, line.text);
    layoutLineWidth(title.colourLineWidth);
    drawJitterText({.colour = title.colour, .view = view, .x = x, .dx = line.colourDx, .y = line.colourY}, line.text);
  }
}

// --- The countdown ------------------------------------------------------------

constexpr CardTitle countdownTitle{
    {{"Everything is (was!) a realtime effect...", 0.0f, 1900.0f, 10.0f, 1910.0f}}, 1, 1.0, 1.0,
    announcementColour, 3.0f};

void advanceCountdown() {
  titleCards.countdownSeconds = static_cast<float>(titleCards.countdownSeconds + frameShare(0.01));
}

// A number as the cards print it; the newline has no glyph.
struct NumberText {
  char text[16];
  explicit NumberText(int n) { std::snprintf(text, sizeof text, "%d\n", n); }
};

// The number in black at (x, y) and in the announcement colour 10 units
// right and up.
void drawNumberPair(const NumberText& number, const OrthoView& view, float x, float y) {
  drawJitterText({.colour = black, .view = view, .x = x, .dx = 0.0f, .y = y}, number.text);
  drawJitterText({.colour = announcementColour, .view = view, .x = x, .dx = 10.0f, .y = y + 10.0f}, number.text);
}

// --- The explanation lines ------------------------------------------------------

// How the lines of a card fly in. Line j rests at base y = firstBase - step j,
// its shadow at (110, base - 10) and its text at (120, base); on the way
// each position and projection edge is off by its coefficient times
// R = (1 - slideSine)^k, with k = firstK - j, so that the earlier lines
// settle first.
struct LineFlight {
  float firstBase, step;
  int firstK;
  float shadowX, shadowY, shadowRight, shadowTop;
  float textX, textDx, textY, textRight, textTop;
};

// Over 5 s the slide angle reaches a quarter turn.
void advanceSlide() {
  TitleCardState& c = titleCards.card;
  if (c.slideAngle < static_cast<float>(pi / 2.0)) {
    c.slideAngle = static_cast<float>(c.slideAngle + frameShare(pi / 1000.0));
  } else {
    c.slideAngle = static_cast<float>(pi / 2.0);
  }
  c.slideSine = static_cast<float>(std::sin(static_cast<double>(c.slideAngle)));
}

// The exponent of line j. A line past the first k would get k = 0 and stay
// off-screen for good; it moves like the line before it instead.
int flightExponent(const LineFlight& f, int j) { return std::max(f.firstK - j, 1); }

void drawExplanationLines(const LineFlight& f) {
  advanceSlide();
  const double rest = 1.0 - static_cast<double>(titleCards.card.slideSine);
  int j = 0;
  for (const char* line : explanationScreens.lines) {
    const float base = f.firstBase - f.step * static_cast<float>(j);
    const auto r = static_cast<float>(std::pow(rest, flightExponent(f, j)));
    layoutLineWidth(2.0f);
    drawPlainText({.colour = black,
                   .view = {0.0f, explanationUnits + f.shadowRight * r, 0.0f, explanationUnits + f.shadowTop * r},
                   .x = 110.0f + f.shadowX * r,
                   .y = base - 10.0f + f.shadowY * r},
                  line);
    layoutLineWidth(1.0f);
    drawPlainText({.colour = explanationColour,
                   .view = {0.0f, explanationUnits + f.textRight * r, 0.0f, explanationUnits + f.textTop * r},
                   .x = 120.0f + f.textX * r,
                   .dx = f.textDx * r,
                   .y = base + f.textY * r},
                  line);
    ++j;
  }
}

// --- The insets -------------------------------------------------------------------

using CardDrawing = void (*)();

struct InsetStyle {
  bool filled;
  RgbColour background;
  // The depth buffer is cleared between the background and the effect.
  bool clearDepth;
  RgbColour border;
  float borderWidth;
};

// One effect view: its viewport and the unit projection, the background,
// the effect's own card drawing, the border; then the whole screen again.
void drawInset(const PixelRect& r, const InsetStyle& style, CardDrawing draw) {
  layoutViewport(r);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluOrtho2D(-1.0, 1.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  layoutLineWidth(2.0f);
  if (style.filled) {
    glColor3f(style.background.red, style.background.green, style.background.blue);
    drawRectangle(-1.0f, -1.0f, 1.0f, 1.0f);
  }
  if (style.clearDepth) glClear(GL_DEPTH_BUFFER_BIT);
  draw();
  layoutLineWidth(style.borderWidth);
  glColor3f(style.border.red, style.border.green, style.border.blue);
  drawOutline(-1.0f, -1.0f, 1.0f, 1.0f);
  windowViewport();
}

constexpr InsetStyle blackInset{true, black, false, black, 2.0f};
constexpr InsetStyle engineInset{true, {0.51f, 0.52f, 0.53f}, true, black, 1.0f};

struct EffectCard {
  int entry;
  CardTitle title;
  LineFlight flight;
  // The 3D cards clear the depth buffer with the colour.
  GLbitfield clearMask;
  int insetCount;
  CardDrawing drawings[3];
  InsetStyle inset;
  // The wave card's net is drawn without depth testing, and the card
  // leaves it off.
  bool depthTestOffAfter = false;
};

void drawEffectCard(const EffectCard& card) {
  beginCard(card.clearMask);
  drawTitle(card.title);
  drawExplanationLines(card.flight);
  for (int i = 0; i < card.insetCount; ++i) drawInset(cardInset(card.entry, i), card.inset, card.drawings[i]);
  if (card.depthTestOffAfter) glDisable(GL_DEPTH_TEST);
  finishCard(titleCards.card.cardFade, 0.5);
}

constexpr LineFlight nineLines(float shadowX, float shadowY, float textX, float textDx, float textY) {
  return {1720.0f, 170.0f, 9, shadowX, shadowY, 0.0f, 0.0f, textX, textDx, textY, 0.0f, 0.0f};
}

constexpr GLbitfield colourOnly = GL_COLOR_BUFFER_BIT;
constexpr GLbitfield colourAndDepth = GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT;

constexpr EffectCard humanCard{
    97,
    {{{"Human Body Motion", 350.0f, 1780.0f, 360.0f, 1790.0f}}, 1, 0.8, 1.0, effectTitleColour, 2.0f},
    {1720.0f, 170.0f, 9, 4000.0f, 4000.0f, 18000.0f, 0.0f, 0.0f, 0.0f, -3000.0f, 0.0f, 18000.0f},
    colourAndDepth,
    3,
    {drawHumanView, drawHumanView, drawHumanView},
    engineInset};

constexpr EffectCard ropeCard{
    98,
    {{{"Complexive \"Vorran\" Engine", -432.0f, 2412.0f, -441.0f, 2421.0f}}, 1, 1.08, 1.0, effectTitleColour, 2.0f},
    nineLines(4000.0f, 0.0f, 4000.0f, 0.0f, 0.0f),
    colourOnly,
    1,
    {drawRopeCard},
    blackInset};

constexpr EffectCard bibliographyCard{
    99,
    {{{"Bibliography:", 0.0f, 1100.0f, 10.0f, 1110.0f}}, 1, 0.5, 1.0, announcementColour, 3.0f},
    {3180.0f, 210.0f, 14, 4000.0f, -4000.0f, 14000.0f, 18000.0f, 4000.0f, 0.0f, 4000.0f, 0.0f, 0.0f},
    colourOnly,
    0,
    {},
    blackInset};

constexpr EffectCard cradleCard{
    100,
    {{{"Three dimensional", 360.0f, 2384.0f, 368.0f, 2392.0f},
      {" .\"Vorran\". Engine", 360.0f, 2144.0f, 368.0f, 2152.0f}},
     2,
     0.96,
     0.8,
     effectTitleColour,
     2.0f},
    nineLines(3000.0f, 4000.0f, 0.0f, -4000.0f, -3000.0f),
    colourAndDepth,
    3,
    {drawCradleCardView, drawCradleCardView, drawCradleCardView},
    engineInset};

constexpr EffectCard gravityCard{
    101,
    {{{"Gravity field", -135.0f, 2412.0f, -144.0f, 2421.0f},
      {"  - realtime calculations", -135.0f, 2232.0f, -144.0f, 2241.0f}},
     2,
     1.08,
     0.9,
     effectTitleColour,
     2.0f},
    nineLines(4000.0f, 4000.0f, 4000.0f, 0.0f, -4000.0f),
    colourOnly,
    1,
    {drawGravityCard},
    blackInset};

constexpr EffectCard gasCard{
    102,
    {{{"Cellular Automata", 337.5f, 2010.0f, 345.0f, 2017.5f}, {" - Gas Diffusion", 337.5f, 1635.0f, 345.0f, 1642.5f}},
     2,
     0.9,
     1.0,
     effectTitleColour,
     2.0f},
    nineLines(0.0f, 4000.0f, 0.0f, 0.0f, -4000.0f),
    colourOnly,
    1,
    {drawGasCard},
    blackInset};

constexpr EffectCard fluidCard{
    103,
    {{{"Solver of incompressible, viscous fluid", -250.0f, 3080.0f, -260.0f, 3090.0f},
      {"- based on Navier-Stokes equations", -250.0f, 2880.0f, -260.0f, 2890.0f}},
     2,
     1.2,
     1.0,
     effectTitleColour,
     2.0f},
    {2620.0f, 170.0f, 15, -4000.0f, -4000.0f, 0.0f, 0.0f, 4000.0f, 0.0f, 0.0f, 0.0f, 0.0f},
    colourOnly,
    3,
    {drawFluidCard, drawFluidCard, drawFluidCard},
    {true, white, false, black, 2.0f}};

constexpr EffectCard sandCard{
    104,
    {{{"Cellular Automata - Sand", 300.0f, 1860.0f, 307.5f, 1867.5f}}, 1, 0.9, 1.0, effectTitleColour, 2.0f},
    nineLines(0.0f, 4000.0f, 0.0f, 0.0f, -4000.0f),
    colourOnly,
    1,
    {drawSandCard},
    {false, black, false, black, 2.0f}};

constexpr EffectCard waveCard{
    105,
    {{{"Ordinary Wave Equation Solver", -250.0f, 2197.6f, -260.0f, 2205.8f}}, 1, 1.0, 1.0, effectTitleColour, 2.0f},
    nineLines(4000.0f, 4000.0f, -3000.0f, 0.0f, 3000.0f),
    colourOnly,
    2,
    {drawWaveCard, drawWaveCardWire},
    {true, {0.1f, 0.1f, 0.1f}, false, white, 1.0f},
    true};

constexpr EffectCard surfaceCard{
    106,
    {{{"Colliding Surfaces", 350.0f, 1680.0f, 360.0f, 1690.0f}}, 1, 0.8, 1.0, effectTitleColour, 2.0f},
    nineLines(4000.0f, -4000.0f, 0.0f, 0.0f, -3000.0f),
    colourOnly,
    1,
    {drawSurfaceCardView},
    {true, {0.51f, 0.52f, 0.53f}, false, black, 1.0f}};

// --- The bonus ----------------------------------------------------------------------

constexpr CardTitle bonusTitle{
    {{"And small bonus now...", 0.0f, 1800.0f, 10.0f, 1810.0f}}, 1, 1.0, 1.0, announcementColour, 3.0f};

// One pass of the zooming title. A projection that has shrunk to nothing
// (at the first frame, or where the fade lands on exactly 200) shows
// nothing; its jitter draws are still taken, so the shared generator runs
// as on every other frame.
void drawZoomPass(const RgbColour& colour, double right, double top, float x, float dx, float y, const char* text) {
  if (right == 0.0 || top == 0.0) {
    for (int draw = 0; draw < 10; ++draw) demoRand();
    return;
  }
  drawJitterText({.colour = colour,
                  .view = {0.0f, static_cast<float>(right), 0.0f, static_cast<float>(top)},
                  .x = x,
                  .dx = dx,
                  .y = y},
                 text);
}

}  // namespace

void titleResetInit() {
  titleCards.card = {};
  titleCards.countdownSeconds = 0.0f;
}

void titleCardInit() { titleCards.card = {}; }

int countdownNumber() { return 14 - static_cast<int>(titleCards.countdownSeconds); }

void countdownDisplay() {
  beginCard();
  drawTitle(countdownTitle);
  advanceCountdown();
  const NumberText number(countdownNumber());
  const OrthoView view = cardView(0.4);
  drawNumberPair(number, view, static_cast<float>(centredOrigin(cardUnitsX * 0.4, number.text)), 500.0f);
  finishCard(titleCards.card.cardFade, 0.5);
}

void pulsingCountdownDisplay() {
  TitleCardState& c = titleCards.card;
  beginCard();
  drawTitle(countdownTitle);
  advanceCountdown();
  // Half a sine over 600 ms: the number swells by up to 14 % and its shadow
  // draws apart from it.
  if (c.slideAngle <= static_cast<float>(pi)) c.slideAngle = static_cast<float>(c.slideAngle + frameShare(pi / 60.0));
  c.cardFade = static_cast<float>(std::sin(static_cast<double>(c.slideAngle)));
  const double pulse = c.cardFade;
  const double width = cardUnitsX * 0.4 - cardUnitsX * pulse * 0.05;
  const double height = cardUnitsY * 0.4 - cardUnitsY * pulse * 0.05;
  const NumberText number(countdownNumber());
  const OrthoView view{0.0f, static_cast<float>(width), 0.0f, static_cast<float>(height)};
  const int origin = centredOrigin(width, number.text);
  const double q = cardUnitsX * pulse;
  drawJitterText({.colour = black,
                  .view = view,
                  .x = static_cast<float>(origin + 0.005 * q),
                  .dx = 0.0f,
                  .y = static_cast<float>(500.0 - 30.0 * pulse)},
                 number.text);
  drawJitterText({.colour = announcementColour,
                  .view = view,
                  .x = static_cast<float>(origin - 0.005 * q),
                  .dx = 10.0f,
                  .y = static_cast<float>(510.0 + 30.0 * pulse)},
                 number.text);
  // Its fade counter is the third value: in from black over 2 s.
  finishCard(c.slideSine, 1.0);
}

void countdownGridDisplay() {
  beginCard();
  advanceCountdown();
  layoutLineWidth(3.0f);
  const NumberText number(countdownNumber());
  const OrthoView view = cardView(0.4);
  for (int x = 0; x <= 960; x += 160) {
    for (int y = 0; y <= 960; y += 120) drawNumberPair(number, view, static_cast<float>(x), static_cast<float>(y));
  }
  finishCard(titleCards.card.cardFade, 4.5);
}

void bonusCountdownDisplay() {
  beginCard();
  drawTitle(bonusTitle);
  titleCards.bonusCountdown = static_cast<float>(titleCards.bonusCountdown + frameShare(0.0105));
  const NumberText number(5 - static_cast<int>(titleCards.bonusCountdown));
  drawNumberPair(number, cardView(0.15), static_cast<float>(centredOrigin(cardUnitsX * 0.15, number.text)), 110.0f);
  finishCard(titleCards.card.cardFade, 0.5);
}

void bonusTitleDisplay() {
  beginCard();
  layoutLineWidth(4.0f);
  // e runs from 0 to 1 over the fade-in; every line is centred on a width
  // that grows with it, while each pass's projection grows or shrinks.
  const double e = titleCards.card.cardFade * 0.005;
  const double g = 1.0 - e;
  const double units = 1.3 * cardUnitsX;
  const double unitsY = 1.3 * cardUnitsY;
  const char* equation = "SHROEDINGER equation";
  const char* solver = "realtime solver!!!";
  const auto equationX = static_cast<float>(centredOrigin(units * e, equation));
  const auto solverX = static_cast<float>(centredOrigin(units * e, solver));
  const auto drift = static_cast<float>(50.0 * g);
  drawZoomPass(black, units * g, unitsY * g, equationX, drift, 700.0f, equation);
  drawZoomPass(announcementColour, units * g, unitsY * e, equationX, drift + 10.0f, 710.0f, equation);
  drawZoomPass(black, units * e, unitsY * g, solverX, 10.0f, 300.0f, solver);
  drawZoomPass(announcementColour, units * e, unitsY * g, solverX, 20.0f, 310.0f, solver);
  finishCard(titleCards.card.cardFade, 0.5);
}

void humanCardDisplay() { drawEffectCard(humanCard); }
void ropeCardDisplay() { drawEffectCard(ropeCard); }
void bibliographyDisplay() { drawEffectCard(bibliographyCard); }
void cradleCardDisplay() { drawEffectCard(cradleCard); }
void gravityCardDisplay() { drawEffectCard(gravityCard); }
void gasCardDisplay() { drawEffectCard(gasCard); }
void fluidCardDisplay() { drawEffectCard(fluidCard); }
void sandCardDisplay() { drawEffectCard(sandCard); }
void waveCardDisplay() { drawEffectCard(waveCard); }
void surfaceCardDisplay() { drawEffectCard(surfaceCard); }

PixelRect cardInset(int entry, int i) {
  const double w = screenWidth;
  const double h = screenHeight;
  const double a = w / h;
  // A side of the inset: whole pixels, truncated.
  const auto px = [](double v) { return static_cast<int>(v); };
  const int smallWidth = px(w / (3.7 * a));
  const int smallHeight = px(h / (2.9 * a));
  switch (entry) {
    case 101:
    case 102:
    case 104:
      if (i == 0) return {px(w / (15.4 * a)), px(0.6875 * h), smallWidth, smallHeight};
      break;
    case 106:
      if (i == 0) return {px(w / (16.4 * a)), px(0.6875 * h), smallWidth, smallHeight};
      break;
    case 98:
      if (i == 0) return {px(w - w / (3.0 * a) - w / 18.0), px(h - 0.32258 * h), px(w / (3.0 * a)), px(h / (2.4 * a))};
      break;
    case 97:
    case 100:
      if (i >= 0 && i < 3) return {px(i * w * 0.25 + w / (5.4 * a)), px(h - 0.47619 * h), smallWidth, smallHeight};
      break;
    case 103:
      if (i >= 0 && i < 3) return {px(w - 225.0 * (i + 1)), px(h - 180.0), 150, 75};
      break;
    case 105:
      if (i == 0) return {px(w - w / (1.2 * a) - w / (16.4 * a)), px(0.5 * h), smallWidth, smallHeight};
      if (i == 1) return {px(w - w / (3.7 * a) - w / (3.4 * a)), px(0.5 * h), smallWidth, smallHeight};
      break;
    default:
      break;
  }
  return {};
}

void dumpTitleCards(const std::string& frameDirectory) {
  const TitleCardState& c = titleCards.card;
  float values[10] = {c.cardFade, c.slideAngle, c.slideSine};
  std::copy(std::begin(c.spare), std::end(c.spare), values + 3);
  writeNpy(frameDirectory + "/titleCardState.npy", values, {10});
  JsonScalars json;
  json.add("cardFade", c.cardFade);
  json.add("slideAngle", c.slideAngle);
  json.add("slideSine", c.slideSine);
  json.add("countdownSeconds", titleCards.countdownSeconds);
  json.add("bonusCountdown", titleCards.bonusCountdown);
  json.write(frameDirectory + "/titleCards.json");
}
