#include "tests/fuzz/bmpFuzzEntry.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "runtime/bmp.h"

void fuzzBmpOnce(const uint8_t* data, size_t size) {
  if (size == 0) return;  // fmemopen wants a buffer
  std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (file == nullptr) return;
  BmpImage image;
  const bool read = readBmpFile(file, image);
  std::fclose(file);
  if (!read) return;

  std::vector<uint8_t> rgb;
  const bool converted = convertBmpToRgb(image, rgb);
  const uint64_t rows = bmpRowStride(image.width) * static_cast<uint64_t>(image.height);
  const bool consistent = converted && image.width >= 1 && image.height >= 1 &&
                          rgb.size() == rows && rows <= maxPictureBytes &&
                          (!bmpIsPlainRgb(image) || image.pixels.size() >= rows) &&
                          image.header.size() + image.pixels.size() + 14 <= size;
  if (!consistent) std::abort();
}
