// ScanhostProcess: fork/exec with the output in files, a bounded wait, and a
// kill by pid on the way out.
#include "scanhost/tests/scanhost_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

int Counter() {
  static int next = 0;
  return ++next;
}

}  // namespace

ScanhostProcess::ScanhostProcess(const std::vector<std::string>& arguments)
    : dir_("scanhost-run-" + std::to_string(Counter())) {
  std::vector<std::string> argv{SCANHOST_PROGRAM};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::vector<char*> args;
  for (auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  const std::string out = dir_.File("stdout");
  const std::string err = dir_.File("stderr");
  pid_ = fork();
  if (pid_ == 0) {
    const int in = open("/dev/null", O_RDONLY);
    const int outFd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int errFd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(in, STDIN_FILENO);
    dup2(outFd, STDOUT_FILENO);
    dup2(errFd, STDERR_FILENO);
    execv(args[0], args.data());
    _exit(127);
  }
}

ScanhostProcess::~ScanhostProcess() {
  if (pid_ > 0 && !reaped_) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
}

int ScanhostProcess::Wait(int seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (pid_ > 0 && !reaped_) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      reaped_ = true;
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
      reaped_ = true;
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return -1;
}

bool ScanhostProcess::WaitForOutput(const std::string& piece, int seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (std::chrono::steady_clock::now() < deadline) {
    if (Output().find(piece) != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

void ScanhostProcess::Signal(int signal) {
  if (pid_ > 0 && !reaped_) kill(pid_, signal);
}

std::string ScanhostProcess::Output() const { return ReadFile(dir_.File("stdout")); }
std::string ScanhostProcess::Errors() const { return ReadFile(dir_.File("stderr")); }

ScanhostRun RunScanhost(const std::vector<std::string>& arguments) {
  ScanhostProcess process(arguments);
  const int status = process.Wait(60);
  return {status, process.Output(), process.Errors()};
}
