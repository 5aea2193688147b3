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

// The sky over a lake, h above its water line at picture height v.
Colour cloudySkyAbove(float u, float h, float v) {
  return cloudySky(u, v, 0.46f, rgb8(214, 222, 230), rgb8(70, 120, 186), 107, -0.08f) *
         (0.95f + 0.1f * h);
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
  const float eye = 9.5f;
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
      // Snow above the line, shaded blue where it turns from the light,
      // streaked by the wind.
      if (h > 8.0f - 2.0f * steep) {
        const float drift = 0.88f + 0.2f * fbm(x * 6.0f, z * 6.0f, 3, 24);
        ground = mix(rgb8(96, 116, 160), rgb8(250, 250, 255), light * light) * drift;
      }
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
      // Each ridge rises and falls its own way: a long swell and a rolling
      // crest line.
      const float hill = base + 0.06f * std::sin(u * (2.2f + layer * 0.9f) + layer * 2.3f) +
                         0.16f * (fbm(u * 1.6f + layer * 3.1f, layer * 1.3f, 4, 91) - 0.5f);
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

// A mountain lake: far blue ridges and a dark wooded shore mirrored in
// still water, granite boulders in the foreground.
Image mountainLake() {
  Image image(256, 256);
  const float horizon = 0.46f;
  // The heights of the far ridges and of the near wooded shore above the
  // water line, for a given u.
  const auto farRidge = [](float u) {
    const float crest = ridged(u * 2.6f + 3.0f, 0.4f, 5, 101);
    const float swell = fbm(u * 2.0f + 7.0f, 0.9f, 5, 109);
    return 0.03f + 0.5f * clamp01(swell - 0.3f) + 0.18f * crest * crest;
  };
  const auto shore = [](float u) {
    return 0.03f + 0.05f * fbm(u * 5.0f, 2.0f, 3, 102) + 0.012f * fbm(u * 80.0f, 3.0f, 2, 103);
  };
  // The land above the water line at height h (0 at the water line).
  const auto land = [&](float u, float h, float sky) -> Colour {
    Colour c = cloudySkyAbove(u, h, sky);
    if (h < farRidge(u)) {
      const float snow = smoothstep(farRidge(u) - 0.04f, farRidge(u) - 0.01f, h) *
                         smoothstep(0.22f, 0.3f, farRidge(u));
      // Rock faces and gullies, lit from the left.
      const float faces = ridged(u * 9.0f, h * 9.0f, 4, 110);
      const Colour rock = mix(rgb8(92, 110, 140), rgb8(150, 164, 186), clamp01(h * 3.0f)) *
                          (0.75f + 0.45f * faces);
      c = mix(rock, rgb8(236, 240, 246), clamp01(snow + 0.5f * smoothstep(0.55f, 0.8f, faces) *
                                                            smoothstep(0.18f, 0.3f, h)));
    }
    if (h < shore(u)) c = rgb8(26, 44, 32) * (0.8f + 0.4f * fbm(u * 60.0f, h * 60.0f, 2, 104));
    return c;
  };
  shade(image, [&](float u, float v) {
    if (v >= horizon) return land(u, v - horizon, v);
    // The water mirrors the land, broken by slow ripples, and darkens
    // towards the viewer.
    const float depth = horizon - v;
    const float ripple = 0.004f * std::sin(depth * 900.0f / (depth * 8.0f + 1.0f)) *
                         fbm(u * 20.0f, depth * 60.0f, 2, 105);
    Colour c = land(u + ripple, depth + ripple, horizon + depth) * 0.75f;
    c = mix(c, rgb8(12, 26, 34), clamp01(depth * 1.6f));
    // Granite boulders at the front.
    const float rocks = 0.15f + 0.1f * fbm(u * 4.0f, 0.7f, 4, 106) - 0.05f * std::sin(u * 3.0f);
    if (v < rocks) {
      const float grain = fbm(u * 70.0f, v * 70.0f, 3, 107);
      const float lit = clamp01(0.55f + (rocks - v) * 2.0f - 0.35f * fbm(u * 9.0f, v * 9.0f, 3, 108));
      c = mix(rgb8(80, 72, 70), rgb8(196, 184, 172), grain) * lit;
    }
    return c;
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
      return mountainLake();
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
  // Warm veils of light: noise folded into noise, in embers, amber and gold
  // on a deep red-brown, brightest in soft flowing ribbons.
  Image image(512, 512);
  shade(image, [](float u, float v) {
    const float qx = fbm(u * 2.5f, v * 2.5f, 5, 131);
    const float qy = fbm(u * 2.5f + 3.7f, v * 2.5f - 1.9f, 5, 132);
    const float f = fbm(u * 2.5f + 3.5f * qx, v * 2.5f + 3.5f * qy, 6, 133);
    const float ribbon = std::exp(-std::pow((f - 0.55f) * 9.0f, 2.0f));
    Colour c = mix(rgb8(36, 8, 6), rgb8(150, 48, 16), clamp01(f * f * 2.0f));
    c = mix(c, rgb8(226, 120, 40), clamp01(qx * qy * 2.4f - 0.35f));
    return c + rgb8(255, 200, 120) * (0.45f * ribbon);
  });
  return squeezedToFill(image);
}

// Polished white marble: soft grey veins that branch and fade, warped by
// turbulence, over a faintly clouded cream ground.
Image paintMarble() {
  Image image(512, 512);
  shade(image, [](float u, float v) {
    const float turbulence = fbm(u * 3.0f, v * 3.0f, 7, 141);
    const float cloud = fbm(u * 6.0f + 3.0f, v * 6.0f, 5, 143);
    Colour c = mix(rgb8(246, 242, 234), rgb8(222, 220, 212), cloud);
    // The main veins: where a warped slanted wave crosses zero.
    const float wave = std::sin((u * 2.6f + v * 1.6f + turbulence * 3.6f) * pi);
    const float vein = std::exp(-wave * wave * 14.0f) * (0.35f + 0.65f * fbm(u * 8, v * 8, 4, 144));
    // Finer side veins, fainter.
    const float side = std::sin((u * 5.0f - v * 3.0f + fbm(u * 6, v * 6, 5, 142) * 5.0f) * pi);
    const float thin = std::exp(-side * side * 300.0f) * smoothstep(0.45f, 0.7f, cloud);
    c = mix(c, rgb8(150, 154, 156), clamp01(vein * 0.7f));
    c = mix(c, rgb8(96, 100, 104), clamp01(std::exp(-wave * wave * 90.0f) * vein));
    c = mix(c, rgb8(160, 162, 160), clamp01(thin * 0.6f));
    // The polish: a broad soft sheen.
    return c + grey(0.06f * std::exp(-std::pow(u + v - 1.1f, 2.0f) * 3.0f));
  });
  return squeezedToFill(image);
}

// A party hall of computers seen from the back: the big screen showing a
// tunnel, light beams in the haze, and rows of tables going back towards
// the screen, each with its monitors and the people sitting at them, the
// nearest row largest. The rows fill the picture's lower half, which is
// what the screen shows of it between the cut eighths.
Image paintParty() {
  constexpr int side = 512;
  Image image(side, side);
  shade(image, [](float u, float v) {
    Colour c = mix(rgb8(6, 6, 16), rgb8(26, 20, 52), smoothstep(0.3f, 0.9f, v));
    const float haze = fbm(u * 5.0f, v * 5.0f, 5, 151);
    c = c + rgb8(40, 30, 70) * (haze * 0.5f);
    // The big screen, with a frame, showing a tunnel of glowing rings.
    const float su = (u - 0.5f) / 0.2f;
    const float sv = (v - 0.7f) / 0.13f;
    if (std::fabs(su) < 1.0f && std::fabs(sv) < 1.0f) {
      const float r = std::hypot(su * 1.4f, sv) + 0.05f;
      const float t = std::atan2(sv, su * 1.4f);
      const float rings = 0.5f + 0.5f * std::sin(3.0f / r + t * 2.0f);
      const Colour far = mix(rgb8(20, 30, 90), rgb8(110, 200, 255), rings);
      c = mix(rgb8(250, 240, 255), far * (0.35f + 0.65f * rings), clamp01(r * 2.5f));
      c = c * 0.95f;
    } else if (std::fabs(su) < 1.04f && std::fabs(sv) < 1.06f) {
      c = rgb8(30, 30, 40);
    }
    // Beams from the ceiling, brightened by the haze.
    const float beams[4][3] = {
        {0.12f, -0.5f, 0}, {0.88f, 0.5f, 1}, {0.34f, -0.25f, 2}, {0.66f, 0.25f, 3}};
    for (const auto& b : beams) {
      const float dx = u - b[0] - (0.9f - v) * b[1] * 0.5f;
      const float width = 0.015f + (0.9f - v) * 0.05f;
      const float beam = std::exp(-dx * dx / (width * width)) * (0.3f + haze) * smoothstep(0.35f, 0.6f, v);
      const Colour colour = static_cast<int>(b[2]) % 2 == 0 ? rgb8(255, 80, 200) : rgb8(70, 200, 255);
      c = c + colour * (beam * 0.25f);
    }
    // The floor of the hall glows faintly from all the screens.
    return c + rgb8(40, 50, 90) * (0.25f * smoothstep(0.55f, 0.2f, v));
  });

  const Colour screens[4] = {rgb8(120, 170, 255), rgb8(150, 255, 190), rgb8(235, 240, 255),
                             rgb8(255, 190, 120)};
  constexpr int rows = 6;
  for (int row = 0; row < rows; ++row) {
    const float t = row / static_cast<float>(rows - 1);
    const float s = 0.3f + 1.1f * t * t;  // size against the nearest row
    const float table = 265.0f - 200.0f * std::pow(t, 0.9f);
    const float pitch = 44.0f * s;
    const float shift = hashUnit(row, 0, 156) * pitch;
    Mask monitors(side, side);
    Mask desk(side, side);
    maskRect(desk, 0.0f, table - 5.0f * s, static_cast<float>(side), table);
    std::vector<Point> seats;
    std::vector<int> screenOf;
    for (int k = -1; k * pitch < side + pitch; ++k) {
      const float x = shift + k * pitch + (hashUnit(k, row, 152) - 0.5f) * 8.0f * s;
      const float w = 24.0f * s * (0.9f + 0.2f * hashUnit(k, row, 153));
      maskRect(monitors, x - w / 2, table + 4.0f * s, x + w / 2, table + 4.0f * s + w * 0.75f);
      maskRect(desk, x - 1.5f * s, table, x + 1.5f * s, table + 4.0f * s);
      if (hashUnit(k, row, 154) < 0.85f) {
        seats.push_back({x + (hashUnit(k, row, 155) - 0.5f) * 10.0f * s, table});
        screenOf.push_back(static_cast<int>(hashUnit(k, row, 157) * 4.0f));
      }
    }
    // The monitors glow on the desk and the haze around them.
    Mask glow = monitors;
    blur(glow, std::max(2, static_cast<int>(8.0f * s)));
    addLight(image, glow, rgb8(70, 110, 200) * 0.8f);
    Image screenColours(side, side);
    shade(screenColours, [&](float u, float v) {
      const int k = static_cast<int>(std::floor((u * side - shift) / pitch + 0.5f));
      const Colour base = screens[static_cast<int>(hashUnit(k, row, 157) * 4.0f)];
      // A few lines of something on each screen.
      const float line = 0.8f + 0.2f * std::sin(v * side * 1.7f / s);
      return base * line * (0.75f + 0.25f * hashUnit(k, row, 158));
    });
    for (size_t i = 0; i < image.px.size(); ++i) image.px[i] = mix(image.px[i], screenColours.px[i], monitors.a[i]);
    paint(image, desk, rgb8(22, 20, 30));

    // The people at this row, their backs to us, lit at the rim by their
    // screens.
    Mask people(side, side);
    Mask rims(side, side);
    for (size_t p = 0; p < seats.size(); ++p) {
      const Point seat = seats[p];
      const float h = hashUnit(static_cast<int>(p), row, 159);
      const bool standing = h < 0.08f;
      const float lift = standing ? 22.0f * s : 0.0f;
      const float head = 7.5f * s * (0.85f + 0.3f * hashUnit(static_cast<int>(p), row, 160));
      const Point headAt{seat.x + (h - 0.5f) * 4.0f * s, seat.y + 12.0f * s * (0.85f + 0.3f * h) + lift};
      const float shoulders = 15.0f * s * (0.85f + 0.35f * hashUnit(static_cast<int>(p), row, 161));
      maskEllipse(people, headAt, head * 0.9f, head);
      maskEllipse(people, {headAt.x, headAt.y - head - 4.0f * s}, shoulders, 9.0f * s);
      maskRect(people, headAt.x - shoulders * 0.95f, seat.y - 16.0f * s, headAt.x + shoulders * 0.95f,
               headAt.y - head - 4.0f * s);
      // The rim: the head's outline, brightest on top.
      maskEllipse(rims, {headAt.x, headAt.y + 1.2f * s}, head * 0.95f, head);
    }
    paint(image, rims, rgb8(90, 110, 170), 0.6f);
    paint(image, people, mix(rgb8(4, 4, 10), rgb8(30, 26, 50), 0.5f * (1.0f - t)));
  }
  grain(image, 0.03f, 155);
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
