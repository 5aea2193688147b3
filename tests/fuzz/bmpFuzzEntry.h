#pragma once
// One input for the BMP reader, as the fuzzer and the corpus replay give it:
// read from memory, converted, and checked for consistency. Aborts when an
// accepted picture breaks the reader's promises.
#include <cstddef>
#include <cstdint>

void fuzzBmpOnce(const uint8_t* data, size_t size);
