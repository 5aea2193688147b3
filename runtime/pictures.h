#pragma once
// The picture slots: one texture name per picture file, reserved at start-up
// and filled by the loading screen (Timeline entry 1), one picture a frame
// behind a progress bar. Scenes bind a picture's texture by its slot and never
// read files themselves.

inline constexpr int pictureSlotCount = 51;

struct PictureSlots {
  // Texture name of slot n (1 to 51) at index n - 1; 0 until reserved.
  unsigned texture[pictureSlotCount] = {};
};

extern PictureSlots pictures;

struct LoadingScreen {
  // Pictures loaded so far (0 to 51); only grows.
  int loadedCount = 0;
  // 0 to 1: the screen fades in over its first 500 ms.
  float loadingFade = 0.0f;
  unsigned loadingTexture = 0;
};

extern LoadingScreen loadingScreen;

// The file of slot n (1 to 51), relative to the program's directory.
const char* pictureFile(int slot);

// Sets quitFade to 0 and creates one texture name per slot.
void reserveTextures();

// Reads the BMP file into the texture bound to GL_TEXTURE_2D, with mipmaps,
// or, for a picture one pixel high or wide, into the one bound to
// GL_TEXTURE_1D. Returns 0, or -1 when the file is missing or unusable (the
// texture then keeps no image).
int loadTextureBmp(const char* path);

// Sets quitFade to 0 (an Escape waits for the last picture), then loads the
// picture of slot n into its texture. Numbers outside 1 to 51 load nothing.
void loadPicture(int slot);

// Entry 1: the loading screen.
void loadingInit();
void loadingDisplay();
