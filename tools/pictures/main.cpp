// vorran-pictures: paints the presentation's pictures into DIR/images as
// uncompressed 24-bit BMP files; with --preview, also as PNG files into
// another folder, for looking at them, and all of them on one contact sheet
// there (contact-sheet.png).
//   vorran-pictures DIR [--preview PNGDIR]
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb_image_write.h>

#include "tools/pictures/contactSheet.h"
#include "tools/pictures/pictureSet.h"

namespace {

bool writeFile(const std::filesystem::path& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

bool writePng(const std::string& path, const Image& image) {
  const std::vector<uint8_t> rgb = topDownRgb(image);
  if (stbi_write_png(path.c_str(), image.width, image.height, 3, rgb.data(), image.width * 3) != 0) {
    return true;
  }
  std::fprintf(stderr, "vorran-pictures: cannot write %s\n", path.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  // An option where the folder belongs (--help, say) is a mistake, not a
  // folder to create.
  if ((argc != 2 && !(argc == 4 && std::strcmp(argv[2], "--preview") == 0)) || argv[1][0] == '-') {
    std::fprintf(stderr, "usage: vorran-pictures DIR [--preview PNGDIR]\n");
    return 2;
  }
  namespace fs = std::filesystem;
  const fs::path out = argv[1];
  std::error_code error;
  fs::create_directories(out / "images", error);
  const char* preview = argc == 4 ? argv[3] : nullptr;
  if (preview != nullptr) fs::create_directories(preview, error);

  std::vector<NamedPicture> sheet;
  for (const PictureRecipe& recipe : pictureSet()) {
    const Image image = recipe.paint();
    if (!writeFile(out / recipe.file, encodeBmp(image))) {
      std::fprintf(stderr, "vorran-pictures: cannot write %s\n", (out / recipe.file).c_str());
      return 1;
    }
    if (preview != nullptr) {
      const std::string name = fs::path(recipe.file).stem().string();
      if (!writePng((fs::path(preview) / name).string() + ".png", image)) return 1;
      sheet.push_back({name, image});
    }
  }
  if (preview != nullptr && !writePng((fs::path(preview) / "contact-sheet.png").string(), contactSheet(sheet))) {
    return 1;
  }
  return 0;
}
