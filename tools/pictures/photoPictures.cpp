// Procedural photographs (landscapes, skies and materials), the backgrounds,
// the party picture and two ornaments.
#include <cmath>
#include <vector>

#include "tools/pictures/painters.h"

namespace {

constexpr float pi = 3.14159265f;

Colour skyGradient(float v, float horizon, Colour low, Colour high) {
  return mix(low, high, std::pow(clamp01((v - horizon) / (1.0f - horizon)), 0.7f));
}

// Soft cumulus: density above a threshold, lit from above.
float cloudDensity(float u, float v, uint32_t seed) {
  return fbm(u * 3.0f, v * 5.0f, 6, seed) - 0.52f;
}

Colour cloudySky(float u, float v, float horizon, Colour low, Colour high, uint32_t seed,
                 float amount) {
  Colour sky = skyGradient(v, horizon, low, high);
  const float d = cloudDensity(u, v, seed) + amount;
  if (d > 0.0f) {
    const float lit = clamp01(0.75f + (d - (cloudDensity(u, v - 0.02f, seed) + amount)) * 6.0f);
    sky = mix(sky, grey(lit), clamp01(d * 5.0f));
  }
  return sky;
}

void finish(Image& image, uint32_t seed) {
  vignette(image, 0.35f);
  grain(image, 0.035f, seed);
}

// Snowy mountains over a green valley: a height field seen in perspective,
// drawn column by column from near to far (each column only grows upward).
Image mountains() {
  Image image(256, 256);
  shade(image, [](float u, float v) {
    return cloudySky(u, v, 0.5f, rgb8(206, 220, 236), rgb8(52, 104, 178), 11, -0.04f);
  });
  const auto terrain = [](float x, float z) {
    const float crest = ridged(x * 0.045f, z * 0.045f, 7, 21);
    const float valley = std::min(1.0f, std::fabs(x) * 0.05f);
    return 14.0f * crest * crest * (0.25f + valley) + 2.0f * fbm(x * 0.3f, z * 0.3f, 3, 22);
  };
  const float eye = 7.0f;
  const float horizon = 140.0f;
  const float focal = 190.0f;
  for (int column = 0; column < 256; ++column) {
    const float dx = (column + 0.5f - 128.0f) / focal;
    float top = 0.0f;
    for (float z = 2.0f; z < 160.0f; z *= 1.012f) {
      const float x = dx * z;
      const float h = terrain(x, z);
      const float row = horizon + (h - eye) / z * focal;
      if (row <= top) continue;
      // Light from the left and above, by the slope of the ground.
      const float e = 0.05f * z;
      const float sx = (terrain(x + e, z) - terrain(x - e, z)) / (2 * e);
      const float sz = (terrain(x, z + e) - terrain(x, z - e)) / (2 * e);
      const float light = clamp01((0.6f * sx * -1.0f + 0.5f * sz * -0.2f + 0.8f) /
                                  std::sqrt(sx * sx + sz * sz + 1.0f));
      const float steep = std::sqrt(sx * sx + sz * sz);
      Colour ground = mix(rgb8(52, 82, 36), rgb8(120, 140, 70), fbm(x * 3.0f, z * 3.0f, 3, 23));
      const float rockiness = smoothstep(0.5f, 1.0f, steep) + smoothstep(4.0f, 7.0f, h);
      ground = mix(ground, rgb8(110, 102, 96), clamp01(rockiness));
      if (h > 9.0f - 2.0f * steep) ground = mix(rgb8(150, 165, 195), grey(1.0f), light);
      ground = ground * (0.35f + 0.75f * light);
      const Colour c = mix(ground, rgb8(186, 204, 226), clamp01(z / 140.0f));
      for (int y = static_cast<int>(top); y < std::min(256, static_cast<int>(row)); ++y)
        image.at(column, y) = c;
      top = row;
      if (top >= 256.0f) break;
    }
  }
  finish(image, 1);
  return image;
}

// The sun going down behind a sea.
Image sunset() {
  Image image(256, 256);
  const float horizon = 0.38f;
  const Point sun{0.62f, 0.47f};
  shade(image, [&](float u, float v) {
    if (v >= horizon) {
      Colour c = skyGradient(v, horizon, rgb8(255, 150, 60), rgb8(60, 40, 110));
      const float d = std::hypot(u - sun.x, v - sun.y);
      c = c + rgb8(255, 190, 120) * (0.5f * std::exp(-d * 9.0f));
      if (d < 0.055f) c = mix(c, rgb8(255, 245, 210), smoothstep(0.055f, 0.05f, d));
      // Streaks of cloud lit from below.
      const float streak = fbm(u * 3.0f, v * 26.0f, 5, 61) - 0.55f;
      if (streak > 0.0f)
        c = mix(c, mix(rgb8(120, 50, 80), rgb8(255, 140, 90), clamp01(1.0f - (v - horizon) * 3)),
                clamp01(streak * 6));
      // A headland on the left.
      const float land =
          horizon + 0.06f * ridged(u * 3.0f, 1.0f, 4, 62) * clamp01((0.35f - u) * 4.0f);
      if (v < land) c = rgb8(30, 18, 40);
      return c;
    }
    // The sea: darker towards the viewer, a glittering path under the sun.
    const float depth = (horizon - v) / horizon;
    Colour c = mix(rgb8(120, 70, 90), rgb8(20, 24, 60), std::pow(depth, 0.6f));
    const float z = 1.0f / (horizon - v + 0.02f);
    const float wave = fbm(u * 6.0f * z * 0.2f, z * 2.0f, 4, 63);
    const float path = std::exp(-std::pow((u - sun.x) / (0.03f + depth * 0.12f), 2.0f));
    c = c + rgb8(255, 200, 120) * (path * smoothstep(0.5f, 0.75f, wave) * 1.2f);
    c = c + rgb8(90, 60, 70) * (wave * 0.25f);
    return c;
  });
  finish(image, 2);
  return image;
}

// Towering clouds in a blue sky.
Image clouds() {
  Image image(256, 256);
  shade(image, [](float u, float v) {
    Colour sky = skyGradient(v, 0.0f, rgb8(150, 190, 230), rgb8(30, 80, 170));
    const float d = fbm(u * 2.5f, v * 2.5f, 7, 71) - 0.48f + (0.3f - v) * 0.25f;
    if (d > 0.0f) {
      const float above = fbm(u * 2.5f, (v + 0.025f) * 2.5f, 7, 71) - 0.48f + (0.275f - v) * 0.25f;
      const float lit = clamp01(0.8f + (d - above) * 5.0f);
      const Colour cloud = mix(rgb8(120, 130, 150), rgb8(255, 252, 245), lit);
      sky = mix(sky, cloud, clamp01(d * 8.0f));
    }
    return sky;
  });
  finish(image, 3);
  return image;
}

// Dunes under a hot sky, seen along the ground.
Image dunes() {
  Image image(256, 256);
  const float horizon = 0.64f;
  shade(image, [&](float u, float v) {
    if (v > horizon) {
      return skyGradient(v, horizon, rgb8(238, 214, 180), rgb8(70, 120, 190));
    }
    const float z = 0.25f / (horizon - v + 0.01f);
    const float x = (u - 0.5f) * z;
    const float warp = fbm(x * 0.8f, z * 0.8f, 4, 81) * 3.0f;
    const float phase = x * 2.2f + z * 1.3f + warp;
    // Wind-shaped ridges: a gentle windward slope and a steep shadowed lee.
    const float ridge = phase - std::floor(phase);
    const float light = ridge < 0.78f ? 0.75f + 0.3f * ridge : 0.35f;
    const float ripples = 0.06f * std::sin(x * 40.0f + z * 25.0f + warp * 4.0f);
    Colour sand = rgb8(222, 150, 86) * (light + ripples);
    const float haze = clamp01(z / 40.0f);
    return mix(sand, rgb8(236, 200, 160), haze);
  });
  finish(image, 4);
  return image;
}

// Forested hills in morning mist.
Image mistyHills() {
  Image image(256, 256);
  shade(image, [](float u, float v) {
    Colour c = skyGradient(v, 0.5f, rgb8(236, 226, 206), rgb8(150, 176, 200));
    c = c + rgb8(90, 70, 30) * std::exp(-std::hypot(u - 0.3f, v - 0.75f) * 6.0f);
    for (int layer = 0; layer < 5; ++layer) {
      const float base = 0.62f - layer * 0.12f;
      const float hill = base + 0.08f * fbm(u * 2.0f + layer * 3.1f, layer * 1.3f, 3, 91);
      const float trees =
          0.025f * (1.0f - layer * 0.12f) * fbm(u * (60.0f + layer * 25.0f), layer * 7.0f, 2, 92);
      if (v > hill + trees) continue;
      const float near = layer / 4.0f;
      const Colour forest = mix(rgb8(150, 170, 175), rgb8(20, 50, 30), near);
      // Mist lies in the valleys, so each layer fades towards its foot.
      const float mist = smoothstep(hill, hill - 0.12f, v) * (0.55f - near * 0.4f);
      c = mix(forest * (0.85f + 0.3f * fbm(u * 50, v * 50, 3, 93)), rgb8(220, 224, 222), mist);
    }
    return c;
  });
  finish(image, 5);
  return image;
}

// A slab of granite under a lamp.
Image granite() {
  Image image(256, 256);
  shade(image, [](float u, float v) {
    const float base = fbm(u * 5.0f, v * 5.0f, 6, 101);
    Colour c = mix(rgb8(120, 104, 96), rgb8(190, 176, 164), base);
    const float grain1 = hashUnit(static_cast<int>(u * 256), static_cast<int>(v * 256), 102);
    // Dark and light crystals, small and sharp-edged.
    const float crystals = fbm(u * 90.0f, v * 90.0f, 3, 103);
    c = mix(c, rgb8(34, 30, 32), 0.85f * smoothstep(0.6f, 0.66f, crystals));
    c = mix(c, rgb8(236, 228, 220), 0.6f * smoothstep(0.36f, 0.3f, crystals));
    c = mix(c, rgb8(200, 120, 100),
            0.35f * smoothstep(0.62f, 0.7f, fbm(u * 40.0f, v * 40.0f, 2, 105)));
    if (grain1 > 0.985f) c = rgb8(250, 246, 240);
    const float crack = ridged(u * 3.0f, v * 3.0f, 4, 104);
    c = c * (1.0f - 0.6f * smoothstep(0.82f, 0.95f, crack));
    // Light from the upper left.
    return c * (0.75f + 0.45f * (1.0f - std::hypot(u - 0.2f, v - 0.85f)));
  });
  finish(image, 6);
  return image;
}

// Stars and the band of the galaxy over a dark ridge.
Image nightSky() {
  Image image(256, 256);
  shade(image, [](float u, float v) {
    Colour c = skyGradient(v, 0.0f, rgb8(30, 34, 70), rgb8(2, 4, 16));
    // The band runs diagonally, brightest along its middle, with dark lanes.
    const float across = (v - 0.15f - u * 0.8f) / 0.18f;
    const float band = std::exp(-across * across) * (0.4f + 0.8f * fbm(u * 8.0f, v * 8.0f, 6, 111));
    const float lanes = smoothstep(0.55f, 0.7f, fbm(u * 14.0f, v * 14.0f, 4, 112));
    c = c +
        mix(rgb8(120, 110, 150), rgb8(240, 220, 200), band) * (band * (1.0f - 0.7f * lanes) * 0.8f);
    const int x = static_cast<int>(u * 256);
    const int y = static_cast<int>(v * 256);
    const float star = hashUnit(x, y, 113);
    const float density = 0.992f - band * 0.02f;
    if (star > density) c = c + grey((star - density) / (1.0f - density));
    // A bright star or two with a halo.
    for (const Point s : {Point{0.22f, 0.78f}, Point{0.8f, 0.62f}, Point{0.55f, 0.9f}}) {
      c = c + rgb8(200, 220, 255) * (0.6f * std::exp(-std::hypot(u - s.x, v - s.y) * 60.0f));
    }
    const float ridge =
        0.12f + 0.08f * fbm(u * 3.0f, 0.5f, 4, 114) + 0.015f * fbm(u * 90.0f, 1.0f, 2, 115);
    if (v < ridge) c = rgb8(4, 6, 10);
    return c;
  });
  finish(image, 7);
  return image;
}

Image paintPhotographSquare(int n) {
  switch (n) {
    case 1:
      return mountains();
    case 2:
      return sunset();
    case 3:
      return clouds();
    case 4:
      return dunes();
    case 5:
      return mistyHills();
    case 6:
      return granite();
    default:
      return nightSky();
  }
}

}  // namespace

// The photographs, the backgrounds and the ornament are all shown on squares
// that the screen widens to 4:3.
Image paintPhotograph(int n) { return squeezedToFill(paintPhotographSquare(n)); }

Image paintBackgroundCool() {
  // Slow cool swirls: noise warped by noise.
  Image image(512, 512);
  shade(image, [](float u, float v) {
    const float qx = fbm(u * 3.0f, v * 3.0f, 5, 121);
    const float qy = fbm(u * 3.0f + 5.2f, v * 3.0f + 1.3f, 5, 122);
    const float f = fbm(u * 3.0f + 4.0f * qx, v * 3.0f + 4.0f * qy, 5, 123);
    Colour c = mix(rgb8(8, 20, 48), rgb8(40, 110, 150), clamp01(f * f * 2.2f));
    c = mix(c, rgb8(110, 70, 160), clamp01(qy * qy * 1.4f - 0.2f));
    return c + rgb8(150, 210, 230) * (0.5f * smoothstep(0.62f, 0.8f, f));
  });
  return squeezedToFill(image);
}

Image paintBackgroundWarm() {
  // Warm rings rippling out from below the middle, broken by noise.
  Image image(512, 512);
  shade(image, [](float u, float v) {
    const float warp = fbm(u * 4.0f, v * 4.0f, 5, 131);
    const float r = std::hypot(u - 0.45f, v - 0.4f) * 14.0f + warp * 5.0f;
    const float rings = 0.5f + 0.5f * std::sin(r);
    Colour c = mix(rgb8(70, 24, 10), rgb8(210, 110, 40), rings * (0.6f + 0.4f * warp));
    return mix(c, rgb8(250, 210, 130),
               smoothstep(0.7f, 0.9f, fbm(u * 9.0f, v * 9.0f, 4, 132)) * 0.5f);
  });
  return squeezedToFill(image);
}

Image paintMarble() {
  Image image(512, 512);
  shade(image, [](float u, float v) {
    const float turbulence = fbm(u * 4.0f, v * 4.0f, 7, 141);
    const float veins = std::fabs(std::sin((u * 3.0f + v * 1.5f + turbulence * 4.0f) * pi));
    const float fine =
        std::fabs(std::sin((u * 9.0f - v * 4.0f + fbm(u * 9, v * 9, 5, 142) * 6.0f) * pi));
    Colour c = mix(rgb8(236, 232, 222), rgb8(206, 212, 200), turbulence);
    c = mix(rgb8(60, 80, 70), c, std::pow(veins, 0.3f));
    return mix(rgb8(120, 130, 120), c, 0.35f + 0.65f * std::pow(fine, 0.12f));
  });
  return squeezedToFill(image);
}

Image paintParty() {
  // A party hall: the big screen at the back, light beams in the haze, rows
  // of tables with monitors, and the crowd in front.
  Image image(512, 512);
  shade(image, [](float u, float v) {
    Colour c = mix(rgb8(4, 4, 14), rgb8(20, 16, 46), v);
    const float haze = fbm(u * 5.0f, v * 5.0f, 5, 151);
    c = c + rgb8(40, 30, 70) * (haze * 0.6f);
    // The screen, showing a plasma.
    if (u > 0.22f && u < 0.78f && v > 0.56f && v < 0.88f) {
      const float p = std::sin(u * 20.0f) + std::sin(v * 16.0f + u * 8.0f) +
                      std::sin(std::hypot(u - 0.5f, v - 0.7f) * 40.0f);
      c = Colour{0.5f + 0.5f * std::sin(p * 1.7f), 0.5f + 0.5f * std::sin(p * 1.7f + 2.1f),
                 0.5f + 0.5f * std::sin(p * 1.7f + 4.2f)} *
          0.9f;
    }
    // Beams from the ceiling corners, brightened by the haze.
    const float beams[4][3] = {
        {0.05f, -0.9f, 0}, {0.95f, 0.9f, 1}, {0.3f, -0.35f, 2}, {0.7f, 0.35f, 3}};
    for (const auto& b : beams) {
      const float dx = u - b[0] - (1.0f - v) * b[1] * 0.5f;
      const float width = 0.02f + (1.0f - v) * 0.06f;
      const float beam = std::exp(-dx * dx / (width * width)) * (0.4f + haze);
      const Colour colour =
          static_cast<int>(b[2]) % 2 == 0 ? rgb8(255, 60, 200) : rgb8(60, 200, 255);
      c = c + colour * (beam * 0.35f);
    }
    return c;
  });
  // Tables with glowing monitors, then the crowd's silhouettes.
  Mask monitors(512, 512);
  for (int k = 0; k < 26; ++k) {
    const float x = 20.0f + k * 19.0f + hashUnit(k, 1, 152) * 8.0f;
    const float y = 236.0f + hashUnit(k, 2, 152) * 20.0f;
    maskRect(monitors, x, y, x + 10.0f, y + 8.0f);
  }
  Mask glow = monitors;
  blur(glow, 5);
  addLight(image, glow, rgb8(80, 140, 255));
  paint(image, monitors, rgb8(160, 210, 255));
  Mask tables(512, 512);
  maskRect(tables, 0, 206, 512, 236);
  paint(image, tables, rgb8(10, 8, 18));
  for (int row = 0; row < 3; ++row) {
    Mask people(512, 512);
    const float baseY = 150.0f - row * 70.0f;
    const float scale = 1.0f + row * 0.45f;
    for (int k = 0; k < 14 - row * 3; ++k) {
      const float x = (k + 0.3f * hashUnit(k, row, 153)) * (512.0f / (13.0f - row * 3.0f)) - 10.0f;
      const float y = baseY + hashUnit(k, row, 154) * 12.0f;
      maskEllipse(people, {x, y + 30.0f * scale}, 11.0f * scale, 14.0f * scale);
      maskEllipse(people, {x, y}, 30.0f * scale, 24.0f * scale);
      maskRect(people, x - 30.0f * scale, 0.0f, x + 30.0f * scale, y);
    }
    paint(image, people, mix(rgb8(0, 0, 0), rgb8(20, 14, 36), row == 0 ? 1.0f : 0.0f));
  }
  grain(image, 0.04f, 155);
  return squeezedToFill(image);
}

Image paintOrbits() {
  Image image(256, 256);
  shade(image, [](float u, float v) {
    return mix(rgb8(30, 20, 60), rgb8(2, 2, 10), clamp01(std::hypot(u - 0.5f, v - 0.5f) * 1.8f));
  });
  const Point centre{128, 128};
  Mask rings(256, 256);
  for (int k = 0; k < 3; ++k) {
    const float turn = k * pi / 3.0f;
    std::vector<Point> ring;
    for (int a = 0; a <= 360; a += 3) {
      const float t = a * pi / 180.0f;
      const float x = 100.0f * std::cos(t);
      const float y = 36.0f * std::sin(t);
      ring.push_back({centre.x + x * std::cos(turn) - y * std::sin(turn),
                      centre.y + x * std::sin(turn) + y * std::cos(turn)});
    }
    maskPolyline(rings, ring, 2.0f);
    const Point electron = ring[static_cast<size_t>(20 + k * 37)];
    maskDisc(rings, electron, 6.0f);
  }
  Mask glow = rings;
  blur(glow, 5);
  addLight(image, glow, rgb8(60, 200, 255));
  paint(image, rings, rgb8(200, 240, 255));
  Mask core(256, 256);
  maskDisc(core, centre, 16.0f);
  Mask coreGlow = core;
  blur(coreGlow, 10);
  addLight(image, coreGlow, rgb8(255, 170, 60) * 1.5f);
  paint(image, core, rgb8(255, 220, 140));
  return squeezedToFill(image);
}

Image paintFrames() {
  // Nested frames of light that the zoom scene closes in on.
  Image image(256, 256, grey(0.0f));
  Mask frames(256, 256);
  for (int k = 0; k < 9; ++k) {
    const float h = 10.0f + k * 14.0f;
    maskPolyline(frames,
                 {{128 - h, 128 - h},
                  {128 - h, 128 + h},
                  {128 + h, 128 + h},
                  {128 + h, 128 - h},
                  {128 - h, 128 - h}},
                 k % 3 == 0 ? 2.2f : 1.0f);
  }
  Mask glow = frames;
  blur(glow, 4);
  addLight(image, glow, rgb8(255, 140, 60));
  paint(image, frames, rgb8(255, 230, 190));
  Mask diagonals(256, 256);
  maskSegment(diagonals, {0, 0}, {256, 256}, 0.8f);
  maskSegment(diagonals, {0, 256}, {256, 0}, 0.8f);
  paint(image, diagonals, rgb8(140, 90, 200), 0.6f);
  return image;
}
