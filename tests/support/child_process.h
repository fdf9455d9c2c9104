// A program that a test starts and stops by its own process id.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

class ChildProcess {
 public:
  // Starts argv[0] (searched in PATH) with extra "NAME=value" entries added
  // to the environment; standard output and error go to `logPath`.
  ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
               const std::string& logPath);
  ~ChildProcess();  // stops it: SIGTERM, then SIGKILL after a bounded wait
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }
  bool Running();  // false once it has exited

 private:
  pid_t pid_ = -1;
  bool reaped_ = false;
};
