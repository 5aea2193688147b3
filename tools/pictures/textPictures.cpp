// Pictures made mostly of lettering: the equations, the fake error dialog,
// the label on the glass of the intro, the loading picture, the power badge
// and the greetings.
#include <cmath>
#include <string>
#include <vector>

#include "tools/pictures/font.h"
#include "tools/pictures/painters.h"

namespace {

using Formula = std::vector<FormulaPart>;

// The style at the given size, shrunk if the formula would be wider.
TextStyle fitted(const Formula& formula, TextStyle style, float maxWidth) {
  const float width = formulaWidth(formula, style);
  if (width > maxWidth) style.size *= maxWidth / width;
  return style;
}

// The equations of the wave-function scenes, drawn into a coverage mask.
// They are shown on a quad about 4:3 on screen, so the lettering is drawn
// narrower by that much to look upright there.
Mask schroedingerInk(int n) {
  Mask ink(512, 512);
  TextStyle style;
  style.size = 34.0f;
  style.aspect = 0.75f;
  style.weight = 0.075f;
  style.slant = 0.18f;
  // Narrowed letters keep their strokes' full width: a little more room.
  style.tracking = 0.6f;
  TextStyle caption = style;
  caption.size = 15.0f;
  caption.slant = 0.0f;
  caption.weight = 0.08f;
  caption.tracking = 0.0f;
  const float centre = 240.0f;
  const float width = 340.0f;
  // Relations get a wide space on both sides, operators a medium one, a
  // sign before a fraction a thin one.
  constexpr float relation = 0.8f;
  constexpr float sign = 0.35f;
  if (n == 1) {
    const Formula f = {{"iħ", ""},      {"∂ψ", "∂t", 1.0f, relation}, {"=", "", 1.0f, relation},
                       {"−", "", 1.0f, sign}, {"ħ²", "2m"},           {"∇²ψ + Vψ", ""}};
    maskFormula(ink, f, centre, 290.0f, fitted(f, style, width));
    maskTextCentred(ink, "time-dependent Schroedinger equation", {centre, 200.0f}, caption);
    maskTextCentred(ink, "ψ(r, t)  wave function,   V(r)  potential", {centre, 176.0f}, caption);
  } else if (n == 2) {
    // Too long for one line: the left side stands alone on the first line
    // and the second starts with the equals sign.
    const Formula first = {{"iħ", ""}, {"∂ψ", "∂t"}};
    const Formula second = {{"=", "", 1.0f, relation},
                            {"−", "", 1.0f, sign},
                            {"ħ²", "2m", 1.0f, 0.3f},
                            {"(", "", 2.0f, 0.1f},
                            {"∂²ψ", "∂x²"},
                            {"+", ""},
                            {"∂²ψ", "∂y²", 1.0f, 0.1f},
                            {")", "", 2.0f, 0.9f},
                            {"+", "", 1.0f, 0.5f},
                            {"V(x, y) ψ", ""}};
    const TextStyle s = fitted(second, style, width);
    maskFormula(ink, first, centre - 60.0f, 320.0f, s);
    maskFormula(ink, second, centre, 240.0f, s);
    maskTextCentred(ink, "in the plane of the scattering box", {centre, 172.0f}, caption);
  } else {
    const Formula first = {{"i", ""},      {"∂ψ", "∂t", 1.0f, relation}, {"=", "", 1.0f, relation},
                           {"−", "", 1.0f, sign}, {"1", "2"},            {"∇²ψ  +  Vψ", ""}};
    const Formula second = {{"ρ", "", 1.0f, relation}, {"=", "", 1.0f, relation}, {"|ψ|²", ""}};
    maskFormula(ink, first, centre, 310.0f, fitted(first, style, width));
    maskFormula(ink, second, centre, 232.0f, style);
    maskTextCentred(ink, "units with ħ = m = 1,   ρ probability density", {centre, 172.0f},
                    caption);
  }
  return ink;
}

Mask frameMask(int w, int h, float x0, float y0, float x1, float y1) {
  Mask m(w, h);
  maskRect(m, x0, y0, x1, y1);
  return m;
}

void fillRect(Image& image, float x0, float y0, float x1, float y1, Colour colour) {
  paint(image, frameMask(image.width, image.height, x0, y0, x1, y1), colour);
}

// A raised (or pressed) bevel: light on top and left, dark below and right.
void bevel(Image& image, float x0, float y0, float x1, float y1, bool raised) {
  const Colour light = raised ? grey(1.0f) : grey(0.3f);
  const Colour dark = raised ? grey(0.3f) : grey(1.0f);
  fillRect(image, x0, y1 - 1, x1, y1, light);
  fillRect(image, x0, y0, x0 + 1, y1, light);
  fillRect(image, x0, y0, x1, y0 + 1, dark);
  fillRect(image, x1 - 1, y0, x1, y1, dark);
  fillRect(image, x0 + 1, y0 + 1, x1 - 1, y0 + 2, grey(0.52f));
  fillRect(image, x1 - 2, y0 + 1, x1 - 1, y1 - 1, grey(0.52f));
}

void text(Image& image, const std::string& s, Point at, const TextStyle& style, Colour colour,
          bool centred = false) {
  Mask m(image.width, image.height);
  if (centred) {
    maskTextCentred(m, s, at, style);
  } else {
    maskText(m, s, at, style);
  }
  paint(image, m, colour);
}

}  // namespace

Image paintSchroedinger(int n) {
  // A multiplying mask: white paper leaves the scene, the ink darkens it.
  Image image(512, 512, grey(1.0f));
  paint(image, schroedingerInk(n), grey(0.04f));
  return image;
}

Image paintSchroedingerMask(int n) {
  // The same lettering as grey levels: white strokes with a soft glow.
  Mask ink = schroedingerInk(n);
  Mask glow = ink;
  blur(glow, 4);
  Image image(512, 512, grey(0.0f));
  addLight(image, glow, grey(0.55f));
  paint(image, ink, grey(1.0f));
  return image;
}

Image paintWaveEquation() {
  // Shown through a panel that shows only the middle third of its height and
  // five sixths of its width, stretched 1.39 times wider than tall.
  Image image(512, 256);
  shade(image, [](float u, float v) {
    const float glow =
        std::exp(-((u - 0.5f) * (u - 0.5f) * 6.0f + (v - 0.5f) * (v - 0.5f) * 30.0f));
    return mix(rgb8(4, 8, 22), rgb8(24, 44, 86), glow);
  });
  Mask grid(512, 256);
  for (int x = 8; x < 512; x += 32) maskSegment(grid, {x + 0.5f, 0}, {x + 0.5f, 256}, 0.4f);
  for (int y = 0; y < 256; y += 16) maskSegment(grid, {0, y + 0.5f}, {512, y + 0.5f}, 0.4f);
  paint(image, grid, rgb8(70, 100, 150), 0.25f);

  TextStyle style;
  style.size = 22.0f;
  style.aspect = 1.39f;
  style.weight = 0.085f;
  style.slant = 0.15f;
  const Formula f = {{"∂²u", "∂t²"}, {"=  c²", ""},  {"(", "", 2.0f}, {"∂²u", "∂x²"},
                     {"+", ""},      {"∂²u", "∂y²"}, {")", "", 2.0f}};
  Mask ink(512, 256);
  maskFormula(ink, f, 256.0f, 128.0f, fitted(f, style, 400.0f));
  Mask glow = ink;
  blur(glow, 3);
  addLight(image, glow, rgb8(90, 160, 255));
  paint(image, ink, grey(1.0f));
  return image;
}

Image paintErrorDialog() {
  Image image(512, 512, grey(0.0f));
  const Colour face = rgb8(212, 208, 200);
  const float x0 = 26, x1 = 486, y0 = 150, y1 = 362;

  // A soft shadow, the window with its frame, the title bar.
  Mask shadow = frameMask(512, 512, x0 + 6, y0 - 6, x1 + 6, y1 - 6);
  blur(shadow, 4);
  paint(image, shadow, grey(0.12f), 0.8f);
  fillRect(image, x0, y0, x1, y1, face);
  bevel(image, x0, y0, x1, y1, true);
  const float t0 = y1 - 26, t1 = y1 - 4;
  Image bar(512, 512);
  shade(bar, [&](float u, float) {
    return mix(rgb8(10, 36, 106), rgb8(166, 202, 240), clamp01((u * 512 - x0) / (x1 - x0)));
  });
  const Mask titleArea = frameMask(512, 512, x0 + 4, t0, x1 - 4, t1);
  for (size_t i = 0; i < image.px.size(); ++i)
    image.px[i] = mix(image.px[i], bar.px[i], titleArea.a[i]);

  TextStyle title;
  title.size = 12.0f;
  title.weight = 0.11f;
  text(image, "Error", {x0 + 12, t0 + 6}, title, grey(1.0f));
  // The close box.
  fillRect(image, x1 - 26, t0 + 3, x1 - 8, t1 - 3, face);
  bevel(image, x1 - 26, t0 + 3, x1 - 8, t1 - 3, true);
  Mask cross(512, 512);
  maskSegment(cross, {x1 - 21, t0 + 7.5f}, {x1 - 13, t1 - 7.5f}, 1.0f);
  maskSegment(cross, {x1 - 21, t1 - 7.5f}, {x1 - 13, t0 + 7.5f}, 1.0f);
  paint(image, cross, grey(0.0f));

  // The stop sign: a red disc with a white cross and a dark rim.
  const Point icon{x0 + 52, y1 - 78};
  Mask rim(512, 512);
  maskDisc(rim, icon, 21);
  paint(image, rim, rgb8(90, 0, 0));
  Mask disc(512, 512);
  maskDisc(disc, icon, 19.5f);
  Image red(512, 512);
  shade(red, [&](float u, float v) {
    const float d = std::hypot(u * 512 - icon.x + 6, v * 512 - icon.y - 6) / 30.0f;
    return mix(rgb8(255, 90, 80), rgb8(200, 0, 0), clamp01(d));
  });
  for (size_t i = 0; i < image.px.size(); ++i) image.px[i] = mix(image.px[i], red.px[i], disc.a[i]);
  Mask x(512, 512);
  maskSegment(x, {icon.x - 8, icon.y - 8}, {icon.x + 8, icon.y + 8}, 2.6f);
  maskSegment(x, {icon.x - 8, icon.y + 8}, {icon.x + 8, icon.y - 8}, 2.6f);
  paint(image, x, grey(1.0f));

  TextStyle message;
  message.size = 12.0f;
  message.weight = 0.085f;
  text(image, "A singularity occurred at r = 0.", {x0 + 92, y1 - 66}, message, grey(0.0f));
  text(image, "The universe will now be closed.", {x0 + 92, y1 - 90}, message, grey(0.0f));

  // The button, with the dotted focus frame.
  const float bx0 = 256 - 44, bx1 = 256 + 44, by0 = y0 + 18, by1 = y0 + 46;
  fillRect(image, bx0 - 1, by0 - 1, bx1 + 1, by1 + 1, grey(0.0f));
  fillRect(image, bx0, by0, bx1, by1, face);
  bevel(image, bx0, by0, bx1, by1, true);
  Mask dots(512, 512);
  for (float px = bx0 + 5; px < bx1 - 5; px += 2) {
    maskRect(dots, px, by0 + 4, px + 1, by0 + 5);
    maskRect(dots, px, by1 - 5, px + 1, by1 - 4);
  }
  for (float py = by0 + 4; py < by1 - 4; py += 2) {
    maskRect(dots, bx0 + 5, py, bx0 + 6, py + 1);
    maskRect(dots, bx1 - 6, py, bx1 - 5, py + 1);
  }
  paint(image, dots, grey(0.1f));
  text(image, "OK", {256, by0 + 9}, message, grey(0.0f), true);
  return image;
}

Image paintGlassLabel() {
  // Only the top 19 % is ever shown: a label 150 x 22 pixels on screen at the
  // foot of the water glass, so its lettering is drawn 0.79 as wide.
  Image image(256, 256);
  shade(image, [](float u, float v) {
    if (v >= 0.81f) {
      const float band = std::fabs(v - 0.905f) / 0.095f;
      return mix(rgb8(205, 40, 44), rgb8(120, 10, 20), band * band) *
             (1.0f - 0.25f * std::fabs(u - 0.5f));
    }
    const float wave = 0.5f + 0.5f * std::sin(u * 18.0f + std::sin(v * 9.0f) * 2.0f);
    return mix(rgb8(226, 230, 236), rgb8(196, 206, 222), wave * v);
  });
  Mask lines(256, 256);
  maskSegment(lines, {8, 212.5f}, {248, 212.5f}, 0.7f);
  maskSegment(lines, {8, 251.5f}, {248, 251.5f}, 0.7f);
  paint(image, lines, rgb8(255, 220, 210));
  TextStyle label;
  label.size = 22.0f;
  label.aspect = 0.79f;
  label.weight = 0.1f;
  text(image, "V O R R A N", {128, 221}, label, grey(1.0f), true);
  // The rest: the same waves the glass holds, faintly.
  Mask waves(256, 256);
  for (int k = 0; k < 6; ++k) {
    std::vector<Point> line;
    for (int x = 0; x <= 256; x += 4) {
      line.push_back({static_cast<float>(x), 40.0f + k * 26.0f + 8.0f * std::sin(x * 0.045f + k)});
    }
    maskPolyline(waves, line, 1.2f);
  }
  paint(image, waves, rgb8(214, 80, 80), 0.35f);
  return image;
}

Image paintLoading() {
  // Shown 160 x 120 pixels on screen (drawn 0.75 as wide); the progress bar
  // covers the lowest seventh.
  Image image(256, 256);
  shade(image, [](float u, float v) {
    const float d = std::hypot((u - 0.5f) * 1.2f, v - 0.58f);
    return mix(rgb8(34, 52, 86), rgb8(2, 4, 12), clamp01(d * 1.6f));
  });
  const Point pivot{128, 228};
  const float length = 118.0f;
  // The swing's path and fading earlier positions of the bob.
  Mask path(256, 256);
  std::vector<Point> arc;
  for (int a = -40; a <= 40; a += 2) {
    const float r = a * 3.14159265f / 180.0f;
    arc.push_back({pivot.x + length * std::sin(r) / 0.75f * 0.75f, pivot.y - length * std::cos(r)});
  }
  maskPolyline(path, arc, 0.6f);
  paint(image, path, rgb8(120, 150, 200), 0.6f);
  for (int k = 4; k >= 0; --k) {
    const float r = (28.0f - k * 6.0f) * 3.14159265f / 180.0f;
    const Point bob{pivot.x + length * std::sin(r) * 0.75f, pivot.y - length * std::cos(r)};
    Mask rod(256, 256);
    maskSegment(rod, pivot, bob, 1.2f);
    Mask ball(256, 256);
    maskEllipse(ball, bob, 11.0f * 0.75f, 11.0f);
    const float fade = k == 0 ? 1.0f : 0.18f / k;
    paint(image, rod, rgb8(200, 210, 230), fade);
    if (k == 0) {
      Mask halo = ball;
      blur(halo, 6);
      addLight(image, halo, rgb8(255, 150, 60));
    }
    paint(image, ball, rgb8(255, 190, 110), fade);
  }
  Mask pin(256, 256);
  maskDisc(pin, pivot, 3.0f);
  paint(image, pin, grey(0.9f));
  TextStyle style;
  style.size = 24.0f;
  style.aspect = 0.75f;
  style.weight = 0.09f;
  text(image, "loading", {128, 52}, style, rgb8(220, 230, 245), true);
  return image;
}

Image paintPower() {
  Image image(256, 256);
  shade(image, [](float u, float v) {
    const float brushed = 0.04f * std::sin(v * 900.0f + std::sin(u * 40.0f) * 3.0f);
    return grey(0.22f + 0.12f * v + brushed);
  });
  Mask plate(256, 256);
  maskRect(plate, 12, 12, 244, 244);
  bevel(image, 12, 12, 244, 244, true);
  // A lightning bolt with its glow.
  const std::vector<Point> bolt = {{150, 236}, {84, 132},  {122, 132}, {96, 60},
                                   {172, 160}, {134, 160}, {168, 236}};
  Mask shape(256, 256);
  maskPolygon(shape, bolt);
  Mask glow = shape;
  blur(glow, 8);
  addLight(image, glow, rgb8(255, 170, 40));
  paint(image, shape, rgb8(255, 228, 90));
  TextStyle style;
  style.size = 28.0f;
  style.weight = 0.12f;
  text(image, "POWER", {128, 26}, style, grey(0.95f), true);
  return image;
}

Image paintGreetings() {
  Image image(512, 512);
  shade(image, [](float u, float v) {
    return mix(rgb8(6, 4, 16), rgb8(30, 16, 40),
               clamp01(1.0f - std::hypot(u - 0.5f, v - 0.5f) * 1.6f));
  });
  TextStyle head;
  head.size = 40.0f;
  head.weight = 0.1f;
  head.slant = 0.15f;
  text(image, "greetings", {256, 436}, head, rgb8(255, 170, 60), true);
  const char* const names[] = {"Lattice Crew",    "Phase Space",    "Eigenstate",
                               "Verlet Vision",   "Null Vector",    "Strange Attractor",
                               "Stiff Springs",   "Boundary Layer", "Damped Oscillators",
                               "Moire Collective"};
  TextStyle style;
  style.size = 20.0f;
  style.weight = 0.09f;
  float y = 386.0f;
  int k = 0;
  for (const char* name : names) {
    const Colour colour = k % 2 == 0 ? rgb8(150, 220, 255) : rgb8(230, 240, 255);
    text(image, name, {256, y}, style, colour, true);
    y -= 34.0f;
    ++k;
  }
  return image;
}
