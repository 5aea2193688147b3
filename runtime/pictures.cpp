#include "runtime/pictures.h"

#include <GL/gl.h>

#include "runtime/sequencer.h"

PictureSlots pictures;

namespace {

// In loading order.
const char* const slotFiles[pictureSlotCount] = {
    "images/shr1.bmp",     "images/shr1_a.bmp",   "images/shr2.bmp",     "images/shr2_a.bmp",
    "images/shr3.bmp",     "images/shr3_a.bmp",   "images/power.bmp",    "images/greetz.bmp",
    "images/qel.bmp",      "images/brisko.bmp",   "images/podklad1.bmp", "images/podklad2.bmp",
    "images/22.bmp",       "images/tekstura.bmp", "images/zor1.bmp",     "images/zor2.bmp",
    "images/zor3.bmp",     "images/zor4.bmp",     "images/zor5.bmp",     "images/zor6.bmp",
    "images/zor7.bmp",     "images/fx1.bmp",      "images/fx2.bmp",      "images/fx3.bmp",
    "images/fx4.bmp",      "images/fx5.bmp",      "images/fx6.bmp",      "images/fx7.bmp",
    "images/fx8.bmp",      "images/fx9.bmp",      "images/g1.bmp",       "images/g2.bmp",
    "images/g3.bmp",       "images/g4.bmp",       "images/g5.bmp",       "images/g6.bmp",
    "images/g7.bmp",       "images/g8.bmp",       "images/g9.bmp",       "images/g1_alpha.bmp",
    "images/g2_alpha.bmp", "images/g3_alpha.bmp", "images/g4_alpha.bmp", "images/g5_alpha.bmp",
    "images/g6_alpha.bmp", "images/g7_alpha.bmp", "images/g8_alpha.bmp", "images/g9_alpha.bmp",
    "images/error.bmp",    "images/teraz.bmp",    "images/rownanie1.bmp",
};

}  // namespace

const char* pictureFile(int slot) {
  if (slot < 1 || slot > pictureSlotCount) return nullptr;
  return slotFiles[slot - 1];
}

void reserveTextures() {
  sequencer.quitFade = 0.0f;
  for (unsigned& name : pictures.texture) glGenTextures(1, &name);
}
