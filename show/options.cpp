#include "show/options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

// A whole number filling the whole text, or false.
bool wholeNumber(const char* text, long long& value) {
  if (text == nullptr || *text == '\0') return false;
  errno = 0;
  char* end = nullptr;
  value = std::strtoll(text, &end, 10);
  return errno == 0 && end != text && *end == '\0';
}

}  // namespace

bool parseWhole(const char* text, int64_t low, int64_t high, int64_t& value, std::string& why) {
  long long parsed = 0;
  if (!wholeNumber(text, parsed) || parsed < low || parsed > high) {
    why = "a whole number from " + std::to_string(low) + " to " + std::to_string(high);
    return false;
  }
  value = parsed;
  return true;
}

bool parseWindowSize(const char* text, int& width, int& height, std::string& why) {
  why = "a size WxH from " + std::to_string(smallestWindowWidth) + "x" + std::to_string(smallestWindowHeight) +
        " to " + std::to_string(largestWindowSide) + "x" + std::to_string(largestWindowSide);
  const char* cross = text == nullptr ? nullptr : std::strchr(text, 'x');
  if (cross == nullptr) return false;
  long long w = 0;
  long long h = 0;
  if (!wholeNumber(std::string(text, cross).c_str(), w) || !wholeNumber(cross + 1, h)) return false;
  if (w < smallestWindowWidth || h < smallestWindowHeight || w > largestWindowSide || h > largestWindowSide) {
    return false;
  }
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

bool parseFrameRate(const char* text, FrameRate& rate, std::string& why) {
  why = "frames a second from 1 to 1000, whole (60) or a fraction (30000/1001)";
  if (text == nullptr) return false;
  const char* slash = std::strchr(text, '/');
  long long numerator = 0;
  long long denominator = 1;
  if (!wholeNumber(slash != nullptr ? std::string(text, slash).c_str() : text, numerator)) return false;
  if (slash != nullptr && !wholeNumber(slash + 1, denominator)) return false;
  if (numerator < 1 || denominator < 1 || numerator > 1000000 || denominator > 1000000) return false;
  if (numerator < denominator || numerator > 1000 * denominator) return false;
  rate = {numerator, denominator};
  return true;
}

bool StartPoint::reachedBy(const VirtualCycle& cycle) const {
  if (entry > 0) return cycle.entry > entry || (cycle.entry == entry && cycle.displayed);
  return ms >= 0 && static_cast<int64_t>(cycle.virtualMs) >= ms;
}
