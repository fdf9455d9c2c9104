// ScratchDir: unique folder per object, removed recursively at the end.
#include "tests/support/scratch_dir.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#ifndef PROBE_TEST_SCRATCH
#define PROBE_TEST_SCRATCH "/tmp"
#endif

ScratchDir::ScratchDir(const std::string& name) {
  path_ = std::string(PROBE_TEST_SCRATCH) + "/" + name + "." + std::to_string(getpid());
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ScratchDir::Write(const std::string& name, const std::string& content) const {
  const std::string file = File(name);
  std::ofstream(file) << content;
  return file;
}
