#include "tools/pictures/canvas.h"

#include <algorithm>
#include <cmath>

Image::Image(int w, int h, Colour fill)
    : width(w), height(h), px(static_cast<size_t>(w) * h, fill) {}

Mask::Mask(int w, int h) : width(w), height(h), a(static_cast<size_t>(w) * h, 0.0f) {}

float clamp01(float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); }

float smoothstep(float edge0, float edge1, float v) {
  const float t = clamp01((v - edge0) / (edge1 - edge0));
  return t * t * (3.0f - 2.0f * t);
}

void paint(Image& image, const Mask& mask, Colour colour, float opacity) {
  for (size_t i = 0; i < image.px.size(); ++i) {
    const float k = mask.a[i] * opacity;
    if (k > 0.0f) image.px[i] = mix(image.px[i], colour, k);
  }
}

void addLight(Image& image, const Mask& mask, Colour colour) {
  for (size_t i = 0; i < image.px.size(); ++i) image.px[i] = image.px[i] + colour * mask.a[i];
}

namespace {

// One running-sum box pass along rows (step 1) or columns (step width).
template <class T>
void boxPass(std::vector<T>& data, int count, int length, size_t lineStep, size_t step, int radius,
             T zero) {
  std::vector<T> line(static_cast<size_t>(length));
  const float scale = 1.0f / static_cast<float>(2 * radius + 1);
  for (int n = 0; n < count; ++n) {
    const size_t base = static_cast<size_t>(n) * lineStep;
    for (int i = 0; i < length; ++i) line[static_cast<size_t>(i)] = data[base + i * step];
    // Edges repeat the outermost value.
    const auto sample = [&](int i) {
      return line[static_cast<size_t>(std::clamp(i, 0, length - 1))];
    };
    T sum = zero;
    for (int i = -radius; i <= radius; ++i) sum = sum + sample(i);
    for (int i = 0; i < length; ++i) {
      data[base + i * step] = sum * scale;
      sum = sum + sample(i + radius + 1) - sample(i - radius);
    }
  }
}

template <class T>
void blurData(std::vector<T>& data, int width, int height, int radius, T zero) {
  if (radius <= 0) return;
  for (int pass = 0; pass < 3; ++pass) {
    boxPass(data, height, width, static_cast<size_t>(width), 1, radius, zero);
    boxPass(data, width, height, 1, static_cast<size_t>(width), radius, zero);
  }
}

// Coverage of a pixel whose centre lies d pixels outside an edge.
float edgeCoverage(float d) { return clamp01(0.5f - d); }

void keepLarger(Mask& mask, int x, int y, float coverage) {
  float& a = mask.at(x, y);
  if (coverage > a) a = coverage;
}

}  // namespace

void blur(Mask& mask, int radius) { blurData(mask.a, mask.width, mask.height, radius, 0.0f); }

void blur(Image& image, int radius) {
  blurData(image.px, image.width, image.height, radius, Colour{});
}

void maskSegment(Mask& mask, Point a, Point b, float halfWidth) {
  const int x0 = std::max(0, static_cast<int>(std::floor(std::min(a.x, b.x) - halfWidth - 1)));
  const int x1 =
      std::min(mask.width - 1, static_cast<int>(std::ceil(std::max(a.x, b.x) + halfWidth + 1)));
  const int y0 = std::max(0, static_cast<int>(std::floor(std::min(a.y, b.y) - halfWidth - 1)));
  const int y1 =
      std::min(mask.height - 1, static_cast<int>(std::ceil(std::max(a.y, b.y) + halfWidth + 1)));
  const float dx = b.x - a.x;
  const float dy = b.y - a.y;
  const float length2 = dx * dx + dy * dy;
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      const float px = x + 0.5f - a.x;
      const float py = y + 0.5f - a.y;
      // Distance to the nearest point of the segment: a capsule.
      float t = length2 > 0.0f ? (px * dx + py * dy) / length2 : 0.0f;
      t = clamp01(t);
      const float ex = px - t * dx;
      const float ey = py - t * dy;
      keepLarger(mask, x, y, edgeCoverage(std::sqrt(ex * ex + ey * ey) - halfWidth));
    }
  }
}

void maskPolyline(Mask& mask, const std::vector<Point>& points, float halfWidth) {
  for (size_t i = 1; i < points.size(); ++i) maskSegment(mask, points[i - 1], points[i], halfWidth);
  if (points.size() == 1) maskSegment(mask, points[0], points[0], halfWidth);
}

void maskDisc(Mask& mask, Point centre, float radius) { maskEllipse(mask, centre, radius, radius); }

void maskEllipse(Mask& mask, Point centre, float rx, float ry) {
  const int x0 = std::max(0, static_cast<int>(centre.x - rx - 2));
  const int x1 = std::min(mask.width - 1, static_cast<int>(centre.x + rx + 2));
  const int y0 = std::max(0, static_cast<int>(centre.y - ry - 2));
  const int y1 = std::min(mask.height - 1, static_cast<int>(centre.y + ry + 2));
  const float r = std::min(rx, ry);
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      const float u = (x + 0.5f - centre.x) / rx;
      const float v = (y + 0.5f - centre.y) / ry;
      // Distance in pixels, approximately, from the normalised radius.
      keepLarger(mask, x, y, edgeCoverage((std::sqrt(u * u + v * v) - 1.0f) * r));
    }
  }
}

void maskRect(Mask& mask, float x0, float y0, float x1, float y1) {
  for (int y = std::max(0, static_cast<int>(y0) - 1);
       y <= std::min(mask.height - 1, static_cast<int>(y1) + 1); ++y) {
    for (int x = std::max(0, static_cast<int>(x0) - 1);
         x <= std::min(mask.width - 1, static_cast<int>(x1) + 1); ++x) {
      const float cx = clamp01(std::min(x + 1.0f, x1) - std::max(static_cast<float>(x), x0));
      const float cy = clamp01(std::min(y + 1.0f, y1) - std::max(static_cast<float>(y), y0));
      keepLarger(mask, x, y, cx * cy);
    }
  }
}

void maskPolygon(Mask& mask, const std::vector<Point>& points) {
  if (points.size() < 3) return;
  float minY = points[0].y;
  float maxY = points[0].y;
  for (const Point& p : points) {
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
  const int y0 = std::max(0, static_cast<int>(minY));
  const int y1 = std::min(mask.height - 1, static_cast<int>(maxY));
  std::vector<float> cover(static_cast<size_t>(mask.width));
  std::vector<std::pair<float, int>> crossings;
  for (int y = y0; y <= y1; ++y) {
    std::fill(cover.begin(), cover.end(), 0.0f);
    for (int sy = 0; sy < 4; ++sy) {
      const float ys = y + (sy + 0.5f) / 4.0f;
      crossings.clear();
      for (size_t i = 0; i < points.size(); ++i) {
        const Point& a = points[i];
        const Point& b = points[(i + 1) % points.size()];
        if ((a.y <= ys) == (b.y <= ys)) continue;
        const float x = a.x + (ys - a.y) / (b.y - a.y) * (b.x - a.x);
        crossings.push_back({x, b.y > a.y ? 1 : -1});
      }
      std::sort(crossings.begin(), crossings.end());
      int winding = 0;
      for (size_t i = 0; i + 1 < crossings.size(); ++i) {
        winding += crossings[i].second;
        if (winding == 0) continue;
        // Samples at quarter pixels between this crossing and the next.
        for (int sx = static_cast<int>(std::ceil(crossings[i].first * 4 - 0.5f));
             (sx + 0.5f) / 4.0f < crossings[i + 1].first; ++sx) {
          const int x = sx >> 2;
          if (x >= 0 && x < mask.width) cover[static_cast<size_t>(x)] += 1.0f / 16.0f;
        }
      }
    }
    for (int x = 0; x < mask.width; ++x) keepLarger(mask, x, y, cover[static_cast<size_t>(x)]);
  }
}

float hashUnit(int x, int y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 0x8DA6B343u ^ static_cast<uint32_t>(y) * 0xD8163841u ^
               seed * 0xCB1AB31Fu;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return static_cast<float>(h >> 8) / 16777216.0f;
}

float valueNoise(float x, float y, uint32_t seed) {
  const float fx = std::floor(x);
  const float fy = std::floor(y);
  const int ix = static_cast<int>(fx);
  const int iy = static_cast<int>(fy);
  float tx = x - fx;
  float ty = y - fy;
  tx = tx * tx * tx * (tx * (tx * 6.0f - 15.0f) + 10.0f);
  ty = ty * ty * ty * (ty * (ty * 6.0f - 15.0f) + 10.0f);
  const float a = hashUnit(ix, iy, seed);
  const float b = hashUnit(ix + 1, iy, seed);
  const float c = hashUnit(ix, iy + 1, seed);
  const float d = hashUnit(ix + 1, iy + 1, seed);
  return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float fbm(float x, float y, int octaves, uint32_t seed) {
  float sum = 0.0f;
  float amplitude = 0.5f;
  float total = 0.0f;
  for (int o = 0; o < octaves; ++o) {
    sum += amplitude * valueNoise(x, y, seed + static_cast<uint32_t>(o) * 101u);
    total += amplitude;
    x = x * 2.03f + 17.1f;
    y = y * 2.03f - 9.7f;
    amplitude *= 0.5f;
  }
  return sum / total;
}

float ridged(float x, float y, int octaves, uint32_t seed) {
  float sum = 0.0f;
  float amplitude = 0.5f;
  float total = 0.0f;
  float weight = 1.0f;
  for (int o = 0; o < octaves; ++o) {
    const float n =
        1.0f - std::fabs(valueNoise(x, y, seed + static_cast<uint32_t>(o) * 131u) * 2.0f - 1.0f);
    const float crest = n * n * weight;
    weight = clamp01(crest * 1.5f);
    sum += amplitude * crest;
    total += amplitude;
    x = x * 2.1f + 5.3f;
    y = y * 2.1f + 1.9f;
    amplitude *= 0.5f;
  }
  return sum / total;
}

void vignette(Image& image, float strength) {
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const float u = (x + 0.5f) / image.width - 0.5f;
      const float v = (y + 0.5f) / image.height - 0.5f;
      image.at(x, y) = image.at(x, y) * (1.0f - strength * (u * u + v * v) * 2.0f);
    }
  }
}

void grain(Image& image, float amount, uint32_t seed) {
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const float n = (hashUnit(x, y, seed) - 0.5f) * amount;
      image.at(x, y) = image.at(x, y) + Colour{n, n, n};
    }
  }
}

namespace {

uint8_t byteOf(float v) { return static_cast<uint8_t>(std::lround(clamp01(v) * 255.0f)); }

void put16(std::string& s, size_t at, uint32_t v) {
  s[at] = static_cast<char>(v & 0xFF);
  s[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

void put32(std::string& s, size_t at, uint32_t v) {
  put16(s, at, v & 0xFFFF);
  put16(s, at + 2, v >> 16);
}

}  // namespace

std::string encodeBmp(const Image& image) {
  const size_t stride = (3 * static_cast<size_t>(image.width) + 3) & ~size_t{3};
  const size_t pixelBytes = stride * static_cast<size_t>(image.height);
  std::string file(54 + pixelBytes, '\0');
  file[0] = 'B';
  file[1] = 'M';
  put32(file, 2, static_cast<uint32_t>(file.size()));
  put32(file, 10, 54);
  put32(file, 14, 40);
  put32(file, 18, static_cast<uint32_t>(image.width));
  put32(file, 22, static_cast<uint32_t>(image.height));
  put16(file, 26, 1);
  put16(file, 28, 24);
  put32(file, 34, static_cast<uint32_t>(pixelBytes));
  put32(file, 38, 2835);  // 72 dots per inch
  put32(file, 42, 2835);
  // Bottom row first, blue-green-red.
  for (int y = 0; y < image.height; ++y) {
    char* row = file.data() + 54 + static_cast<size_t>(y) * stride;
    for (int x = 0; x < image.width; ++x) {
      const Colour& c = image.at(x, y);
      row[3 * x] = static_cast<char>(byteOf(c.b));
      row[3 * x + 1] = static_cast<char>(byteOf(c.g));
      row[3 * x + 2] = static_cast<char>(byteOf(c.r));
    }
  }
  return file;
}

std::vector<uint8_t> topDownRgb(const Image& image) {
  std::vector<uint8_t> bytes;
  bytes.reserve(static_cast<size_t>(image.width) * image.height * 3);
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const Colour& c = image.at(x, y);
      bytes.push_back(byteOf(c.r));
      bytes.push_back(byteOf(c.g));
      bytes.push_back(byteOf(c.b));
    }
  }
  return bytes;
}

Image squeezedToFit(const Image& image, Colour ground) {
  // Output pixel x covers source columns from (x - w/8) * 4/3 to 4/3 further:
  // each source column counts by the share of it that falls inside.
  Image out(image.width, image.height, ground);
  const float w = static_cast<float>(image.width);
  const float step = 4.0f / 3.0f;
  for (int x = 0; x < image.width; ++x) {
    const float from = (x - w / 8.0f) * step;
    const float to = from + step;
    for (int y = 0; y < image.height; ++y) {
      Colour sum;
      float inside = 0.0f;
      for (int sx = static_cast<int>(std::floor(from)); sx < to; ++sx) {
        const float share = std::min(to, sx + 1.0f) - std::max(from, static_cast<float>(sx));
        if (share <= 0.0f) continue;
        if (sx >= 0 && sx < image.width) {
          sum = sum + image.at(sx, y) * share;
          inside += share;
        }
      }
      out.at(x, y) = (sum + ground * (step - inside)) * (1.0f / step);
    }
  }
  return out;
}

Image squeezedToFill(const Image& image) {
  Image out(image.width, image.height);
  const float h = static_cast<float>(image.height);
  for (int y = 0; y < image.height; ++y) {
    // The source row under this row's centre, between two stored rows.
    const float source = (y + 0.5f - h / 2.0f) * 0.75f + h / 2.0f - 0.5f;
    const int y0 = std::clamp(static_cast<int>(std::floor(source)), 0, image.height - 1);
    const int y1 = std::min(y0 + 1, image.height - 1);
    const float t = clamp01(source - std::floor(source));
    for (int x = 0; x < image.width; ++x) out.at(x, y) = mix(image.at(x, y0), image.at(x, y1), t);
  }
  return out;
}
