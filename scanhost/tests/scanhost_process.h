// The scanhost program run by a test, its output and error kept in files.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "tests/support/scratch_dir.h"

class ScanhostProcess {
 public:
  // Starts SCANHOST_PROGRAM with `arguments`; standard input is /dev/null.
  explicit ScanhostProcess(const std::vector<std::string>& arguments);
  ~ScanhostProcess();  // kills it if it still runs
  ScanhostProcess(const ScanhostProcess&) = delete;
  ScanhostProcess& operator=(const ScanhostProcess&) = delete;

  // Waits for the end, at most `seconds`; the exit status, 128 + N when
  // signal N ended it, or -1 when it was still running (it is then killed).
  int Wait(int seconds);
  // Waits at most `seconds` until the output so far contains `piece`.
  bool WaitForOutput(const std::string& piece, int seconds);
  void Signal(int signal);

  std::string Output() const;  // standard output so far
  std::string Errors() const;  // standard error so far

 private:
  ScratchDir dir_;
  pid_t pid_ = -1;
  bool reaped_ = false;
};

// Runs scanhost to its end (at most 60 s) and gives the exit status, the
// output and the errors.
struct ScanhostRun {
  int status;
  std::string output;
  std::string errors;
};
ScanhostRun RunScanhost(const std::vector<std::string>& arguments);
