#include "platform/errorLine.h"

#include <cstdio>

void showErrorLine(const char* text) {
  std::fprintf(stderr, "Error: %s\n", text);
  std::fflush(stderr);
}
