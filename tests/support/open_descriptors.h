// How many descriptors this process has open, to catch one left behind.
#pragma once

#include <dirent.h>

inline int OpenDescriptors() {
  int count = 0;
  DIR* fds = opendir("/proc/self/fd");
  while (readdir(fds) != nullptr) ++count;
  closedir(fds);
  return count;
}
