#pragma once
// All pictures on one sheet, each as the screen shows it: the square ones
// widened to 4:3 (so what is painted narrowed looks round again), the error
// dialog square, each with its name under it.
#include <string>
#include <vector>

#include "tools/pictures/canvas.h"

struct NamedPicture {
  std::string name;  // the file name without folder and extension
  Image image;
};

Image contactSheet(const std::vector<NamedPicture>& pictures);
