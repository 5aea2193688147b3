// The gallery: nine subjects, each alone on black, and for each a mask that
// is white around the subject and black where it stands. The gallery scene
// multiplies the screen by the mask, then adds the picture, so the subject
// shows cleanly over the turning backdrop.
#include <cmath>
#include <complex>
#include <vector>

#include "tools/pictures/painters.h"

namespace {

constexpr float pi = 3.14159265f;
constexpr int side = 256;

struct Subject {
  Image colour{side, side};
  Mask cover{side, side};
};

// Sphere shading: the normal's z from a point inside the disc.
float sphereZ(float dx, float dy) { return std::sqrt(clamp01(1.0f - dx * dx - dy * dy)); }

Subject ringedPlanet() {
  Subject s;
  const Point c{128, 128};
  const float r = 64.0f;
  maskDisc(s.cover, c, r);
  Mask ring(side, side);
  std::vector<Point> outer;
  std::vector<Point> inner;
  const float tilt = 0.35f;
  for (int a = 0; a <= 360; a += 4) {
    const float t = a * pi / 180.0f;
    outer.push_back({c.x + 118.0f * std::cos(t), c.y + 118.0f * std::sin(t) * tilt});
    inner.push_back({c.x + 86.0f * std::cos(t), c.y + 86.0f * std::sin(t) * tilt});
  }
  maskPolygon(ring, outer);
  shade(s.colour, [&](float u, float v) {
    const float x = u * side - c.x;
    const float y = v * side - c.y;
    const float dx = x / r;
    const float dy = y / r;
    const float z = sphereZ(dx, dy);
    const float light = clamp01(-0.6f * dx + 0.3f * dy + 0.75f * z);
    const float bands = 0.5f + 0.5f * std::sin(dy * 14.0f + fbm(dx * 4, dy * 20, 4, 301) * 3.0f);
    Colour planet = mix(rgb8(180, 120, 70), rgb8(240, 210, 160), bands) * light;
    // The ring: its near half passes in front of the planet.
    const float e = std::hypot(x, y / tilt);
    const bool onRing = e > 86.0f && e < 118.0f;
    const bool inFront = y < 0.0f;
    const float ringBright = 0.6f + 0.4f * std::sin(e * 0.7f);
    const Colour ringColour = rgb8(220, 200, 170) * ringBright;
    if (onRing && (inFront || z <= 0.0f)) return ringColour;
    return z > 0.0f ? planet : Colour{};
  });
  // The ring around the planet covers what it hides, minus its inner gap.
  Mask gap(side, side);
  maskPolygon(gap, inner);
  for (size_t i = 0; i < ring.a.size(); ++i) {
    s.cover.a[i] = std::max(s.cover.a[i], ring.a[i] * (1.0f - gap.a[i]));
  }
  return s;
}

Subject juliaSet() {
  Subject s;
  maskDisc(s.cover, {128, 128}, 110.0f);
  const std::complex<float> k(-0.8f, 0.156f);
  shade(s.colour, [&](float u, float v) {
    std::complex<float> z((u - 0.5f) * 3.2f, (v - 0.5f) * 3.2f);
    int n = 0;
    for (; n < 120 && std::norm(z) < 16.0f; ++n) z = z * z + k;
    if (n == 120) return rgb8(10, 0, 30);
    const float t = (n - std::log2(std::log2(std::norm(z)) * 0.5f)) / 40.0f;
    return Colour{clamp01(0.5f + 0.5f * std::sin(t * 6.0f)),
                  clamp01(0.5f + 0.5f * std::sin(t * 6.0f + 2.0f)),
                  clamp01(0.6f + 0.4f * std::sin(t * 6.0f + 4.0f))} *
           clamp01(t * 3.0f);
  });
  return s;
}

Subject mirrorSphere() {
  Subject s;
  const Point c{128, 128};
  const float r = 96.0f;
  maskDisc(s.cover, c, r);
  shade(s.colour, [&](float u, float v) {
    const float dx = (u * side - c.x) / r;
    const float dy = (v * side - c.y) / r;
    const float z = sphereZ(dx, dy);
    if (z <= 0.0f) return Colour{};
    // Reflect the view ray and look up a sky above a checkered floor.
    const float rx = 2.0f * z * dx;
    const float ry = 2.0f * z * dy;
    const float rz = 2.0f * z * z - 1.0f;
    Colour env;
    if (ry > 0.0f) {
      env = mix(rgb8(200, 220, 240), rgb8(40, 90, 180), ry);
    } else {
      const float fx = rx / (-ry + 0.05f);
      const float fz = rz / (-ry + 0.05f);
      const bool dark =
          (static_cast<int>(std::floor(fx * 2.0f)) + static_cast<int>(std::floor(fz * 2.0f))) % 2 !=
          0;
      env = dark ? rgb8(40, 40, 50) : rgb8(230, 230, 220);
    }
    const float fresnel = 0.6f + 0.4f * std::pow(1.0f - z, 3.0f);
    const float highlight = std::pow(clamp01(-0.4f * dx + 0.5f * dy + 0.77f * z), 80.0f);
    return env * fresnel + grey(highlight);
  });
  return s;
}

Subject flower() {
  Subject s;
  const Point c{128, 128};
  std::vector<Point> outline;
  for (int a = 0; a < 720; ++a) {
    const float t = a * pi / 360.0f;
    const float r = 40.0f + 72.0f * std::pow(std::fabs(std::cos(2.5f * t)), 0.8f);
    outline.push_back({c.x + r * std::cos(t), c.y + r * std::sin(t)});
  }
  maskPolygon(s.cover, outline);
  shade(s.colour, [&](float u, float v) {
    const float x = u * side - c.x;
    const float y = v * side - c.y;
    const float r = std::hypot(x, y) / 112.0f;
    const float t = std::atan2(y, x);
    const float veins = 0.85f + 0.15f * std::cos(t * 40.0f);
    Colour petal = mix(rgb8(255, 230, 120), rgb8(230, 40, 110), smoothstep(0.15f, 0.7f, r)) * veins;
    if (r < 0.16f)
      petal = mix(rgb8(120, 60, 10), rgb8(250, 190, 40),
                  hashUnit(static_cast<int>(u * 256), static_cast<int>(v * 256), 311));
    return petal;
  });
  return s;
}

Subject shell() {
  Subject s;
  const Point c{138, 118};
  // A logarithmic spiral, r = a e^(b t), walled into chambers.
  const float a0 = 8.0f;
  const float b = 0.19f;
  std::vector<Point> outline;
  for (int a = 0; a <= 720; a += 3) {
    const float t = a * pi / 180.0f;
    const float r = a0 * std::exp(b * t);
    outline.push_back({c.x + r * std::cos(t), c.y + r * std::sin(t)});
  }
  maskPolygon(s.cover, outline);
  Mask walls(side, side);
  std::vector<Point> spiral;
  for (int a = 0; a <= 720; a += 3) {
    const float t = a * pi / 180.0f;
    const float r = a0 * std::exp(b * (t - 2 * pi));
    spiral.push_back({c.x + r * std::cos(t), c.y + r * std::sin(t)});
  }
  maskPolyline(walls, spiral, 1.5f);
  for (int k = 0; k < 24; ++k) {
    const float t = 2 * pi + k * 2 * pi / 12.0f * 0.5f;
    const float r0 = a0 * std::exp(b * (t - 2 * pi));
    const float r1 = a0 * std::exp(b * t);
    maskSegment(walls, {c.x + r0 * std::cos(t), c.y + r0 * std::sin(t)},
                {c.x + r1 * std::cos(t + 0.15f), c.y + r1 * std::sin(t + 0.15f)}, 1.2f);
  }
  shade(s.colour, [&](float u, float v) {
    const float x = u * side - c.x;
    const float y = v * side - c.y;
    const float r = std::hypot(x, y);
    const float stripes = 0.5f + 0.5f * std::sin(std::atan2(y, x) * 9.0f + r * 0.05f);
    return mix(rgb8(250, 236, 210), rgb8(190, 110, 60), stripes * smoothstep(30.0f, 110.0f, r));
  });
  for (size_t i = 0; i < s.colour.px.size(); ++i)
    s.colour.px[i] = mix(s.colour.px[i], rgb8(120, 70, 40), walls.a[i]);
  return s;
}

Subject galaxy() {
  Subject s;
  shade(s.colour, [](float u, float v) {
    const float x = (u - 0.5f) * 2.0f;
    const float y = (v - 0.5f) * 2.6f;
    const float r = std::hypot(x, y);
    const float t = std::atan2(y, x);
    const float arms =
        std::pow(0.5f + 0.5f * std::cos(2.0f * t - std::log(r + 0.02f) * 4.0f), 3.0f);
    const float dust = fbm(u * 12.0f, v * 12.0f, 5, 321);
    const float disc = std::exp(-r * 2.6f) * (0.3f + arms * (0.6f + 0.6f * dust));
    const float core = std::exp(-r * r * 60.0f);
    Colour c = mix(rgb8(120, 150, 255), rgb8(255, 230, 200), clamp01(core * 2.0f + (1.0f - r)));
    c = c * (disc * 1.6f + core);
    if (hashUnit(static_cast<int>(u * 256), static_cast<int>(v * 256), 322) > 0.995f)
      c = c + grey(0.6f);
    return c;
  });
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const Colour& c = s.colour.at(x, y);
      s.cover.at(x, y) = clamp01((c.r + c.g + c.b) * 2.0f);
    }
  }
  return s;
}

Subject harmonograph() {
  Subject s;
  Mask line(side, side);
  std::vector<Point> curve;
  for (int k = 0; k < 6000; ++k) {
    const float t = k * 0.02f;
    const float decay = std::exp(-t * 0.012f);
    curve.push_back({128.0f + 100.0f * decay * std::sin(t * 2.01f + 0.3f),
                     128.0f + 100.0f * decay * std::sin(t * 3.0f)});
  }
  maskPolyline(line, curve, 0.6f);
  shade(s.colour, [](float u, float v) {
    return Colour{0.5f + 0.5f * u, 0.4f + 0.6f * v, 1.0f - 0.5f * u};
  });
  for (size_t i = 0; i < s.colour.px.size(); ++i) s.colour.px[i] = s.colour.px[i] * line.a[i];
  s.cover = line;
  blur(s.cover, 2);
  for (float& a : s.cover.a) a = clamp01(a * 3.0f);
  return s;
}

Subject bubbles() {
  Subject s;
  const float spots[6][3] = {{110, 140, 60}, {170, 100, 40}, {176, 176, 30},
                             {76, 84, 28},   {140, 60, 20},  {60, 190, 22}};
  Image& image = s.colour;
  for (const auto& b : spots) {
    const Point c{b[0], b[1]};
    const float r = b[2];
    maskDisc(s.cover, c, r);
    for (int y = 0; y < side; ++y) {
      for (int x = 0; x < side; ++x) {
        const float d = std::hypot(x + 0.5f - c.x, y + 0.5f - c.y) / r;
        if (d > 1.0f) continue;
        // Thin-film colours strongest at the rim, a window highlight.
        const float film = std::pow(d, 4.0f);
        const float phase = d * 9.0f + (y - c.y) / r * 2.0f;
        const Colour irid{0.5f + 0.5f * std::sin(phase), 0.5f + 0.5f * std::sin(phase + 2.1f),
                          0.5f + 0.5f * std::sin(phase + 4.2f)};
        const float highlight = std::exp(
            -std::pow(std::hypot(x - c.x + r * 0.35f, y - c.y - r * 0.4f) / (r * 0.15f), 2.0f));
        image.at(x, y) = image.at(x, y) * 0.3f + irid * (0.15f + 0.85f * film) + grey(highlight);
      }
    }
  }
  return s;
}

Subject eclipse() {
  Subject s;
  const Point c{128, 128};
  const float r = 52.0f;
  shade(s.colour, [&](float u, float v) {
    const float x = u * side - c.x;
    const float y = v * side - c.y;
    const float d = std::hypot(x, y);
    if (d < r) return Colour{};
    const float t = std::atan2(y, x);
    const float rays = 0.6f + 0.4f * fbm(t * 6.0f + 20.0f, 0.5f, 4, 331);
    const float corona = std::exp(-(d - r) / (18.0f + 30.0f * rays)) * rays;
    Colour c2 =
        mix(rgb8(120, 160, 255), rgb8(255, 250, 240), clamp01(corona * 1.4f)) * (corona * 1.6f);
    // The last bead of sunlight at the edge.
    c2 = c2 +
         rgb8(255, 240, 210) * (1.5f * std::exp(-std::hypot(x - r * 0.75f, y - r * 0.68f) / 4.0f));
    return c2;
  });
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const Colour& col = s.colour.at(x, y);
      s.cover.at(x, y) = clamp01((col.r + col.g + col.b) * 1.5f);
    }
  }
  maskDisc(s.cover, c, r + 1.0f);
  return s;
}

Subject subject(int n) {
  switch (n) {
    case 1:
      return ringedPlanet();
    case 2:
      return juliaSet();
    case 3:
      return mirrorSphere();
    case 4:
      return flower();
    case 5:
      return shell();
    case 6:
      return galaxy();
    case 7:
      return harmonograph();
    case 8:
      return bubbles();
    default:
      return eclipse();
  }
}

}  // namespace

Image paintGallery(int n) {
  Subject s = subject(n);
  for (size_t i = 0; i < s.colour.px.size(); ++i) s.colour.px[i] = s.colour.px[i] * s.cover.a[i];
  return s.colour;
}

Image paintGalleryMask(int n) {
  const Subject s = subject(n);
  Image mask(side, side);
  for (size_t i = 0; i < mask.px.size(); ++i) mask.px[i] = grey(1.0f - s.cover.a[i]);
  return mask;
}
