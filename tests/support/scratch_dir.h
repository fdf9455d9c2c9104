// A folder under the build tree that lives as long as the object.
#pragma once

#include <string>

class ScratchDir {
 public:
  explicit ScratchDir(const std::string& name);  // created under PROBE_TEST_SCRATCH
  ~ScratchDir();                                  // removed with everything in it
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // Writes `content` to File(name) and returns that path.
  std::string Write(const std::string& name, const std::string& content) const;

 private:
  std::string path_;
};
