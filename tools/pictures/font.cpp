#include "tools/pictures/font.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <sstream>

namespace {

struct GlyphSource {
  char32_t code;
  float width;
  const char* strokes;
};

// Each stroke is a polyline "x,y x,y ..." or an elliptic arc
// "e cx,cy,rx,ry,from,to" (degrees, counter-clockwise when to > from).
const GlyphSource glyphSources[] = {
    {U' ', 4, ""},
    {U'A', 8, "0,0 4,10 8,0;1.6,4 6.4,4"},
    {U'B', 7, "4.5,10 0,10 0,0 5,0;0,5 5,5;e 4.5,7.5,2.5,2.5,90,-90;e 5,2.5,2.5,2.5,90,-90"},
    {U'C', 7, "e 3.7,5,3.7,5,40,320"},
    {U'D', 7.5, "3,10 0,10 0,0 3,0;e 3,5,4.5,5,90,-90"},
    {U'E', 6.5, "6.5,10 0,10 0,0 6.5,0;0,5 5,5"},
    {U'F', 6.5, "6.5,10 0,10 0,0;0,5 5,5"},
    {U'G', 7.5, "e 3.8,5,3.8,5,45,355;7.5,4.5 7.5,0.8;7.5,4.5 4.5,4.5"},
    {U'H', 7, "0,0 0,10;7,0 7,10;0,5 7,5"},
    {U'I', 3, "1.5,0 1.5,10;0,10 3,10;0,0 3,0"},
    {U'J', 6, "6,10 6,3;e 3,3,3,3,0,-180"},
    {U'K', 7, "0,0 0,10;7,10 0,3.5;2.3,5.6 7,0"},
    {U'L', 6, "0,10 0,0 6,0"},
    {U'M', 9, "0,0 0,10 4.5,2 9,10 9,0"},
    {U'N', 7, "0,0 0,10 7,0 7,10"},
    {U'O', 8, "e 4,5,4,5,0,360"},
    {U'P', 7, "0,0 0,10 4,10;4,5 0,5;e 4,7.5,3,2.5,90,-90"},
    {U'Q', 8, "e 4,5,4,5,0,360;4.6,2.6 8,-1"},
    {U'R', 7, "0,0 0,10 4,10;4,5 0,5;e 4,7.5,3,2.5,90,-90;3.5,5 7,0"},
    {U'S', 7, "e 3.5,7.5,3.3,2.5,20,270;e 3.5,2.5,3.5,2.5,90,-160"},
    {U'T', 8, "0,10 8,10;4,10 4,0"},
    {U'U', 7, "0,10 0,3.5;e 3.5,3.5,3.5,3.5,180,360;7,3.5 7,10"},
    {U'V', 8, "0,10 4,0 8,10"},
    {U'W', 10, "0,10 2.5,0 5,7 7.5,0 10,10"},
    {U'X', 7, "0,10 7,0;0,0 7,10"},
    {U'Y', 8, "0,10 4,5 8,10;4,5 4,0"},
    {U'Z', 7, "0,10 7,10 0,0 7,0"},
    {U'a', 6, "e 3,3.5,3,3.5,0,360;6,7 6,0"},
    {U'b', 6, "0,10 0,0;e 3,3.5,3,3.5,0,360"},
    {U'c', 6, "e 3,3.5,3,3.5,40,320"},
    {U'd', 6, "6,10 6,0;e 3,3.5,3,3.5,0,360"},
    {U'e', 6, "0,3.5 6,3.5;e 3,3.5,3,3.5,0,320"},
    {U'f', 5, "e 4,8,2,2,20,180;2,8 2,0;0,7 4.5,7"},
    {U'g', 6, "e 3,3.5,3,3.5,0,360;6,7 6,-1;e 3,-1,3,2,0,-160"},
    {U'h', 6, "0,0 0,10;e 3,4,3,3,180,0;6,4 6,0"},
    {U'i', 1, "0.5,0 0.5,7;0.5,9.4 0.5,9.6"},
    {U'j', 3, "2.5,7 2.5,-1;e 1,-1,1.5,2,0,-170;2.5,9.4 2.5,9.6"},
    {U'k', 6, "0,0 0,10;5.5,7 0,2.5;2,4 6,0"},
    {U'l', 1, "0.5,10 0.5,0"},
    {U'm', 9,
     "0,0 0,7;e 2.25,4.75,2.25,2.25,180,0;4.5,4.75 4.5,0;e 6.75,4.75,2.25,2.25,180,0;9,4.75 9,0"},
    {U'n', 6, "0,0 0,7;e 3,4,3,3,180,0;6,4 6,0"},
    {U'o', 6, "e 3,3.5,3,3.5,0,360"},
    {U'p', 6, "0,7 0,-3;e 3,3.5,3,3.5,0,360"},
    {U'q', 6, "6,7 6,-3;e 3,3.5,3,3.5,0,360"},
    {U'r', 4.5, "0,0 0,7;e 3.5,4,3.5,3,180,60"},
    {U's', 5.5, "e 2.75,5.25,2.6,1.75,20,270;e 2.75,1.75,2.75,1.75,90,-160"},
    {U't', 4.5, "2,10 2,0 4.5,0;0,7 4.5,7"},
    {U'u', 6, "0,7 0,3;e 3,3,3,3,180,360;6,7 6,0"},
    {U'v', 6, "0,7 3,0 6,7"},
    {U'w', 9, "0,7 2,0 4.5,5.5 7,0 9,7"},
    {U'x', 6, "0,7 6,0;0,0 6,7"},
    {U'y', 6, "0,7 3,0;6,7 2,-3"},
    {U'z', 6, "0,7 6,7 0,0 6,0"},
    {U'0', 6, "e 3,5,3,5,0,360"},
    {U'1', 6, "1,8 3.5,10 3.5,0;1,0 6,0"},
    {U'2', 6, "e 3,7,3,3,160,-35;5.5,5.3 0,0 6,0"},
    {U'3', 6, "e 3,7.5,2.8,2.5,150,-90;e 3,2.5,3,2.5,90,-150"},
    {U'4', 6.5, "4.5,0 4.5,10 0,3 6.5,3"},
    {U'5', 6, "6,10 1,10 0.7,5.6;e 3,3.2,3,3.2,135,-150"},
    {U'6', 6, "e 3,3,3,3,0,360;0.3,4 4.5,10"},
    {U'7', 6, "0,10 6,10 2,0"},
    {U'8', 6, "e 3,7.6,2.6,2.4,0,360;e 3,2.6,3,2.6,0,360"},
    {U'9', 6, "e 3,7,3,3,0,360;5.7,6 1.5,0"},
    {U'.', 0.6, "0.3,0 0.3,0.2"},
    {U',', 1.2, "0.8,0.3 0,-1.8"},
    {U':', 0.6, "0.3,0 0.3,0.2;0.3,6 0.3,6.2"},
    {U';', 1.2, "0.8,6 0.8,6.2;0.8,0.3 0,-1.8"},
    {U'!', 0.6, "0.3,10 0.3,3;0.3,0 0.3,0.2"},
    {U'?', 6, "e 3,7.5,3,2.5,160,-80;3.5,5 3,3.2;3,0 3,0.2"},
    {U'\'', 0.6, "0.3,10 0.3,7.5"},
    {U'"', 2.5, "0.3,10 0.3,7.5;2.2,10 2.2,7.5"},
    {U'-', 4.5, "0,4 4.5,4"},
    {U'+', 7, "0,4 7,4;3.5,0.5 3.5,7.5"},
    {U'=', 7, "0,2.6 7,2.6;0,5.4 7,5.4"},
    {U'(', 2.5, "e 4.5,4,4.5,7,115,245"},
    {U')', 2.5, "e -2,4,4.5,7,65,-65"},
    {U'[', 2.5, "2.5,11 0,11 0,-3 2.5,-3"},
    {U']', 2.5, "0,11 2.5,11 2.5,-3 0,-3"},
    {U'|', 0.6, "0.3,11 0.3,-3"},
    {U'/', 5, "0,-1 5,10.5"},
    {U'*', 5, "2.5,9 2.5,4;0.3,7.7 4.7,5.3;0.3,5.3 4.7,7.7"},
    {U'_', 7, "0,-2 7,-2"},
    {U'<', 6, "6,8 0,4 6,0"},
    {U'>', 6, "0,8 6,4 0,0"},
    {U'%', 7, "0,0 7,10;e 1.5,8,1.5,2,0,360;e 5.5,2,1.5,2,0,360"},
    {U'#', 7, "2.5,0 3.5,10;5,0 6,10;0,3.5 7,3.5;0.5,6.5 7.5,6.5"},
    {U'&', 7, "7,0 1.5,7.5;e 3,8,1.8,2,-30,200;e 3,2.6,3,2.6,120,350"},
    {U'@', 10, "e 5,4,5,5,-40,330;e 5,4,2,2.5,0,360;7,6.5 7,2 9,2"},
    {U'~', 7, "e 1.75,4,1.75,1,180,0;e 5.25,4,1.75,1,180,360"},
    {U'\u03C8', 7, "e 3.5,4.5,3.5,3,180,360;0,7 0,4.5;7,7 7,4.5;3.5,10 3.5,-3"},  // psi
    {U'\u03C1', 6, "e 3,3.5,3,3.5,0,360;0,3.5 0,-3"},                             // rho
    {U'\u03C0', 7, "0,7 7,7;2,7 1.5,0;5,7 5.5,0"},                                // pi
    {U'\u0127', 6, "0,0 0,10;e 3,4,3,3,180,0;6,4 6,0;-1,7.3 3.5,8.9"},            // h-bar
    {U'\u2202', 6.5, "e 3,3,3,3,0,360;e 2,3.5,4.5,6.5,0,115"},                    // partial
    {U'\u2207', 8, "0,10 8,10 4,0 0,10"},                                         // nabla
    {U'\u0394', 8, "0,0 4,10 8,0 0,0"},                                           // Delta
    {U'\u00D7', 5, "0,1.5 5,6.5;0,6.5 5,1.5"},                                    // times
    {U'\u00B7', 0.6, "0.3,4 0.3,4.2"},                                            // middle dot
    {U'\u2212', 7, "0,4 7,4"},                                                    // minus
};

struct Glyph {
  float width = 0.0f;
  std::vector<std::vector<Point>> strokes;
};

std::vector<Point> arcPoints(float cx, float cy, float rx, float ry, float from, float to) {
  const float span = std::fabs(to - from);
  const int steps = std::max(4, static_cast<int>(span / 8.0f));
  std::vector<Point> points;
  for (int i = 0; i <= steps; ++i) {
    const float a = (from + (to - from) * static_cast<float>(i) / steps) * 3.14159265f / 180.0f;
    points.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
  }
  return points;
}

Glyph parseGlyph(const GlyphSource& source) {
  Glyph glyph;
  glyph.width = source.width;
  std::stringstream strokes(source.strokes);
  std::string stroke;
  while (std::getline(strokes, stroke, ';')) {
    if (stroke.empty()) continue;
    if (stroke[0] == 'e') {
      float v[6] = {};
      std::stringstream numbers(stroke.substr(2));
      std::string number;
      for (float& value : v) {
        std::getline(numbers, number, ',');
        value = std::strtof(number.c_str(), nullptr);
      }
      glyph.strokes.push_back(arcPoints(v[0], v[1], v[2], v[3], v[4], v[5]));
      continue;
    }
    std::vector<Point> points;
    std::stringstream pairs(stroke);
    std::string pair;
    while (pairs >> pair) {
      const size_t comma = pair.find(',');
      points.push_back({std::strtof(pair.substr(0, comma).c_str(), nullptr),
                        std::strtof(pair.substr(comma + 1).c_str(), nullptr)});
    }
    glyph.strokes.push_back(points);
  }
  return glyph;
}

const std::map<char32_t, Glyph>& glyphs() {
  static const std::map<char32_t, Glyph> table = [] {
    std::map<char32_t, Glyph> built;
    for (const GlyphSource& source : glyphSources) built[source.code] = parseGlyph(source);
    return built;
  }();
  return table;
}

constexpr float glyphGap = 2.2f;

// One positioned glyph in font units: its code, scale and lift.
struct Placed {
  const Glyph* glyph;
  float x;
  float scale;
  float lift;
};

char32_t nextCode(const std::string& text, size_t& i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char c = byte(i++);
  if (c < 0x80) return c;
  int extra = c >= 0xF0 ? 3 : (c >= 0xE0 ? 2 : 1);
  char32_t code = c & (0x3F >> extra);
  for (; extra > 0 && i < text.size(); --extra) code = code << 6 | (byte(i++) & 0x3F);
  return code;
}

// Lays the text out in font units; returns the advance. In italics a
// glyph before h-bar leaves room for the bar, which reaches back left.
float layout(const std::string& text, const TextStyle& style, std::vector<Placed>* placed) {
  float x = 0.0f;
  float scale = 1.0f;
  float lift = 0.0f;
  for (size_t i = 0; i < text.size();) {
    char32_t code = nextCode(text, i);
    if (code == U'^' || code == U'_') {
      scale = 0.62f;
      lift = code == U'^' ? 5.5f : -2.5f;
      continue;
    }
    if (code == U'\u00B2') {
      code = U'2';
      scale = 0.62f;
      lift = 5.5f;
    }
    const auto found = glyphs().find(code);
    const Glyph& glyph = found != glyphs().end() ? found->second : glyphs().at(U'?');
    if (code == U'\u0127' && x > 0.0f) x += style.slant * 10.0f;
    if (placed != nullptr) placed->push_back({&glyph, x, scale, lift});
    x += (glyph.width + glyphGap + style.tracking) * scale;
    scale = 1.0f;
    lift = 0.0f;
  }
  return x > 0.0f ? x - glyphGap - style.tracking : 0.0f;
}

}  // namespace

float textWidth(const std::string& text, const TextStyle& style) {
  return layout(text, style, nullptr) * style.size * 0.1f * style.aspect;
}

void maskText(Mask& mask, const std::string& text, Point baselineLeft, const TextStyle& style) {
  std::vector<Placed> placed;
  layout(text, style, &placed);
  const float unit = style.size * 0.1f;
  const float halfWidth = style.weight * style.size;
  for (const Placed& p : placed) {
    for (const std::vector<Point>& stroke : p.glyph->strokes) {
      std::vector<Point> points;
      for (const Point& q : stroke) {
        const float gy = q.y * p.scale + p.lift;
        const float gx = p.x + q.x * p.scale;
        points.push_back({baselineLeft.x + (gx + style.slant * gy) * unit * style.aspect,
                          baselineLeft.y + gy * unit});
      }
      maskPolyline(mask, points, halfWidth * (p.scale < 1.0f ? 0.8f : 1.0f));
    }
  }
}

void maskTextCentred(Mask& mask, const std::string& text, Point baselineCentre,
                     const TextStyle& style) {
  maskText(mask, text, {baselineCentre.x - textWidth(text, style) * 0.5f, baselineCentre.y}, style);
}

namespace {

constexpr float fractionScale = 0.8f;

TextStyle smaller(const TextStyle& style) {
  TextStyle s = style;
  s.size *= fractionScale;
  s.weight /= fractionScale * 1.1f;
  return s;
}

TextStyle scaled(const TextStyle& style, float scale) {
  TextStyle s = style;
  s.size *= scale;
  s.weight /= scale;
  return s;
}

float partWidth(const FormulaPart& part, const TextStyle& style) {
  if (part.under.empty()) return textWidth(part.over, scaled(style, part.scale));
  const TextStyle s = smaller(style);
  return std::max(textWidth(part.over, s), textWidth(part.under, s)) +
         style.size * 0.5f * style.aspect;
}

}  // namespace

float formulaWidth(const std::vector<FormulaPart>& parts, const TextStyle& style) {
  // The room after the last part is not part of the width.
  float width = 0.0f;
  for (const FormulaPart& part : parts)
    width += partWidth(part, style) + style.size * part.spaceAfter * style.aspect;
  return parts.empty() ? 0.0f : width - style.size * parts.back().spaceAfter * style.aspect;
}

void maskFormula(Mask& mask, const std::vector<FormulaPart>& parts, float centreX, float axisY,
                 const TextStyle& style) {
  // The fraction bars and the minus and equals signs share one axis, 0.4 of
  // a capital above the baseline of plain text.
  float x = centreX - formulaWidth(parts, style) * 0.5f;
  for (const FormulaPart& part : parts) {
    const float width = partWidth(part, style);
    if (part.under.empty()) {
      maskText(mask, part.over, {x, axisY - style.size * part.scale * 0.4f},
               scaled(style, part.scale));
    } else {
      const TextStyle s = smaller(style);
      const float gap = style.size * 0.22f;
      maskTextCentred(mask, part.over, {x + width * 0.5f, axisY + gap + s.size * 0.3f}, s);
      maskTextCentred(mask, part.under, {x + width * 0.5f, axisY - gap - s.size}, s);
      maskSegment(mask, {x + style.size * 0.1f, axisY}, {x + width - style.size * 0.1f, axisY},
                  style.weight * style.size * 0.9f);
    }
    x += width + style.size * part.spaceAfter * style.aspect;
  }
}
