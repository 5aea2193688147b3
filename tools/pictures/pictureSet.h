#pragma once
// The presentation's 52 pictures: the 51 picture slots in loading order and
// the loading picture, each with its painter.
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
