// Stills of the presentation's effects, painted from small versions of the
// same simulations and drawings.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/pictures/painters.h"

namespace {

constexpr float pi = 3.14159265f;

Image darkPanel(Colour top, Colour bottom) {
  Image image(256, 256);
  shade(image, [&](float, float v) { return mix(bottom, top, v); });
  return image;
}

// The potential of two sources drawn as a grid of coloured points.
Image gravityField() {
  Image image(256, 256, grey(0.0f));
  const Point a{90, 150};
  const Point b{170, 100};
  Mask dots(256, 256);
  for (int j = 0; j < 64; ++j) {
    for (int i = 0; i < 64; ++i) {
      const Point p{i * 4.0f + 2.0f, j * 4.0f + 2.0f};
      const float phi = 18.0f / (std::hypot(p.x - a.x, p.y - a.y) + 4.0f) +
                        12.0f / (std::hypot(p.x - b.x, p.y - b.y) + 4.0f);
      // Equipotential bands on a colour that brightens towards the sources.
      const float level = std::log(phi + 0.05f);
      const float bands = 0.5f + 0.5f * std::sin(level * 9.0f);
      const Colour c = mix(rgb8(50, 80, 200), rgb8(170, 245, 255), clamp01(level * 0.35f + 0.7f)) *
                       (0.45f + 0.75f * bands);
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx)
          image.at(static_cast<int>(p.x) + dx, static_cast<int>(p.y) + dy) = c;
      }
    }
  }
  for (const Point s : {a, b}) maskDisc(dots, s, 5.0f);
  Mask glow = dots;
  blur(glow, 6);
  addLight(image, glow, rgb8(255, 200, 120));
  paint(image, dots, rgb8(255, 250, 230));
  return image;
}

// The lattice gas as its scene shows it: on a light panel, red gas fills a
// box in the middle and streams out through the two gaps in its walls into
// the blue gas around it, cell by cell.
Image gasDiffusion() {
  Image image(256, 256, rgb8(250, 250, 252));
  constexpr int cells = 128;
  // The box, in cells, and its two gaps: the left wall's middle and the
  // right wall's foot.
  constexpr int boxLeft = 40, boxRight = 88, boxBottom = 30, boxTop = 98;
  const Point gaps[2] = {{boxLeft, 64}, {boxRight, 38}};
  for (int j = 0; j < cells; ++j) {
    for (int i = 0; i < cells; ++i) {
      const bool inBox = i > boxLeft && i < boxRight && j > boxBottom && j < boxTop;
      // The red share: nearly all in the box, outside falling off with the
      // distance from the nearer gap, with a wash of red everywhere.
      float red = 0.92f;
      if (!inBox) {
        float near = 0.0f;
        for (const Point& g : gaps) {
          const float d = std::hypot(i - g.x, j - g.y);
          near = std::max(near, std::exp(-d / 16.0f));
        }
        red = clamp01(0.35f + 0.6f * near + 0.25f * (fbm(i * 0.07f, j * 0.07f, 3, 203) - 0.5f));
      }
      const float density = inBox ? 0.8f : 0.45f;
      if (hashUnit(i, j, 201) > density) continue;
      const bool isRed = hashUnit(i, j, 202) < red;
      const float pale = 0.2f + 0.35f * hashUnit(i, j, 204);
      const Colour c = mix(isRed ? rgb8(250, 120, 100) : rgb8(110, 140, 250), grey(1.0f), pale);
      for (int dy = 0; dy < 2; ++dy) {
        for (int dx = 0; dx < 2; ++dx) image.at(i * 2 + dx, j * 2 + dy) = c;
      }
    }
  }
  Mask box(256, 256);
  const float l = boxLeft * 2.0f, r = boxRight * 2.0f, b = boxBottom * 2.0f, t = boxTop * 2.0f;
  maskPolyline(box, {{l, gaps[0].y * 2.0f + 8.0f}, {l, t}, {r, t}, {r, gaps[1].y * 2.0f + 8.0f}}, 1.8f);
  maskPolyline(box, {{r, gaps[1].y * 2.0f - 8.0f}, {r, b}, {l, b}, {l, gaps[0].y * 2.0f - 8.0f}}, 1.8f);
  paint(image, box, rgb8(20, 20, 24));
  return image;
}

// A heap of sand fed by a falling stream.
Image fallingSand() {
  Image image = darkPanel(rgb8(16, 12, 30), rgb8(40, 26, 20));
  for (int j = 0; j < 128; ++j) {
    for (int i = 0; i < 128; ++i) {
      const float x = i / 128.0f;
      const float y = j / 128.0f;
      const float heap = 0.5f - std::fabs(x - 0.5f) * 1.0f + 0.03f * fbm(x * 20.0f, 0.0f, 2, 211);
      const bool stream = std::fabs(x - 0.5f) < 0.02f && y > heap && hashUnit(i, j, 212) > 0.55f;
      if (y > heap && !stream) continue;
      const float t = hashUnit(i, j, 213);
      const Colour c =
          t < 0.5f ? rgb8(230, 190, 90) : (t < 0.85f ? rgb8(200, 140, 60) : rgb8(140, 90, 40));
      for (int dy = 0; dy < 2; ++dy) {
        for (int dx = 0; dx < 2; ++dx)
          image.at(i * 2 + dx, j * 2 + dy) = c * (0.7f + 0.3f * y / 0.5f);
      }
    }
  }
  return image;
}

// The majority vote automaton after a dozen steps from random cells.
Image majorityVote() {
  constexpr int n = 128;
  std::vector<int> cells(n * n);
  for (int k = 0; k < n * n; ++k)
    cells[static_cast<size_t>(k)] = hashUnit(k % n, k / n, 221) < 0.5f ? 1 : 0;
  std::vector<int> next(cells.size());
  for (int step = 0; step < 12; ++step) {
    for (int y = 0; y < n; ++y) {
      for (int x = 0; x < n; ++x) {
        int votes = 0;
        for (int dy = -1; dy <= 1; ++dy) {
          for (int dx = -1; dx <= 1; ++dx)
            votes += cells[static_cast<size_t>(((y + dy + n) % n) * n + (x + dx + n) % n)];
        }
        // The twisted vote: a narrow majority goes the other way, so the
        // borders keep moving instead of freezing.
        int v = votes >= 5 ? 1 : 0;
        if (votes == 4) v = 1;
        if (votes == 5) v = 0;
        next[static_cast<size_t>(y * n + x)] = v;
      }
    }
    cells.swap(next);
  }
  Image image(256, 256);
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      const bool on = cells[static_cast<size_t>((y / 2) * n + x / 2)] != 0;
      image.at(x, y) = on ? rgb8(255, 150, 40) : rgb8(20, 30, 80);
    }
  }
  return image;
}

// The water column in its glass, as the intro shows it.
Image waterGlass() {
  Image image(256, 256, rgb8(181, 184, 186));
  Mask glass(256, 256);
  maskRect(glass, 78, 40, 178, 216);
  paint(image, glass, grey(1.0f));
  Mask water(256, 256);
  for (int k = 0; k < 50; ++k) {
    const float x = 80.0f + k * 2.0f;
    const float s = 0.125f * std::cos((49 - k) * 4.0f / 36.0f) + 0.344f;
    maskSegment(water, {x, 56}, {x, 56.0f + s * 260.0f}, 0.8f);
  }
  paint(image, water, rgb8(235, 60, 60));
  Mask frame(256, 256);
  maskPolyline(frame, {{81, 58}, {81, 213}, {175, 213}, {175, 58}, {81, 58}}, 0.5f);
  paint(image, frame, rgb8(242, 64, 64));
  Mask rim(256, 256);
  maskPolyline(rim, {{78, 40}, {78, 216}, {178, 216}, {178, 40}, {78, 40}}, 1.5f);
  paint(image, rim, grey(1.0f));
  return image;
}

// The ripple tank: two sources interfering, shaded as a lit surface.
Image rippleTank() {
  Image image(256, 256);
  const auto height = [](float x, float y) {
    float h = 0.0f;
    for (const Point s : {Point{0.35f, 0.6f}, Point{0.68f, 0.45f}}) {
      const float r = std::hypot(x - s.x, y - s.y);
      h += std::sin(r * 60.0f) / std::sqrt(r + 0.05f);
    }
    return h * 0.01f;
  };
  shade(image, [&](float u, float v) {
    const float e = 1.0f / 256.0f;
    const float nx = (height(u - e, v) - height(u + e, v)) / (2 * e);
    const float ny = (height(u, v - e) - height(u, v + e)) / (2 * e);
    const float len = std::sqrt(nx * nx + ny * ny + 1.0f);
    const float diffuse = clamp01((nx * -0.4f + ny * 0.5f + 0.77f) / len);
    const float specular = std::pow(clamp01((nx * -0.3f + ny * 0.4f + 0.87f) / len), 40.0f);
    return mix(rgb8(10, 40, 90), rgb8(80, 180, 230), diffuse) + grey(specular * 0.8f);
  });
  return image;
}

// The density of a wave packet past a double slit, in the glowing colours
// of the wave-function scenes.
Image wavePacket() {
  Image image(256, 256);
  shade(image, [](float u, float v) {
    float d = 0.0f;
    if (v < 0.45f) {
      const float dy = (v - 0.22f) / 0.09f;
      const float dx = (u - 0.5f) / 0.14f;
      d = std::exp(-dx * dx - dy * dy) * (0.5f + 0.5f * std::cos(v * 160.0f)) * 0.3f;
    } else {
      float re = 0.0f;
      float im = 0.0f;
      for (const float sx : {0.42f, 0.58f}) {
        const float r = std::hypot(u - sx, v - 0.47f);
        re += std::cos(r * 150.0f) / std::sqrt(r + 0.02f);
        im += std::sin(r * 150.0f) / std::sqrt(r + 0.02f);
      }
      const float envelope = std::exp(-std::pow((v - 0.72f) / 0.16f, 2.0f));
      d = (re * re + im * im) * 0.004f * envelope;
    }
    Colour c{20.0f * (d + 0.01f), 15.0f * (d + 0.01f), 10.0f * (d + 0.01f)};
    c = Colour{clamp01(c.r * 0.25f), clamp01(c.g * 0.25f), clamp01(c.b * 0.25f)};
    const bool wall = std::fabs(v - 0.47f) < 0.015f && std::fabs(u - 0.42f) > 0.02f &&
                      std::fabs(u - 0.58f) > 0.02f;
    return wall ? rgb8(153, 128, 102) : c;
  });
  return image;
}

// The planar engine's rope with a ball lying in it.
Image ropeAndBall() {
  Image image = darkPanel(rgb8(30, 34, 50), rgb8(6, 6, 12));
  const Point ball{132, 112};
  const float radius = 26.0f;
  std::vector<Point> rope;
  for (int k = 0; k <= 24; ++k) {
    const float t = k / 24.0f;
    const float x = 28.0f + t * 200.0f;
    float y = 190.0f - 60.0f * std::sin(t * pi);
    // The rope wraps under the ball.
    const float dx = x - ball.x;
    if (std::fabs(dx) < radius)
      y = std::min(y, ball.y - std::sqrt(radius * radius - dx * dx) - 2.0f);
    rope.push_back({x, y});
  }
  Mask line(256, 256);
  maskPolyline(line, rope, 1.2f);
  paint(image, line, rgb8(230, 230, 240));
  Mask nodes(256, 256);
  for (const Point& p : rope) maskDisc(nodes, p, 2.6f);
  paint(image, nodes, rgb8(255, 210, 90));
  Mask pins(256, 256);
  maskRect(pins, rope.front().x - 5, rope.front().y - 5, rope.front().x + 5, rope.front().y + 5);
  maskRect(pins, rope.back().x - 5, rope.back().y - 5, rope.back().x + 5, rope.back().y + 5);
  paint(image, pins, rgb8(150, 160, 180));
  Image shaded(256, 256);
  shade(shaded, [&](float u, float v) {
    const float d = std::hypot(u * 256 - ball.x + 9, v * 256 - ball.y - 9) / (radius * 1.6f);
    return mix(rgb8(255, 150, 130), rgb8(120, 10, 20), clamp01(d));
  });
  Mask disc(256, 256);
  maskDisc(disc, ball, radius);
  for (size_t i = 0; i < image.px.size(); ++i)
    image.px[i] = mix(image.px[i], shaded.px[i], disc.a[i]);
  return image;
}

// A row of hanging spheres, the first one swung out.
Image pendulumRow() {
  Image image = darkPanel(rgb8(40, 46, 60), rgb8(10, 10, 16));
  Mask bar(256, 256);
  maskRect(bar, 60, 214, 250, 222);
  paint(image, bar, rgb8(170, 175, 190));
  const float radius = 17.0f;
  for (int k = 0; k < 5; ++k) {
    const Point pivot{92.0f + k * 34.0f, 214.0f};
    const float angle = k == 0 ? -0.5f : 0.0f;
    const Point centre{pivot.x + 120.0f * std::sin(angle), pivot.y - 120.0f * std::cos(angle)};
    Mask wire(256, 256);
    maskSegment(wire, pivot, centre, 0.6f);
    paint(image, wire, grey(0.75f));
    Mask shadow(256, 256);
    maskEllipse(shadow, {centre.x, 40.0f}, radius * 1.1f, 4.0f);
    blur(shadow, 3);
    paint(image, shadow, grey(0.0f), 0.6f);
    Image ball(256, 256);
    shade(ball, [&](float u, float v) {
      const float dx = (u * 256 - centre.x) / radius;
      const float dy = (v * 256 - centre.y) / radius;
      const float nz = std::sqrt(clamp01(1.0f - dx * dx - dy * dy));
      const float diffuse = clamp01(-0.5f * dx + 0.5f * dy + 0.7f * nz);
      const float highlight = std::pow(clamp01(-0.35f * dx + 0.45f * dy + 0.82f * nz), 60.0f);
      return mix(rgb8(40, 50, 80), rgb8(150, 170, 220), diffuse) + grey(highlight);
    });
    Mask disc(256, 256);
    maskDisc(disc, centre, radius);
    for (size_t i = 0; i < image.px.size(); ++i)
      image.px[i] = mix(image.px[i], ball.px[i], disc.a[i]);
  }
  return image;
}

Image paintEffectSquare(int n) {
  switch (n) {
    case 1:
      return gravityField();
    case 2:
      return gasDiffusion();
    case 3:
      return fallingSand();
    case 4:
      return majorityVote();
    case 5:
      return waterGlass();
    case 6:
      return rippleTank();
    case 7:
      return wavePacket();
    case 8:
      return ropeAndBall();
    default:
      return pendulumRow();
  }
}

}  // namespace

// The pop-ups are squares that the screen widens to 4:3.
Image paintEffect(int n) { return squeezedToFill(paintEffectSquare(n)); }
