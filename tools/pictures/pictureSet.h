#pragma once
// The presentation's 52 pictures, in the order of the list the loader reads
// (runtime/pictureList.h), each with its painter.
#include <functional>
#include <string>
#include <vector>

#include "tools/pictures/canvas.h"

struct PictureRecipe {
  // Relative to the program's directory, e.g. "images/shr1.bmp".
  std::string file;
  std::function<Image()> paint;
};

const std::vector<PictureRecipe>& pictureSet();
