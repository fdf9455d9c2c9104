// Signal handlers that only set a flag (a lock-free atomic) for the scan.
#include "scanhost/interrupt_signal.h"

#include <signal.h>
#include <unistd.h>

namespace {

std::atomic<bool> requested{false};
std::atomic<int> received{0};

extern "C" void OnInterrupt(int signal) {
  if (requested.exchange(true)) _exit(128 + signal);  // asked twice: stop now
  received.store(signal);
}

static_assert(std::atomic<bool>::is_always_lock_free, "signal handler needs a lock-free flag");

}  // namespace

void WatchInterrupts() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

const std::atomic<bool>& InterruptRequested() { return requested; }

int InterruptExitStatus() { return 128 + (received.load() == 0 ? SIGINT : received.load()); }
