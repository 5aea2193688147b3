// Writes the reader's test files into a directory, as the fuzzer's seeds:
// writeBmpSeeds DIR
#include <cstdio>
#include <string>

#include "tests/fuzz/bmpSeeds.h"
#include "tests/support/fileContents.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: writeBmpSeeds DIR\n");
    return 2;
  }
  for (const BmpCase& seed : bmpCases()) {
    const std::string path = std::string(argv[1]) + "/" + seed.name + ".bmp";
    if (!writeFileContents(path, seed.bytes)) {
      std::fprintf(stderr, "writeBmpSeeds: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
