// Writes the reader's test files into a directory, as the fuzzer's seeds:
// writeBmpSeeds DIR
#include <cstdio>
#include <string>

#include "tests/fuzz/bmpSeeds.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: writeBmpSeeds DIR\n");
    return 2;
  }
  for (const BmpCase& seed : bmpCases()) {
    const std::string path = std::string(argv[1]) + "/" + seed.name + ".bmp";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool written = file != nullptr;
    if (written) {
      written = std::fwrite(seed.bytes.data(), 1, seed.bytes.size(), file) == seed.bytes.size();
      written = std::fclose(file) == 0 && written;
    }
    if (!written) {
      std::fprintf(stderr, "writeBmpSeeds: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
