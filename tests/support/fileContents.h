#pragma once
// The whole of a file as bytes; empty when it cannot be read.
#include <cstdio>
#include <filesystem>
#include <string>

inline std::string fileContents(const std::filesystem::path& path) {
  std::string text;
  if (FILE* file = std::fopen(path.c_str(), "rb")) {
    char block[65536];
    for (size_t n; (n = std::fread(block, 1, sizeof block, file)) > 0;) text.append(block, n);
    std::fclose(file);
  }
  return text;
}
