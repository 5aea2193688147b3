#pragma once
// The picture slots: one texture name per picture file, reserved at start-up
// and filled by the loading screen.

inline constexpr int pictureSlotCount = 51;

struct PictureSlots {
  // Texture name of slot n (1 to 51) at index n - 1; 0 until reserved.
  unsigned texture[pictureSlotCount] = {};
};

extern PictureSlots pictures;

// The file of slot n (1 to 51), relative to the program's directory.
const char* pictureFile(int slot);

// Sets quitFade to 0 and creates one texture name per slot.
void reserveTextures();
