#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes RGB rows stored from the bottom up as a PNG (top row first).
bool writePng(const std::string& path, const std::vector<uint8_t>& rgb, int width, int height);
