// The gallery: nine subjects, each alone on black, and for each a mask that
// is white around the subject and black where it stands. The gallery scene
// multiplies the screen by the mask, then adds the picture, so the subject
// shows cleanly over the turning backdrop. The scene shows them up to about
// 900 pixels wide, so they are painted at 512, and on squares that the
// screen widens to 4:3, so they are painted narrowed by 3/4.
#include <algorithm>
#include <cmath>
#include <complex>
#include <map>
#include <vector>

#include "tools/pictures/painters.h"

namespace {

constexpr float pi = 3.14159265f;
constexpr int side = 512;
// The subjects are laid out on a 256-unit square, scaled to the picture.
constexpr float k = side / 256.0f;

struct Subject {
  Image colour{side, side};
  Mask cover{side, side};
};

// Sphere shading: the normal's z from a point inside the disc.
float sphereZ(float dx, float dy) { return std::sqrt(clamp01(1.0f - dx * dx - dy * dy)); }

// Layout units of a shader's u, v in 0..1.
float units(float t) { return t * 256.0f; }

// The coverage of a pixel by a disc of radius r (in pixels) at distance d
// of its centre: a one-pixel ramp across the edge.
float discCoverage(float d, float r) { return clamp01(r - d + 0.5f); }

Subject ringedPlanet() {
  Subject s;
  const Point c{128, 128};
  const float r = 64.0f;
  const float tilt = 0.35f;
  maskDisc(s.cover, {c.x * k, c.y * k}, r * k);
  Mask ring(side, side);
  std::vector<Point> outer;
  std::vector<Point> inner;
  for (int a = 0; a <= 720; ++a) {
    const float t = a * pi / 360.0f;
    outer.push_back({(c.x + 118.0f * std::cos(t)) * k, (c.y + 118.0f * std::sin(t) * tilt) * k});
    inner.push_back({(c.x + 86.0f * std::cos(t)) * k, (c.y + 86.0f * std::sin(t) * tilt) * k});
  }
  maskPolygon(ring, outer);
  shadeSmooth(s.colour, 4, [&](float u, float v) {
    const float x = units(u) - c.x;
    const float y = units(v) - c.y;
    const float dx = x / r;
    const float dy = y / r;
    const float z = sphereZ(dx, dy);
    const float light = clamp01(-0.6f * dx + 0.3f * dy + 0.75f * z);
    const float bands = 0.5f + 0.5f * std::sin(dy * 14.0f + fbm(dx * 4, dy * 20, 4, 301) * 3.0f);
    const Colour planet = mix(rgb8(180, 120, 70), rgb8(240, 210, 160), bands) * light;
    // The ring: its near half passes in front of the planet, and the planet
    // casts its shadow on the far half.
    const float e = std::hypot(x, y / tilt);
    const bool onRing = e > 86.0f && e < 118.0f;
    const bool inFront = y < 0.0f;
    const float ringBright = 0.6f + 0.4f * std::sin(e * 0.7f);
    const Colour ringColour = rgb8(220, 200, 170) * ringBright;
    if (onRing && (inFront || z <= 0.0f)) return ringColour;
    return z > 0.0f ? planet : Colour{};
  });
  Mask gap(side, side);
  maskPolygon(gap, inner);
  for (size_t i = 0; i < ring.a.size(); ++i) {
    s.cover.a[i] = std::max(s.cover.a[i], ring.a[i] * (1.0f - gap.a[i]));
  }
  return s;
}

// The Julia set of -0.8 + 0.156i in ice and gold on a night-blue ground
// that fades out towards a soft round edge.
Subject juliaSet() {
  Subject s;
  const std::complex<float> kc(-0.8f, 0.156f);
  shadeSmooth(s.colour, 3, [&](float u, float v) {
    std::complex<float> z((u - 0.5f) * 3.2f, (v - 0.5f) * 3.2f);
    int n = 0;
    for (; n < 160 && std::norm(z) < 64.0f; ++n) z = z * z + kc;
    if (n == 160) return rgb8(255, 214, 120);
    const float t = (n - std::log2(std::log2(std::norm(z)) * 0.5f)) / 60.0f;
    const float glow = std::pow(clamp01(t), 0.8f);
    Colour c = mix(rgb8(6, 10, 40), rgb8(60, 120, 220), clamp01(glow * 2.0f));
    c = mix(c, rgb8(230, 245, 255), clamp01(glow * 2.0f - 1.0f));
    return c;
  });
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const float d = std::hypot(x + 0.5f - side / 2.0f, y + 0.5f - side / 2.0f) / (118.0f * k);
      s.cover.at(x, y) = 1.0f - smoothstep(0.8f, 1.0f, d);
    }
  }
  return s;
}

// A chrome ball reflecting a blue sky over a checkered floor. The floor's
// squares shrink towards the horizon, where they melt into the haze instead
// of flickering, and the horizon itself is a soft band.
Subject mirrorSphere() {
  Subject s;
  const Point c{128, 128};
  const float r = 96.0f;
  maskDisc(s.cover, {c.x * k, c.y * k}, r * k);
  shadeSmooth(s.colour, 4, [&](float u, float v) {
    const float dx = (units(u) - c.x) / r;
    const float dy = (units(v) - c.y) / r;
    const float z = sphereZ(dx, dy);
    if (dx * dx + dy * dy >= 1.0f) return Colour{};
    // Reflect the view ray and look up the world around the ball.
    const float rx = 2.0f * z * dx;
    const float ry = 2.0f * z * dy;
    const float rz = 2.0f * z * z - 1.0f;
    const Colour sky = mix(rgb8(200, 220, 240), rgb8(40, 90, 180), clamp01(ry));
    const Colour haze = rgb8(170, 172, 176);
    const float depth = -ry + 0.05f;
    const float fx = rx / depth;
    const float fz = rz / depth;
    const bool dark =
        (static_cast<int>(std::floor(fx * 2.0f)) + static_cast<int>(std::floor(fz * 2.0f))) % 2 !=
        0;
    const Colour square = dark ? rgb8(40, 40, 50) : rgb8(230, 230, 220);
    // Far squares are smaller than a pixel: they go to the haze.
    const Colour floor = mix(square, haze, smoothstep(2.0f, 8.0f, std::hypot(fx, fz)));
    const Colour env = mix(floor, sky, smoothstep(-0.04f, 0.04f, ry));
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
  for (int a = 0; a < 1440; ++a) {
    const float t = a * pi / 720.0f;
    const float r = 40.0f + 72.0f * std::pow(std::fabs(std::cos(2.5f * t)), 0.8f);
    outline.push_back({(c.x + r * std::cos(t)) * k, (c.y + r * std::sin(t)) * k});
  }
  maskPolygon(s.cover, outline);
  shadeSmooth(s.colour, 3, [&](float u, float v) {
    const float x = units(u) - c.x;
    const float y = units(v) - c.y;
    const float r = std::hypot(x, y) / 112.0f;
    const float t = std::atan2(y, x);
    const float veins = 0.85f + 0.15f * std::cos(t * 40.0f);
    Colour petal = mix(rgb8(255, 230, 120), rgb8(230, 40, 110), smoothstep(0.15f, 0.7f, r)) * veins;
    // The seeds: a speckle in the middle, with a soft border.
    const Colour seeds = mix(rgb8(120, 60, 10), rgb8(250, 190, 40),
                             hashUnit(static_cast<int>(u * 256), static_cast<int>(v * 256), 311));
    return mix(petal, seeds, 1.0f - smoothstep(0.15f, 0.17f, r));
  });
  return s;
}

// A chambered shell: a logarithmic spiral r = a e^(b t) walled into
// chambers, its last whorl closed by a rounded lip, centred in the picture.
Subject shell() {
  Subject s;
  const float a0 = 8.0f;
  const float b = 0.19f;
  const auto spiral = [&](float t) { return a0 * std::exp(b * t); };
  // The outline about the spiral's pole: the whorls, then the lip from the
  // outer end back to the inner whorl, bulging the way the shell grows.
  std::vector<Point> outline;
  for (int a = 0; a <= 720; a += 2) {
    const float t = a * pi / 180.0f;
    outline.push_back({spiral(t) * std::cos(t), spiral(t) * std::sin(t)});
  }
  const float outerR = spiral(4 * pi);
  const float innerR = spiral(2 * pi);
  const float lipCentre = (outerR + innerR) / 2.0f;
  const float lipHalf = (outerR - innerR) / 2.0f;
  for (int a = 0; a <= 180; a += 3) {
    const float t = a * pi / 180.0f;
    outline.push_back({lipCentre + lipHalf * std::cos(t), lipHalf * 0.55f * std::sin(t)});
  }
  float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
  for (const Point& p : outline) {
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
  // The shell fills 84 % of the larger side, its bounding box centred.
  const float scale = 0.84f * side / std::max(maxX - minX, maxY - minY);
  const Point pole{side / 2.0f - (minX + maxX) / 2.0f * scale,
                   side / 2.0f - (minY + maxY) / 2.0f * scale};
  const auto place = [&](Point p) { return Point{pole.x + p.x * scale, pole.y + p.y * scale}; };
  std::vector<Point> placed;
  for (const Point& p : outline) placed.push_back(place(p));
  maskPolygon(s.cover, placed);

  Mask walls(side, side);
  std::vector<Point> innerWhorl;
  for (int a = 0; a <= 720; a += 2) {
    const float t = a * pi / 180.0f;
    const float rr = spiral(t - 2 * pi);
    innerWhorl.push_back(place({rr * std::cos(t), rr * std::sin(t)}));
  }
  maskPolyline(walls, innerWhorl, 1.2f * scale);
  std::vector<Point> lip;
  for (int a = 0; a <= 180; a += 3) {
    const float t = a * pi / 180.0f;
    lip.push_back(place({lipCentre + lipHalf * std::cos(t), lipHalf * 0.55f * std::sin(t)}));
  }
  maskPolyline(walls, lip, 0.8f * scale);
  for (int w = 0; w < 24; ++w) {
    const float t = 2 * pi + w * pi / 12.0f;
    const float r0 = spiral(t - 2 * pi);
    const float r1 = spiral(t);
    maskSegment(walls, place({r0 * std::cos(t), r0 * std::sin(t)}),
                place({r1 * std::cos(t + 0.15f), r1 * std::sin(t + 0.15f)}), 0.9f * scale);
  }
  shade(s.colour, [&](float u, float v) {
    const float x = (u * side - pole.x) / scale;
    const float y = (v * side - pole.y) / scale;
    const float rr = std::hypot(x, y);
    const float stripes = 0.5f + 0.5f * std::sin(std::atan2(y, x) * 9.0f + rr * 0.05f);
    Colour shellColour =
        mix(rgb8(250, 236, 210), rgb8(190, 110, 60), stripes * smoothstep(30.0f, 110.0f, rr));
    // The lip is the same shell seen a little from inside: faintly pearly
    // and shadowed towards the inner whorl.
    const float lx = (x - lipCentre) / lipHalf;
    const float ly = y / (lipHalf * 0.55f);
    const float inLip = y > 0.0f ? clamp01((1.0f - lx * lx - ly * ly) * 8.0f) : 0.0f;
    const Colour pearl = mix(rgb8(236, 214, 206), rgb8(170, 120, 100), clamp01(0.5f - lx * 0.5f));
    return mix(shellColour, pearl, inLip * 0.8f);
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
    // The disc fades out within the picture, so that it has no edge.
    const float edge = 1.0f - smoothstep(0.75f, 0.98f, 2.0f * std::hypot(u - 0.5f, v - 0.5f));
    const float disc = std::exp(-r * 2.6f) * (0.3f + arms * (0.6f + 0.6f * dust)) * edge;
    const float core = std::exp(-r * r * 60.0f);
    Colour c = mix(rgb8(120, 150, 255), rgb8(255, 230, 200), clamp01(core * 2.0f + (1.0f - r)));
    c = c * (disc * 1.6f + core);
    if (hashUnit(static_cast<int>(u * 256), static_cast<int>(v * 256), 322) > 0.995f)
      c = c + grey(0.6f);
    return c;
  });
  for (size_t i = 0; i < s.colour.px.size(); ++i) {
    const Colour& c = s.colour.px[i];
    s.cover.a[i] = clamp01((c.r + c.g + c.b) * 2.0f);
  }
  return s;
}

Subject harmonograph() {
  Subject s;
  Mask line(side, side);
  std::vector<Point> curve;
  for (int n = 0; n < 12000; ++n) {
    const float t = n * 0.01f;
    const float decay = std::exp(-t * 0.012f);
    curve.push_back({(128.0f + 100.0f * decay * std::sin(t * 2.01f + 0.3f)) * k,
                     (128.0f + 100.0f * decay * std::sin(t * 3.0f)) * k});
  }
  maskPolyline(line, curve, 0.6f * k);
  shade(s.colour, [](float u, float v) {
    return Colour{0.5f + 0.5f * u, 0.4f + 0.6f * v, 1.0f - 0.5f * u};
  });
  for (size_t i = 0; i < s.colour.px.size(); ++i) s.colour.px[i] = s.colour.px[i] * line.a[i];
  s.cover = line;
  blur(s.cover, 2 * static_cast<int>(k));
  for (float& a : s.cover.a) a = clamp01(a * 3.0f);
  return s;
}

// Soap bubbles: clear in the middle, a faint thin-film sheen towards the
// rim, a window highlight.
Subject bubbles() {
  Subject s;
  const float spots[6][3] = {{110, 140, 60}, {170, 100, 40}, {176, 176, 30},
                             {76, 84, 28},   {140, 60, 20},  {60, 190, 22}};
  for (const auto& spot : spots) maskDisc(s.cover, {spot[0] * k, spot[1] * k}, spot[2] * k);
  shadeSmooth(s.colour, 4, [&](float u, float v) {
    Colour c;
    for (const auto& spot : spots) {
      const float x = units(u) - spot[0];
      const float y = units(v) - spot[1];
      const float r = spot[2];
      const float d = std::hypot(x, y) / r;
      const float inside = discCoverage(d * r * k, r * k);
      if (inside <= 0.0f) continue;
      const float film = std::pow(std::min(d, 1.0f), 6.0f);
      const float phase = d * 7.0f + y / r * 1.5f;
      const Colour sheen = mix(rgb8(120, 170, 255), rgb8(255, 190, 220), 0.5f + 0.5f * std::sin(phase));
      const float highlight =
          std::exp(-std::pow(std::hypot(x + r * 0.35f, y - r * 0.4f) / (r * 0.14f), 2.0f));
      c = c * (1.0f - 0.5f * inside) +
          (grey(0.06f) + sheen * (0.75f * film) + grey(0.9f * highlight)) * inside;
    }
    return c;
  });
  return s;
}

// A total eclipse: the black moon, the corona's streamers all round it and
// the last bead of sunlight at its edge.
Subject eclipse() {
  Subject s;
  const Point c{128, 128};
  const float r = 52.0f;
  shade(s.colour, [&](float u, float v) {
    const float x = units(u) - c.x;
    const float y = units(v) - c.y;
    const float d = std::hypot(x, y);
    // The streamers: noise along a circle, so that it closes on itself.
    const float t = std::atan2(y, x);
    const float rays = 0.6f + 0.4f * fbm(std::cos(t) * 3.0f + 20.0f, std::sin(t) * 3.0f + 7.0f, 4, 331);
    // The corona thins out to nothing before the picture's edge, all round.
    const float corona = std::exp(-std::max(d - r, 0.0f) / (18.0f + 30.0f * rays)) * rays *
                         (1.0f - smoothstep(72.0f, 127.0f, d));
    Colour light =
        mix(rgb8(120, 160, 255), rgb8(255, 250, 240), clamp01(corona * 1.4f)) * (corona * 1.6f);
    light = light +
            rgb8(255, 240, 210) * (1.5f * std::exp(-std::hypot(x - r * 0.75f, y - r * 0.68f) / 4.0f));
    // Clamped before the moon's edge is smoothed, so that the edge pixels
    // keep their share of black.
    const Colour shown{clamp01(light.r), clamp01(light.g), clamp01(light.b)};
    return shown * (1.0f - discCoverage(d * k, r * k));
  });
  for (size_t i = 0; i < s.colour.px.size(); ++i) {
    const Colour& col = s.colour.px[i];
    s.cover.a[i] = clamp01((col.r + col.g + col.b) * 1.5f);
  }
  maskDisc(s.cover, {c.x * k, c.y * k}, (r + 1.0f) * k);
  return s;
}

Subject paintSubject(int n) {
  switch (n) {
    case 1: return ringedPlanet();
    case 2: return juliaSet();
    case 3: return mirrorSphere();
    case 4: return flower();
    case 5: return shell();
    case 6: return galaxy();
    case 7: return harmonograph();
    case 8: return bubbles();
    default: return eclipse();
  }
}

// Each subject is painted once for its picture and its mask.
const Subject& subject(int n) {
  static std::map<int, Subject> painted;
  auto found = painted.find(n);
  if (found == painted.end()) found = painted.emplace(n, paintSubject(n)).first;
  return found->second;
}

}  // namespace

Image paintGallery(int n) {
  const Subject& s = subject(n);
  Image image = s.colour;
  for (size_t i = 0; i < image.px.size(); ++i) image.px[i] = image.px[i] * s.cover.a[i];
  return squeezedToFit(image, Colour{});
}

Image paintGalleryMask(int n) {
  const Subject& s = subject(n);
  Image mask(side, side);
  for (size_t i = 0; i < mask.px.size(); ++i) mask.px[i] = grey(1.0f - s.cover.a[i]);
  return squeezedToFit(mask, grey(1.0f));
}
