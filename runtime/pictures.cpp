#include "runtime/pictures.h"

#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "runtime/bmp.h"
#include "runtime/flatDrawing.h"
#include "runtime/sequencer.h"

PictureSlots pictures;

unsigned pictureTexture(Picture picture) {
  const int slot = static_cast<int>(picture);
  return slot < pictureSlotCount ? pictures.texture[slot] : 0u;
}

void reserveTextures() {
  resetQuitFade();
  for (unsigned& name : pictures.texture) glGenTextures(1, &name);
}

void bindForLoading(unsigned texture) {
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
}

namespace {

bool powerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

// The box of texels that differ from the first one, rows bottom up as the
// texture has them.
PictureContent findContent(const std::vector<uint8_t>& rgb, int width, int height) {
  PictureContent c;
  if (!powerOfTwo(width) || !powerOfTwo(height)) return c;
  c.known = true;
  c.width = width;
  c.height = height;
  std::memcpy(c.background, rgb.data(), 3);
  c.left = width;
  c.bottom = height;
  const size_t stride = static_cast<size_t>(bmpRowStride(width));
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = rgb.data() + static_cast<size_t>(y) * stride;
    for (int x = 0; x < width; ++x) {
      if (std::memcmp(row + 3 * x, c.background, 3) == 0) continue;
      c.left = std::min(c.left, x);
      c.right = std::max(c.right, x);
      c.bottom = std::min(c.bottom, y);
      c.top = std::max(c.top, y);
    }
  }
  return c;
}

}  // namespace

int loadTextureBmp(const char* path, PictureContent* content) {
  BmpImage image;
  bool tooLarge = false;
  if (!readBmp(path, image, &tooLarge)) {
    if (tooLarge) {
      std::fprintf(stderr, "vorran: %s is larger than any screen needs (%d x %d pixels at most); skipped\n", path,
                   maxPictureSide, maxPictureSide);
    }
    return -1;
  }
  // Mipmaps add a third to the picture's own rows.
  const uint64_t bytes = bmpRowStride(image.width) * static_cast<uint64_t>(image.height) * 4 / 3;
  if (pictures.loadedBytes + bytes > maxLoadedPictureBytes) {
    std::fprintf(stderr, "vorran: %s skipped: the pictures would take more than %d MiB\n", path,
                 static_cast<int>(maxLoadedPictureBytes >> 20));
    return -1;
  }
  std::vector<uint8_t> rgb;
  if (!convertBmpToRgb(image, rgb)) return -1;
  pictures.loadedBytes += bytes;
  if (content != nullptr) *content = findContent(rgb, image.width, image.height);

  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);

  if (image.width != 1 && image.height != 1) {
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE,
                      rgb.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    return 0;
  }

  // A single row or column becomes a one-dimensional texture. A column's
  // pixels lie one padded row apart: gather them first, so that the texture
  // gets the colours and not the filler bytes between them.
  const int length = image.height == 1 ? image.width : image.height;
  if (image.height != 1) {
    const size_t stride = static_cast<size_t>(bmpRowStride(image.width));
    for (size_t i = 1; i < static_cast<size_t>(length); ++i) {
      std::memmove(rgb.data() + i * 3, rgb.data() + i * stride, 3);
    }
  }
  gluBuild1DMipmaps(GL_TEXTURE_1D, 3, length, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  return 0;
}

void loadPicture(int slot) {
  resetQuitFade();
  if (slot < 1 || slot > pictureSlotCount) return;
  bindForLoading(pictures.texture[slot - 1]);
  pictures.content[slot - 1] = {};
  loadTextureBmp(pictureFiles[slot - 1], &pictures.content[slot - 1]);
}

void drawPictureContent(Picture picture, const uint8_t (&blank)[3], float left, float bottom, float right, float top,
                        float low, float high) {
  const int slot = static_cast<int>(picture);
  const PictureContent* c = slot < pictureSlotCount ? &pictures.content[slot] : nullptr;
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  const float span = high - low;
  const float wide = std::abs(right - left) * 0.5f * static_cast<float>(viewport[2]);
  const float tall = std::abs(top - bottom) * 0.5f * static_cast<float>(viewport[3]);
  if (c == nullptr || !c->known || std::memcmp(c->background, blank, 3) != 0 || span <= 0.0f || wide < 1.0f ||
      tall < 1.0f) {
    drawTexturedRectangle(left, bottom, right, top, low, high);
    return;
  }
  // Texels a pixel covers, and so the coarsest mipmap level the filter
  // reads; its texels and the box filter that made them reach 2^level texels
  // beyond the content, the bilinear filter one texel of that level more.
  // Twice that is kept as margin.
  const float texelsPerPixel = std::max(span * static_cast<float>(c->width) / wide,
                                        span * static_cast<float>(c->height) / tall);
  const int level = texelsPerPixel <= 1.0f ? 0 : static_cast<int>(std::ceil(std::log2(texelsPerPixel)));
  const float margin = static_cast<float>(4 << std::min(level, 20)) + 2.0f;
  // The part of [low, high] that holds the content, in texture coordinates.
  const auto part = [&](int first, int last, int size, float& from, float& to) {
    from = std::max(low, (static_cast<float>(first) - margin) / static_cast<float>(size));
    to = std::min(high, (static_cast<float>(last + 1) + margin) / static_cast<float>(size));
  };
  float s0 = 0.0f, s1 = 0.0f, t0 = 0.0f, t1 = 0.0f;
  part(c->left, c->right, c->width, s0, s1);
  part(c->bottom, c->top, c->height, t0, t1);
  if (s0 >= s1 || t0 >= t1) return;  // nothing but background
  if (s0 == low && s1 == high && t0 == low && t1 == high) {
    drawTexturedRectangle(left, bottom, right, top, low, high);
    return;
  }
  const auto x = [&](float s) { return left + (s - low) / span * (right - left); };
  const auto y = [&](float t) { return bottom + (t - low) / span * (top - bottom); };
  drawTexturedQuad({{s0, t0, x(s0), y(t0)}, {s0, t1, x(s0), y(t1)}, {s1, t1, x(s1), y(t1)}, {s1, t0, x(s1), y(t0)}});
}
