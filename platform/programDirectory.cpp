#include "platform/programDirectory.h"

#include <unistd.h>

#include <climits>
#include <string>

bool enterProgramDirectory() {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return false;
  std::string directory(path, static_cast<size_t>(length));
  const size_t slash = directory.rfind('/');
  if (slash == std::string::npos) return false;
  directory.resize(slash == 0 ? 1 : slash);
  return chdir(directory.c_str()) == 0;
}
