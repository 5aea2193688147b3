#include "tools/pictures/contactSheet.h"

#include <algorithm>

#include "tools/pictures/font.h"

namespace {

constexpr int columns = 8;
constexpr int thumbWidth = 160;
constexpr int thumbHeight = 120;
constexpr int cellWidth = thumbWidth + 16;
constexpr int cellHeight = thumbHeight + 26;

// The picture averaged down into the box (x0, y0) .. (x0 + w, y0 + h) of
// the sheet: every sheet pixel is the mean of the picture pixels under it.
void place(Image& sheet, const Image& picture, int x0, int y0, int w, int h) {
  for (int y = 0; y < h; ++y) {
    const int sy0 = y * picture.height / h;
    const int sy1 = std::max(sy0 + 1, (y + 1) * picture.height / h);
    for (int x = 0; x < w; ++x) {
      const int sx0 = x * picture.width / w;
      const int sx1 = std::max(sx0 + 1, (x + 1) * picture.width / w);
      Colour sum;
      for (int sy = sy0; sy < sy1; ++sy) {
        for (int sx = sx0; sx < sx1; ++sx) sum = sum + picture.at(sx, sy);
      }
      sheet.at(x0 + x, y0 + y) = sum * (1.0f / static_cast<float>((sy1 - sy0) * (sx1 - sx0)));
    }
  }
}

}  // namespace

Image contactSheet(const std::vector<NamedPicture>& pictures) {
  const int rows = (static_cast<int>(pictures.size()) + columns - 1) / columns;
  Image sheet(columns * cellWidth, rows * cellHeight, grey(0.16f));
  Mask names(sheet.width, sheet.height);
  TextStyle label;
  label.size = 10.0f;
  label.weight = 0.09f;
  for (size_t i = 0; i < pictures.size(); ++i) {
    const int column = static_cast<int>(i) % columns;
    const int row = static_cast<int>(i) / columns;
    // Rows are stored from the bottom up: the first row is the top one.
    const int left = column * cellWidth + 8;
    const int bottom = (rows - 1 - row) * cellHeight + 20;
    const bool square = pictures[i].name == "error";
    const int w = square ? thumbHeight : thumbWidth;
    place(sheet, pictures[i].image, left + (thumbWidth - w) / 2, bottom, w, thumbHeight);
    std::string name = pictures[i].name;
    // The font reads an underscore as "lower the next glyph".
    std::replace(name.begin(), name.end(), '_', ' ');
    maskTextCentred(names, name, {left + thumbWidth / 2.0f, bottom - 14.0f}, label);
  }
  paint(sheet, names, grey(0.92f));
  return sheet;
}
