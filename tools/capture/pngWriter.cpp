#include "tools/capture/pngWriter.h"

#include <cstdio>
#include <cstdlib>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb_image_write.h>

bool writePng(const std::string& path, const std::vector<uint8_t>& rgb, int width, int height) {
  if (rgb.size() < static_cast<size_t>(width) * static_cast<size_t>(height) * 3) return false;
  // Fast compression: captures write thousands of frames.
  stbi_write_png_compression_level = 3;
  // The rows are stored bottom-up, as OpenGL reads them back.
  stbi_flip_vertically_on_write(1);
  // Encoded in memory and written here, so that a short write or a failed
  // close (a full disk) is seen: the library's own file writer ignores both.
  int length = 0;
  unsigned char* png = stbi_write_png_to_mem(rgb.data(), width * 3, width, height, 3, &length);
  if (png == nullptr) return false;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  bool written = file != nullptr && std::fwrite(png, 1, static_cast<size_t>(length), file) == static_cast<size_t>(length);
  if (file != nullptr) written = std::fclose(file) == 0 && written;
  std::free(png);
  return written;
}
