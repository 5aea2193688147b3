#pragma once
// Reading 24-bit BMP pictures. This is where the program meets files it did
// not make, so every size in a file is checked against what was actually read
// before it is used, and a file that asks for absurd memory is refused.
// Nothing here touches OpenGL.
#include <cstdint>
#include <cstdio>
#include <vector>

// A picture as stored in its file.
struct BmpImage {
  int32_t width = 0;
  int32_t height = 0;
  uint16_t bitsPerPixel = 0;
  uint32_t compression = 0;
  // The image-size field of the info header (0 in many files).
  uint32_t imageSize = 0;
  // Bytes 14 up to the pixel data: the info header and any palette.
  std::vector<uint8_t> header;
  // The pixel data as stored: rows from the bottom up, blue-green-red.
  std::vector<uint8_t> pixels;
};

// Pictures larger than this in either side, or whose converted rows would
// take more than maxPictureBytes, are refused: the largest screen the show
// is drawn on (4K) never needs more than 4096 pixels of a picture.
inline constexpr int32_t maxPictureSide = 4096;
inline constexpr uint64_t maxPictureBytes = uint64_t{48} << 20;
// The block between the file header and the pixel data (info header, palette)
// is refused beyond this: real headers take a few hundred bytes.
inline constexpr uint64_t maxHeaderBytes = uint64_t{1} << 20;

// Bytes per stored row: three per pixel, filled up to a multiple of four.
uint64_t bmpRowStride(int32_t width);

// True for the one format that is converted: 24 bits, no compression.
bool bmpIsPlainRgb(const BmpImage& image);

// Reads a picture; false (and the image untouched) for a missing, short or
// malformed file, or for anything but a regular file (a pipe, a device or a
// folder is refused without waiting on it). A picture stored top-down
// (negative height) is refused; one larger than the limits above also sets
// *tooLarge, when given, so that the refusal can be explained.
// Pixel data of a plain 24-bit picture is read as padded rows: when the
// image-size field is 0, height x stride bytes; a field smaller than that is
// refused. Other formats read the field's bytes or width x height x 3.
bool readBmp(const char* path, BmpImage& image, bool* tooLarge = nullptr);
// The same from an open file, read from its current position to the end.
bool readBmpFile(std::FILE* file, BmpImage& image, bool* tooLarge = nullptr);

// The picture as RGB rows from the bottom up, each row filled with zeros up
// to a multiple of four bytes (height x stride bytes). Formats other than
// plain 24-bit give a black picture of the stated size. False, and rgb left
// empty, when the image is not one that readBmp accepts.
bool convertBmpToRgb(const BmpImage& image, std::vector<uint8_t>& rgb);
