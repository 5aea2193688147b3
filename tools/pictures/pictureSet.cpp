#include "tools/pictures/pictureSet.h"

#include "tools/pictures/painters.h"

const std::vector<PictureRecipe>& pictureSet() {
  static const std::vector<PictureRecipe> set = [] {
    std::vector<PictureRecipe> s;
    const auto add = [&](std::string name, std::function<Image()> paint) {
      s.push_back({"images/" + name + ".bmp", std::move(paint)});
    };
    for (int n = 1; n <= 3; ++n) {
      add("shr" + std::to_string(n), [n] { return paintSchroedinger(n); });
      add("shr" + std::to_string(n) + "_a", [n] { return paintSchroedingerMask(n); });
    }
    add("power", paintPower);
    add("greetz", paintGreetings);
    add("qel", paintOrbits);
    add("brisko", paintParty);
    add("podklad1", paintBackgroundCool);
    add("podklad2", paintBackgroundWarm);
    add("22", paintFrames);
    add("tekstura", paintMarble);
    for (int n = 1; n <= 7; ++n) add("zor" + std::to_string(n), [n] { return paintPhotograph(n); });
    for (int n = 1; n <= 9; ++n) add("fx" + std::to_string(n), [n] { return paintEffect(n); });
    for (int n = 1; n <= 9; ++n) add("g" + std::to_string(n), [n] { return paintGallery(n); });
    for (int n = 1; n <= 9; ++n) {
      add("g" + std::to_string(n) + "_alpha", [n] { return paintGalleryMask(n); });
    }
    add("error", paintErrorDialog);
    add("teraz", paintGlassLabel);
    add("rownanie1", paintWaveEquation);
    add("loading", paintLoading);
    return s;
  }();
  return set;
}
