// The scan: every (address, plug-in) Scan call is a task for a pool of worker
// threads; finished addresses are handed back in ascending order.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "plugin_api/plugin_api.h"
#include "scanhost/target_list.h"

struct ScanSettings {
  size_t threads = 0;         // 0: one per task, at most kDefaultThreads
  int32_t textSize = 1024;    // the size of each call's text buffer
  size_t window = 0;          // addresses in flight at most; 0: from threads
  size_t stackBytes = 512 * 1024;
};

constexpr size_t kDefaultThreads = 1024;

// What the scan ended with.
struct ScanSummary {
  uint64_t rows = 0;         // addresses handed back, all columns scanned
  uint64_t addresses = 0;    // addresses in the set
  size_t threads = 0;        // workers actually started
  bool interrupted = false;  // stopped before every address was scanned
};

// One address's column texts, in the order of the plug-ins.
using RowHandler = std::function<void(uint32_t address, const std::vector<std::string>& texts)>;
// Called now and then from the calling thread with the tasks done so far.
using ProgressHandler = std::function<void(uint64_t doneTasks, uint64_t totalTasks)>;

// Runs `scans` over every address of `addresses` and returns when the scan is
// over. Rows arrive on the calling thread in address order; at most `window`
// addresses are held at once, so memory does not grow with the range. When
// `stop` becomes true no further Scan starts, the running ones finish, and
// the addresses whose every column was scanned are still handed back.
// The workers block the process's asynchronous signals; they reach the
// calling thread only.
ScanSummary RunScan(const AddressSet& addresses, const std::vector<ScanFunction>& scans,
                    const ScanSettings& settings, const std::atomic<bool>& stop,
                    const RowHandler& onRow, const ProgressHandler& onProgress);

// The default pool size for `tasks` Scan calls.
size_t DefaultThreadCount(uint64_t tasks);
