#pragma once
// The pictures' own stroke font: every glyph is a few lines and elliptic arcs
// on a grid where capitals are 10 units high, small letters 7 and descenders
// reach -3. Strokes are drawn as round-capped lines, so the same font serves
// thin captions and bold titles, upright or slanted, and can be squeezed to
// match the way a picture is stretched on screen.
#include <string>
#include <vector>

#include "tools/pictures/canvas.h"

struct TextStyle {
  // Capital height in pixels.
  float size = 20.0f;
  // Horizontal scale relative to vertical, for pictures shown stretched.
  float aspect = 1.0f;
  // Half the stroke width, as a fraction of the capital height.
  float weight = 0.07f;
  // Horizontal shift per unit of height (0.2 is a comfortable italic).
  float slant = 0.0f;
  // Extra room between glyphs, in tenths of the capital height: lettering
  // drawn narrower than its strokes are thick needs some.
  float tracking = 0.0f;
};

// Text is UTF-8. Besides ASCII the font has the letters and signs of the
// equations: psi, rho, pi, h-bar, partial, nabla, Delta, the superscript two,
// times and the middle dot. A '^' raises the next glyph as an exponent, a '_'
// lowers it as an index.
float textWidth(const std::string& text, const TextStyle& style);
void maskText(Mask& mask, const std::string& text, Point baselineLeft, const TextStyle& style);
void maskTextCentred(Mask& mask, const std::string& text, Point baselineCentre,
                     const TextStyle& style);

// One piece of a typeset formula: plain text, or a fraction of two texts.
struct FormulaPart {
  std::string over;
  std::string under;  // empty: plain text
  // Plain text only: drawn this many times larger, centred on the axis (the
  // brackets around fractions).
  float scale = 1.0f;
  // The room after the part, in capital heights: a relation such as = wants
  // more than an operator, a sign before a fraction less.
  float spaceAfter = 0.35f;
};

// Width of the formula in pixels.
float formulaWidth(const std::vector<FormulaPart>& parts, const TextStyle& style);
// Draws the formula with its fraction bars on the height `axisY` and its
// middle at `centreX`.
void maskFormula(Mask& mask, const std::vector<FormulaPart>& parts, float centreX, float axisY,
                 const TextStyle& style);
