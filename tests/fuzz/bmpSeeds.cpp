#include "tests/fuzz/bmpSeeds.h"

#include <climits>
#include <utility>

namespace {

// Offsets within the file: the file header is 14 bytes, the info header
// follows.
constexpr size_t dataOffsetAt = 10;
constexpr size_t widthAt = 18;
constexpr size_t heightAt = 22;
constexpr size_t bitsAt = 28;
constexpr size_t compressionAt = 30;
constexpr size_t imageSizeAt = 34;
constexpr size_t coloursUsedAt = 46;
constexpr size_t pixelsAt = 54;

const std::vector<uint8_t> goodRgb = {10,  20,  30,  40,  50,  60,  70,  80,  90,  0, 0, 0,
                                      100, 110, 120, 130, 140, 150, 160, 170, 180, 0, 0, 0};

std::string withPatch(size_t at, uint32_t value, bool wide = true) {
  std::string file = knownGoodBmp();
  if (wide) {
    patch32(file, at, value);
  } else {
    patch16(file, at, static_cast<uint16_t>(value));
  }
  return file;
}

}  // namespace

void patch16(std::string& file, size_t at, uint16_t value) {
  file[at] = static_cast<char>(value & 0xFF);
  file[at + 1] = static_cast<char>(value >> 8);
}

void patch32(std::string& file, size_t at, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) file[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string knownGoodBmp() {
  std::string file(pixelsAt, '\0');
  file[0] = 'B';
  file[1] = 'M';
  patch32(file, 2, pixelsAt + 24);  // file size
  patch32(file, dataOffsetAt, pixelsAt);
  patch32(file, 14, 40);  // info-header size
  patch32(file, widthAt, 3);
  patch32(file, heightAt, 2);
  patch16(file, 26, 1);  // planes
  patch16(file, bitsAt, 24);
  patch32(file, imageSizeAt, 24);
  // Blue-green-red, bottom row first, three filler bytes after each row.
  const unsigned char rows[24] = {30,  20,  10,  60,  50,  40,  90,  80,  70,  0xEE, 0xEE, 0xEE,
                                  120, 110, 100, 150, 140, 130, 180, 170, 160, 0xEE, 0xEE, 0xEE};
  file.append(reinterpret_cast<const char*>(rows), sizeof rows);
  return file;
}

std::vector<BmpCase> bmpCases() {
  const std::string good = knownGoodBmp();
  const std::vector<uint8_t> black(goodRgb.size(), 0);
  std::vector<BmpCase> cases;
  const auto loaded = [&](const char* name, std::string bytes) {
    cases.push_back({name, std::move(bytes), BmpOutcome::Loaded, 3, 2, goodRgb});
  };
  const auto blackPicture = [&](const char* name, std::string bytes) {
    cases.push_back({name, std::move(bytes), BmpOutcome::Black, 3, 2, black});
  };
  const auto refused = [&](const char* name, std::string bytes) {
    cases.push_back({name, std::move(bytes), BmpOutcome::Refused, 0, 0, {}});
  };

  loaded("good", good);
  // Image size 0: the padded rows are read.
  loaded("zeroImageSize", withPatch(imageSizeAt, 0));
  // A larger field than the rows need, with the bytes there: the rows are
  // used, the rest ignored.
  std::string longer = withPatch(imageSizeAt, 28);
  longer.append(4, '\x55');
  loaded("imageSizeLargerThanRows", longer);
  // A 24-bit picture may still carry a palette: it lies between the info
  // header and the pixel data and is passed over.
  std::string palette = good;
  palette.insert(pixelsAt, std::string("\x01\x02\x03\x00\x04\x05\x06\x00", 8));
  patch32(palette, dataOffsetAt, pixelsAt + 8);
  patch32(palette, coloursUsedAt, 2);
  loaded("paletteCount", palette);

  blackPicture("bitCount8", withPatch(bitsAt, 8, false));
  blackPicture("bitCount32", withPatch(bitsAt, 32, false));
  blackPicture("compressionRle", withPatch(compressionAt, 1));
  blackPicture("compressionBitfields", withPatch(compressionAt, 3));

  refused("empty", "");
  refused("truncatedFileHeader", good.substr(0, 10));
  refused("truncatedInfoHeader", good.substr(0, 30));
  refused("truncatedPixels", good.substr(0, good.size() - 1));
  refused("notBm", withPatch(0, 0x5842, false));
  refused("dataOffsetZero", withPatch(dataOffsetAt, 0));
  refused("dataOffsetInsideHeader", withPatch(dataOffsetAt, 20));
  refused("dataOffsetPastEnd", withPatch(dataOffsetAt, static_cast<uint32_t>(good.size() + 10)));
  refused("dataOffsetMax", withPatch(dataOffsetAt, 0xFFFFFFFFu));
  // 65536 x 21846 x 3 is more than 2^32.
  std::string overflow = withPatch(widthAt, 65536);
  patch32(overflow, heightAt, 21846);
  refused("sizeOverflows32Bits", overflow);
  refused("hugeWidth", withPatch(widthAt, 0x7FFFFFFF));
  refused("hugeHeight", withPatch(heightAt, 0x7FFFFFFF));
  refused("zeroWidth", withPatch(widthAt, 0));
  refused("negativeWidth", withPatch(widthAt, static_cast<uint32_t>(-3)));
  refused("zeroHeight", withPatch(heightAt, 0));
  refused("negativeHeight", withPatch(heightAt, static_cast<uint32_t>(-2)));
  refused("mostNegativeHeight", withPatch(heightAt, static_cast<uint32_t>(INT_MIN)));
  // A field smaller than the padded rows (here the unpadded 3 x 2 x 3).
  refused("imageSizeShorterThanRows", withPatch(imageSizeAt, 18));
  refused("imageSizePastEnd", withPatch(imageSizeAt, 0xFFFFFF00u));
  // An unconverted format is black only at a sane size.
  std::string insaneBlack = withPatch(bitsAt, 8, false);
  patch32(insaneBlack, widthAt, 0x40000000);
  refused("bitCount8HugeWidth", insaneBlack);
  return cases;
}
