#pragma once
// A fingerprint of simulation state: 64-bit FNV-1a over the raw bytes of the
// arrays and scalars, in the order they are added. Determinism tests compare
// it with the value recorded when the simulation was last known good.
#include <cstddef>
#include <cstdint>

struct StateHash {
  uint64_t value = 14695981039346656037ull;

  void addBytes(const void* data, size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) {
      value ^= bytes[i];
      value *= 1099511628211ull;
    }
  }
  // Any array or scalar, as it lies in memory.
  template <typename T>
  void add(const T& item) {
    addBytes(&item, sizeof item);
  }
};
