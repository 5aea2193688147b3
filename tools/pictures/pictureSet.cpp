#include "tools/pictures/pictureSet.h"

#include <cstdio>
#include <cstdlib>

#include "runtime/pictureNames.h"
#include "tools/pictures/painters.h"

namespace {

// The painter of every picture, by the identifier the presentation knows it by.
std::function<Image()> painterOf(Picture picture) {
  const int n = static_cast<int>(picture);
  const auto numbered = [n](Picture first) { return n - static_cast<int>(first) + 1; };
  switch (picture) {
    // The equation pictures come in pairs, each followed by its mask.
    case Picture::Shr1:
    case Picture::Shr2:
    case Picture::Shr3: return [k = n / 2 + 1] { return paintSchroedinger(k); };
    case Picture::Shr1Mask:
    case Picture::Shr2Mask:
    case Picture::Shr3Mask: return [k = n / 2 + 1] { return paintSchroedingerMask(k); };
    case Picture::Power: return paintPower;
    case Picture::Greetz: return paintGreetings;
    case Picture::Qel: return paintOrbits;
    case Picture::Brisko: return paintParty;
    case Picture::Podklad1: return paintBackgroundCool;
    case Picture::Podklad2: return paintBackgroundWarm;
    case Picture::Frames22: return paintFrames;
    case Picture::Tekstura: return paintMarble;
    case Picture::Error: return paintErrorDialog;
    case Picture::Teraz: return paintGlassLabel;
    case Picture::Rownanie1: return paintWaveEquation;
    case Picture::Loading: return paintLoading;
    default: break;
  }
  if (picture >= Picture::Zor1 && picture <= Picture::Zor7) {
    return [k = numbered(Picture::Zor1)] { return paintPhotograph(k); };
  }
  if (picture >= Picture::Fx1 && picture <= Picture::Fx9) {
    return [k = numbered(Picture::Fx1)] { return paintEffect(k); };
  }
  if (picture >= Picture::G1 && picture <= Picture::G9) {
    return [k = numbered(Picture::G1)] { return paintGallery(k); };
  }
  if (picture >= Picture::G1Alpha && picture <= Picture::G9Alpha) {
    return [k = numbered(Picture::G1Alpha)] { return paintGalleryMask(k); };
  }
  std::fprintf(stderr, "vorran-pictures: no painter for %s\n", pictureFile(picture));
  std::abort();
}

}  // namespace

const std::vector<PictureRecipe>& pictureSet() {
  static const std::vector<PictureRecipe> set = [] {
    std::vector<PictureRecipe> s;
    for (int n = 0; n < pictureCount; ++n) {
      const auto picture = static_cast<Picture>(n);
      s.push_back({pictureFile(picture), painterOf(picture)});
    }
    return s;
  }();
  return set;
}
