#pragma once
// Small BMP files, one known-good picture and the malformed files made from it
// by patching one thing each, with what the reader must make of them. The
// reader's tests check the outcomes, the fuzzer starts from these files, and
// the regular suite replays them through the fuzz entry.
#include <cstdint>
#include <string>
#include <vector>

enum class BmpOutcome {
  Loaded,   // converted pixels as the file holds them
  Black,    // accepted at its stated size, all black
  Refused,  // not loaded at all
};

struct BmpCase {
  std::string name;
  std::string bytes;
  BmpOutcome outcome;
  // For Loaded and Black: the sides and the converted RGB rows (bottom up,
  // each padded to four bytes).
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
};

// The known-good picture: 3 x 2 pixels, so every row carries three filler
// bytes (0xEE in the file). Its colours, bottom row first, are
// (10, 20, 30) (40, 50, 60) (70, 80, 90) / (100, 110, 120) (130, 140, 150)
// (160, 170, 180).
std::string knownGoodBmp();

// Little-endian patches at a byte offset of the file.
void patch16(std::string& file, size_t at, uint16_t value);
void patch32(std::string& file, size_t at, uint32_t value);

std::vector<BmpCase> bmpCases();
