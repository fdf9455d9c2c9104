// The progress line on standard error: done/total, rate and time left.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

// One line of progress, at most `width` columns wide, for `done` of `total`
// tasks after `elapsedSeconds`.
std::string FormatProgress(uint64_t done, uint64_t total, double elapsedSeconds, size_t width);

// Redraws the line in place on a terminal; draws nothing when disabled.
class ProgressBar {
 public:
  ProgressBar(std::FILE* terminal, bool enabled);
  void Update(uint64_t done, uint64_t total);
  void Clear();  // removes the line, before anything else is printed

 private:
  std::FILE* terminal_;
  bool enabled_;
  bool drawn_ = false;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point lastDrawn_;
};
