// ChildProcess: fork/exec, and a stop that never outlives the test.
#include "tests/support/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

ChildProcess::ChildProcess(const std::vector<std::string>& argv,
                           const std::vector<std::string>& environment,
                           const std::string& logPath) {
  std::vector<char*> args;
  for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  pid_ = fork();
  if (pid_ == 0) {
    const int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (log >= 0) {
      dup2(log, STDOUT_FILENO);
      dup2(log, STDERR_FILENO);
    }
    for (const auto& entry : environment) putenv(const_cast<char*>(entry.c_str()));
    execvp(args[0], args.data());
    _exit(127);
  }
}

bool ChildProcess::Running() {
  if (pid_ <= 0 || reaped_) return false;
  int status = 0;
  if (waitpid(pid_, &status, WNOHANG) == pid_) reaped_ = true;
  return !reaped_;
}

ChildProcess::~ChildProcess() {
  if (!Running()) return;
  kill(pid_, SIGTERM);
  for (int i = 0; i < 50 && Running(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  if (Running()) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
}
