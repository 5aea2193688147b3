// libFuzzer target for the BMP reader (see scripts/fuzz-bmp.sh).
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/bmpFuzzEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzBmpOnce(data, size);
  return 0;
}
