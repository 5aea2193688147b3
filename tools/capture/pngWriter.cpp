#include "tools/capture/pngWriter.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb_image_write.h>

bool writePng(const std::string& path, const std::vector<uint8_t>& rgb, int width, int height) {
  if (rgb.size() < static_cast<size_t>(width) * static_cast<size_t>(height) * 3) return false;
  // Fast compression: captures write thousands of frames.
  stbi_write_png_compression_level = 3;
  // The rows are stored bottom-up, as OpenGL reads them back.
  stbi_flip_vertically_on_write(1);
  return stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3) != 0;
}
