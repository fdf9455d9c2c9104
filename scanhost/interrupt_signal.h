// Ctrl-C and SIGTERM during a scan: the first asks the scan to stop after
// the running calls; a second ends the process at once.
#pragma once

#include <atomic>

// Installs the handlers. Call on the main thread before any worker starts.
void WatchInterrupts();

// Set once SIGINT or SIGTERM has arrived.
const std::atomic<bool>& InterruptRequested();

// The exit status for the signal that arrived: 130 for SIGINT, 143 for SIGTERM.
int InterruptExitStatus();
