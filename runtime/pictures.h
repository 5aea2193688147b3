#pragma once
// The picture slots: one texture name per picture file, reserved at start-up
// and filled by the loading screen (Timeline entry 1), one picture a frame.
// Scenes bind a picture's texture by its name and never read files
// themselves.
#include <cstdint>

#include "runtime/pictureNames.h"

// Where a picture differs from its background: the texels outside the box
// all have the colour of its first texel. Known only for pictures whose
// sides are powers of two (a texture holds them texel for texel).
struct PictureContent {
  bool known = false;
  int width = 0, height = 0;
  // First and last column and row that differ from the background.
  int left = 0, right = -1, bottom = 0, top = -1;
  uint8_t background[3] = {};
};

struct PictureSlots {
  // Texture name of slot n (1 to 51) at index n - 1; 0 until reserved.
  unsigned texture[pictureSlotCount] = {};
  PictureContent content[pictureSlotCount] = {};
  // Memory the loaded pictures take, their mipmaps included.
  uint64_t loadedBytes = 0;
};

// All pictures together take at most this much; a picture that would pass
// it is skipped with a line on standard error. The show's own pictures take
// about 8 MiB.
inline constexpr uint64_t maxLoadedPictureBytes = uint64_t{256} << 20;

extern PictureSlots pictures;

// The texture of a picture that has a slot; 0 for the loading picture.
unsigned pictureTexture(Picture picture);

// Resets the quit fade, then creates one texture name per slot.
void reserveTextures();

// Binds the texture to GL_TEXTURE_2D for loading: modulated by the drawing
// colour, repeated in both directions.
void bindForLoading(unsigned texture);

// Reads the BMP file into the texture bound to GL_TEXTURE_2D, with mipmaps,
// or, for a picture one pixel high or wide, into the one bound to
// GL_TEXTURE_1D. Returns 0, or -1 when the file is missing or unusable (the
// texture then keeps no image); a picture too large for any screen, or one
// that would take the pictures past their memory bound, is also told on
// standard error.
// When `content` is given, it learns where the picture differs from its
// background.
int loadTextureBmp(const char* path, PictureContent* content = nullptr);

// Draws the picture's texture (bound by the caller) as
// drawTexturedRectangle(left, bottom, right, top, low, high) would, but only
// the part where it differs from a background of the given colour, with a
// margin wide enough for the filtering at the size it is drawn in the
// current viewport. For a blend that leaves the screen as it is where the
// texture has that colour (a multiply by white, an add of black) the picture
// is the same and the rasteriser fills a fraction of the pixels. Anything
// else draws the whole rectangle.
void drawPictureContent(Picture picture, const uint8_t (&blank)[3], float left, float bottom, float right, float top,
                        float low, float high);

// Resets the quit fade (an Escape waits for the last picture), then loads the
// picture of slot n (1 to 51) into its texture. Other numbers load nothing.
void loadPicture(int slot);
