#include "runtime/bmp.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace {

constexpr size_t fileHeaderBytes = 14;
// The info-header fields used end with the image size at bytes 20 to 23.
constexpr size_t infoFieldBytes = 24;
constexpr uint16_t bmpType = 0x4D42;  // "BM"

uint16_t le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

uint32_t le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// Bytes from the current position to the end of the file; false when the
// file cannot be measured.
bool bytesLeft(std::FILE* file, uint64_t& left) {
  const long here = std::ftell(file);
  if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) return false;
  const long end = std::ftell(file);
  if (end < here || std::fseek(file, here, SEEK_SET) != 0) return false;
  left = static_cast<uint64_t>(end - here);
  return true;
}

bool readExactly(std::FILE* file, std::vector<uint8_t>& block, uint64_t count) {
  block.resize(static_cast<size_t>(count));
  return count == 0 || std::fread(block.data(), 1, block.size(), file) == block.size();
}

// Sides from 1 to maxPictureSide and converted rows within maxPictureBytes.
// A negative height (rows stored top-down) is not accepted.
bool saneSize(int32_t width, int32_t height) {
  if (width < 1 || height < 1 || width > maxPictureSide || height > maxPictureSide) return false;
  return bmpRowStride(width) * static_cast<uint64_t>(height) <= maxPictureBytes;
}

}  // namespace

uint64_t bmpRowStride(int32_t width) {
  return (3 * static_cast<uint64_t>(width) + 3) & ~uint64_t{3};
}

bool bmpIsPlainRgb(const BmpImage& image) {
  return image.bitsPerPixel == 24 && image.compression == 0;
}

bool readBmpFile(std::FILE* file, BmpImage& image, bool* tooLarge) {
  uint64_t left = 0;
  if (!bytesLeft(file, left) || left < fileHeaderBytes) return false;

  uint8_t fileHeader[fileHeaderBytes];
  if (std::fread(fileHeader, 1, fileHeaderBytes, file) != fileHeaderBytes) return false;
  left -= fileHeaderBytes;
  if (le16(fileHeader) != bmpType) return false;

  // The info header and anything else up to the pixel data, as one block.
  const uint32_t dataOffset = le32(fileHeader + 10);
  if (dataOffset < fileHeaderBytes + infoFieldBytes) return false;
  const uint64_t headerBytes = dataOffset - fileHeaderBytes;
  if (headerBytes > left || headerBytes > maxHeaderBytes) return false;
  BmpImage read;
  if (!readExactly(file, read.header, headerBytes)) return false;
  left -= headerBytes;

  const uint8_t* info = read.header.data();
  read.width = static_cast<int32_t>(le32(info + 4));
  read.height = static_cast<int32_t>(le32(info + 8));
  read.bitsPerPixel = le16(info + 14);
  read.compression = le32(info + 16);
  read.imageSize = le32(info + 20);
  if (!saneSize(read.width, read.height)) {
    if (tooLarge != nullptr) *tooLarge = read.width > 0 && read.height > 0;
    return false;
  }

  // Plain 24-bit rows are padded to four bytes; the conversion walks whole
  // padded rows, so those are what is read.
  const uint64_t rows = static_cast<uint64_t>(read.height);
  const uint64_t paddedBytes = rows * bmpRowStride(read.width);
  uint64_t pixelBytes = read.imageSize;
  if (pixelBytes == 0) {
    pixelBytes = bmpIsPlainRgb(read) ? paddedBytes : rows * static_cast<uint64_t>(read.width) * 3;
  }
  if (bmpIsPlainRgb(read) && pixelBytes < paddedBytes) return false;
  if (pixelBytes > left) return false;
  if (!readExactly(file, read.pixels, pixelBytes)) return false;

  image = std::move(read);
  return true;
}

bool readBmp(const char* path, BmpImage& image, bool* tooLarge) {
  // Opened without blocking, so that a pipe with no writer cannot hold the
  // loading screen; only a regular file is read.
  const int descriptor = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) return false;
  struct stat info {};
  std::FILE* file = fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode) ? fdopen(descriptor, "rb") : nullptr;
  if (file == nullptr) {
    close(descriptor);
    return false;
  }
  const bool ok = readBmpFile(file, image, tooLarge);
  std::fclose(file);
  return ok;
}

bool convertBmpToRgb(const BmpImage& image, std::vector<uint8_t>& rgb) {
  rgb.clear();
  if (!saneSize(image.width, image.height)) return false;
  const uint64_t stride = bmpRowStride(image.width);
  const uint64_t bytes = stride * static_cast<uint64_t>(image.height);
  if (bmpIsPlainRgb(image) && image.pixels.size() < bytes) return false;

  rgb.assign(static_cast<size_t>(bytes), 0);
  if (!bmpIsPlainRgb(image)) return true;

  // Blue-green-red becomes red-green-blue; the row order stays, so the first
  // stored row is the bottom row of the texture. The filler bytes stay 0.
  const size_t rowBytes = static_cast<size_t>(image.width) * 3;
  for (size_t row = 0; row < static_cast<size_t>(image.height); ++row) {
    const uint8_t* from = image.pixels.data() + row * stride;
    uint8_t* to = rgb.data() + row * stride;
    for (size_t i = 0; i < rowBytes; i += 3) {
      to[i] = from[i + 2];
      to[i + 1] = from[i + 1];
      to[i + 2] = from[i];
    }
  }
  return true;
}
