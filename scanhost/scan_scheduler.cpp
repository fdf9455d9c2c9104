// RunScan: a pool of worker threads taking (address, plug-in) tasks in
// address order, and an ordered hand-back of finished addresses.
#include "scanhost/scan_scheduler.h"

#include <arpa/inet.h>
#include <pthread.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>

namespace {

// One address in flight: its column texts and the calls still to come back.
struct Slot {
  std::vector<std::string> texts;
  size_t remaining = 0;
};

class ScanRun {
 public:
  ScanRun(const AddressSet& addresses, const std::vector<ScanFunction>& scans,
          const ScanSettings& settings, size_t window, const std::atomic<bool>& stop)
      : addresses_(addresses),
        scans_(scans),
        textSize_(settings.textSize),
        columns_(scans.size()),
        window_(window),
        totalTasks_(addresses.Count() * scans.size()),
        stop_(stop),
        slots_(window) {}

  ScanSummary Run(size_t threads, size_t stackBytes, const RowHandler& onRow, const ProgressHandler& onProgress);

 private:
  static void* WorkerEntry(void* run) {
    static_cast<ScanRun*>(run)->Work();
    return nullptr;
  }
  void Work();
  size_t StartWorkers(size_t threads, size_t stackBytes);
  // Addresses whose first task has been taken (lock held).
  uint64_t Started() const { return (nextTask_ + columns_ - 1) / columns_; }
  bool HasRoom() const { return nextTask_ / columns_ < head_ + window_; }
  void Emit(uint64_t index, std::unique_lock<std::mutex>& lock, const RowHandler& onRow);

  const AddressSet& addresses_;
  const std::vector<ScanFunction>& scans_;
  const int32_t textSize_;
  const uint64_t columns_;
  const uint64_t window_;
  const uint64_t totalTasks_;
  const std::atomic<bool>& stop_;

  std::mutex mutex_;
  std::condition_variable roomOrStop_;  // workers wait here for a free slot
  std::condition_variable rowReady_;    // the caller waits here for the next row
  std::vector<Slot> slots_;
  uint64_t nextTask_ = 0;  // task = address index * columns + plug-in index
  uint64_t head_ = 0;      // the first address not yet handed back
  uint64_t doneTasks_ = 0;
  size_t active_ = 0;      // workers still running
  size_t waiting_ = 0;     // workers waiting for room
  bool stopping_ = false;
  uint64_t rows_ = 0;
  std::vector<pthread_t> workers_;
};

void ScanRun::Work() {
  std::vector<char> text(static_cast<size_t>(textSize_));
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    while (!stopping_ && nextTask_ < totalTasks_ && !HasRoom()) {
      ++waiting_;
      roomOrStop_.wait(lock);
      --waiting_;
    }
    // The request itself is read too: a stop must not wait for the caller
    // to notice it before it holds back the next Scan.
    if (stopping_ || stop_.load() || nextTask_ >= totalTasks_) break;
    const uint64_t task = nextTask_++;
    // After the last task, the workers waiting for room have nothing to wait for.
    if (nextTask_ == totalTasks_ && waiting_ > 0) roomOrStop_.notify_all();
    const uint64_t index = task / columns_;
    const size_t column = static_cast<size_t>(task % columns_);
    Slot& slot = slots_[index % window_];
    if (column == 0) {
      slot.texts.assign(columns_, std::string());
      slot.remaining = columns_;
    }
    const uint32_t address = htonl(addresses_.At(index));
    lock.unlock();

    // Every call gets a fresh, empty buffer of the full size.
    std::fill(text.begin(), text.end(), '\0');
    scans_[column](address, text.data(), textSize_);
    const size_t length = strnlen(text.data(), text.size());

    lock.lock();
    slot.texts[column].assign(text.data(), length);
    ++doneTasks_;
    if (--slot.remaining == 0 && index == head_) rowReady_.notify_one();
  }
  if (--active_ == 0) rowReady_.notify_one();
}

size_t ScanRun::StartWorkers(size_t threads, size_t stackBytes) {
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setstacksize(&attributes, std::max<size_t>(stackBytes, PTHREAD_STACK_MIN));
  // Workers start with every signal blocked, so that Ctrl-C reaches the
  // calling thread and never interrupts a plug-in's call.
  sigset_t all;
  sigset_t previous;
  sigfillset(&all);
  pthread_sigmask(SIG_BLOCK, &all, &previous);
  size_t started = 0;
  for (; started < threads; ++started) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      ++active_;
    }
    pthread_t thread;
    if (pthread_create(&thread, &attributes, &ScanRun::WorkerEntry, this) != 0) {
      std::lock_guard<std::mutex> lock(mutex_);
      --active_;
      break;
    }
    workers_.push_back(thread);
  }
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  pthread_attr_destroy(&attributes);
  return started;
}

void ScanRun::Emit(uint64_t index, std::unique_lock<std::mutex>& lock, const RowHandler& onRow) {
  std::vector<std::string> texts;
  texts.swap(slots_[index % window_].texts);
  lock.unlock();
  onRow(addresses_.At(index), texts);
  lock.lock();
  ++rows_;
}

ScanSummary ScanRun::Run(size_t threads, size_t stackBytes, const RowHandler& onRow, const ProgressHandler& onProgress) {
  ScanSummary summary;
  summary.addresses = addresses_.Count();
  summary.threads = totalTasks_ == 0 ? 0 : StartWorkers(threads, stackBytes);
  std::unique_lock<std::mutex> lock(mutex_);
  if (summary.threads == 0) stopping_ = totalTasks_ != 0;
  for (;;) {
    if (!stopping_ && stop_.load()) {
      stopping_ = true;
      roomOrStop_.notify_all();
    }
    while (head_ < Started() && slots_[head_ % window_].remaining == 0) {
      Emit(head_, lock, onRow);
      ++head_;
      // One address handed back frees room for its plug-ins' tasks.
      for (uint64_t i = 0; i < columns_ && waiting_ > 0; ++i) roomOrStop_.notify_one();
    }
    if (active_ == 0) break;
    if (onProgress) {
      const uint64_t done = doneTasks_;
      lock.unlock();
      onProgress(done, totalTasks_);
      lock.lock();
    }
    rowReady_.wait_for(lock, std::chrono::milliseconds(200));
  }
  // Every worker has left its loop; wait until each thread is gone, so that
  // nothing of the scan runs when the caller goes on to Finalize.
  lock.unlock();
  for (pthread_t worker : workers_) pthread_join(worker, nullptr);
  lock.lock();
  // After a stop, addresses beyond a half-scanned one
  // may still be whole: hand those back too, in order.
  for (uint64_t index = head_; index < Started(); ++index)
    if (slots_[index % window_].remaining == 0) Emit(index, lock, onRow);
  summary.rows = rows_;
  summary.interrupted = rows_ < summary.addresses;
  if (onProgress) onProgress(doneTasks_, totalTasks_);
  return summary;
}

}  // namespace

size_t DefaultThreadCount(uint64_t tasks) {
  return static_cast<size_t>(std::min<uint64_t>(std::max<uint64_t>(tasks, 1), kDefaultThreads));
}

ScanSummary RunScan(const AddressSet& addresses, const std::vector<ScanFunction>& scans,
                    const ScanSettings& settings, const std::atomic<bool>& stop,
                    const RowHandler& onRow, const ProgressHandler& onProgress) {
  const uint64_t tasks = addresses.Count() * scans.size();
  const size_t threads = static_cast<size_t>(std::min<uint64_t>(
      settings.threads == 0 ? DefaultThreadCount(tasks) : settings.threads, std::max<uint64_t>(tasks, 1)));
  const size_t columns = std::max<size_t>(scans.size(), 1);
  // Enough addresses in flight that every worker has a task even while the
  // oldest address waits out its slowest column.
  const size_t window = settings.window != 0
                            ? settings.window
                            : std::max<size_t>(256, 4 * ((threads + columns - 1) / columns));
  if (scans.empty()) return ScanSummary{0, addresses.Count(), 0, addresses.Count() != 0};
  ScanRun run(addresses, scans, settings, window, stop);
  return run.Run(threads, settings.stackBytes, onRow, onProgress);
}
