#include "runtime/pictures.h"

#include <GL/glu.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "runtime/bmp.h"
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

int loadTextureBmp(const char* path) {
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
  loadTextureBmp(pictureFiles[slot - 1]);
}
