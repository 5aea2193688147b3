#pragma once
// The painter's canvas: floating-point RGB pictures with y pointing up (row 0
// is the bottom, as the pictures are stored), coverage masks for shapes, and
// deterministic noise. Everything here is pure computation: the same calls
// always give the same bytes.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

struct Colour {
  float r = 0.0f;
  float g = 0.0f;
  float b = 0.0f;
};

inline Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Colour operator-(Colour a, Colour b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
inline Colour operator*(Colour a, float k) { return {a.r * k, a.g * k, a.b * k}; }
inline Colour operator*(Colour a, Colour b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
inline Colour mix(Colour a, Colour b, float t) { return a + (b - a) * t; }
inline Colour grey(float v) { return {v, v, v}; }
// A colour from 0..255 components.
inline Colour rgb8(int r, int g, int b) { return {r / 255.0f, g / 255.0f, b / 255.0f}; }

struct Image {
  int width = 0;
  int height = 0;
  std::vector<Colour> px;

  Image(int w, int h, Colour fill = {});
  Colour& at(int x, int y) { return px[static_cast<size_t>(y) * width + x]; }
  const Colour& at(int x, int y) const { return px[static_cast<size_t>(y) * width + x]; }
};

// Coverage 0..1 per pixel; shapes are added by taking the larger coverage.
struct Mask {
  int width = 0;
  int height = 0;
  std::vector<float> a;

  Mask(int w, int h);
  float& at(int x, int y) { return a[static_cast<size_t>(y) * width + x]; }
  float at(int x, int y) const { return a[static_cast<size_t>(y) * width + x]; }
};

struct Point {
  float x = 0.0f;
  float y = 0.0f;
};

// Every pixel set from its centre (x + 0.5, y + 0.5) scaled to u, v in 0..1.
template <class Shader>
void shade(Image& image, Shader shader) {
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      image.at(x, y) = shader((x + 0.5f) / image.width, (y + 0.5f) / image.height);
    }
  }
}

// The colour laid over the picture with the mask's coverage times opacity.
void paint(Image& image, const Mask& mask, Colour colour, float opacity = 1.0f);
// Light added where the mask covers (glows, highlights).
void addLight(Image& image, const Mask& mask, Colour colour);
// Three box passes of the given radius in pixels: close to a Gaussian.
void blur(Mask& mask, int radius);
void blur(Image& image, int radius);

// Shapes, in pixel coordinates (y up), anti-aliased.
void maskSegment(Mask& mask, Point a, Point b, float halfWidth);
void maskPolyline(Mask& mask, const std::vector<Point>& points, float halfWidth);
void maskDisc(Mask& mask, Point centre, float radius);
void maskEllipse(Mask& mask, Point centre, float rx, float ry);
void maskRect(Mask& mask, float x0, float y0, float x1, float y1);
// Filled polygon (non-zero winding), 4 x 4 samples a pixel.
void maskPolygon(Mask& mask, const std::vector<Point>& points);

// Noise in 0..1, smooth, from integer lattice hashes; seed picks the pattern.
float hashUnit(int x, int y, uint32_t seed);
float valueNoise(float x, float y, uint32_t seed);
// Sum of octaves, each twice the frequency and half the amplitude.
float fbm(float x, float y, int octaves, uint32_t seed);
// Sharp crests where the noise crosses its middle (mountain ridges, veins).
float ridged(float x, float y, int octaves, uint32_t seed);

float clamp01(float v);
float smoothstep(float edge0, float edge1, float v);

// Photographic finish: darker corners and a fine grain.
void vignette(Image& image, float strength);
void grain(Image& image, float amount, uint32_t seed);

// The picture as an uncompressed 24-bit BMP file.
std::string encodeBmp(const Image& image);
// RGB bytes, rows from the top down (for previews).
std::vector<uint8_t> topDownRgb(const Image& image);

// Every pixel shaded at its centre, then shaded again from n x n samples
// wherever it differs from a neighbour by more than a sixteenth in some
// channel: edges, fine stripes and checkers come out smooth, and the flat
// parts cost one sample.
template <class Shader>
void shadeSmooth(Image& image, int n, Shader shader) {
  shade(image, shader);
  const Image first = image;
  const auto far = [](const Colour& a, const Colour& b) {
    constexpr float limit = 1.0f / 16.0f;
    return std::abs(a.r - b.r) > limit || std::abs(a.g - b.g) > limit || std::abs(a.b - b.b) > limit;
  };
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const Colour& c = first.at(x, y);
      const bool edge = (x > 0 && far(c, first.at(x - 1, y))) ||
                        (x + 1 < image.width && far(c, first.at(x + 1, y))) ||
                        (y > 0 && far(c, first.at(x, y - 1))) ||
                        (y + 1 < image.height && far(c, first.at(x, y + 1)));
      if (!edge) continue;
      Colour sum;
      for (int sy = 0; sy < n; ++sy) {
        for (int sx = 0; sx < n; ++sx) {
          sum = sum + shader((x + (sx + 0.5f) / n) / image.width, (y + (sy + 0.5f) / n) / image.height);
        }
      }
      image.at(x, y) = sum * (1.0f / static_cast<float>(n * n));
    }
  }
}

// Square pictures that the screen stretches to 4:3 are painted squeezed, so
// that what is round in the painting is round on the screen.
// The whole painting narrowed to the middle three quarters of the width,
// the sides left to the ground colour (subjects on a plain ground).
Image squeezedToFit(const Image& image, Colour ground);
// The middle three quarters of the height stretched to the full height (the
// same thing for pictures that fill their square: the top and bottom
// eighths are cut).
Image squeezedToFill(const Image& image);
