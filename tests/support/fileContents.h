#pragma once
// Whole files as bytes, read and written in one call.
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

// The whole of a file as bytes; empty when it cannot be read.
inline std::string fileContents(const std::filesystem::path& path) {
  std::string text;
  if (FILE* file = std::fopen(path.c_str(), "rb")) {
    char block[65536];
    for (size_t n; (n = std::fread(block, 1, sizeof block, file)) > 0;) text.append(block, n);
    std::fclose(file);
  }
  return text;
}

// Writes the bytes as the whole file; false when any of it could not be written.
inline bool writeFileContents(const std::filesystem::path& path, std::string_view bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}
