// The worker pool: every address once, in order, each call with a fresh
// buffer, at most the asked-for threads, and a stop that holds back new calls.
#include <gtest/gtest.h>

#include <arpa/inet.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "scanhost/scan_scheduler.h"

namespace {

std::atomic<int> running{0};
std::atomic<int> mostRunning{0};
std::atomic<int> calls{0};
std::atomic<int> dirtyBuffers{0};
std::atomic<int> stopAfter{-1};
std::atomic<bool> stopRequest{false};
constexpr int32_t kTextSize = 64;

// Scans that write the address and a column tag; uneven short sleeps make
// the calls finish out of order.
int32_t ScanCommon(uint32_t address, char* text, int32_t textSize, const char* tag) {
  const int now = ++running;
  for (int seen = mostRunning.load(); now > seen && !mostRunning.compare_exchange_weak(seen, now);) {
  }
  const int call = ++calls;
  if (call == stopAfter.load()) stopRequest.store(true);
  for (int32_t i = 0; i < textSize; ++i)
    if (text[i] != '\0') {
      ++dirtyBuffers;
      break;
    }
  const uint32_t host = ntohl(address);
  std::this_thread::sleep_for(std::chrono::microseconds((host * 7919u) % 300u));
  std::snprintf(text, static_cast<size_t>(textSize), "%s%u", tag, host);
  --running;
  return 1;
}
int32_t ScanA(uint32_t address, char* text, int32_t textSize) {
  return ScanCommon(address, text, textSize, "a");
}
int32_t ScanB(uint32_t address, char* text, int32_t textSize) {
  return ScanCommon(address, text, textSize, "b");
}

struct Row {
  uint32_t address;
  std::vector<std::string> texts;
};

class ScanSchedulerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    running = 0;
    mostRunning = 0;
    calls = 0;
    dirtyBuffers = 0;
    stopAfter = -1;
    stopRequest = false;
    std::string error;
    ASSERT_TRUE(BuildTargetSet({"198.18.0.0/23", "198.18.4.0-198.18.4.99"}, false, nullptr,
                               &addresses, &error));
  }
  ScanSummary Scan(size_t threads, size_t window) {
    ScanSettings settings;
    settings.threads = threads;
    settings.window = window;
    settings.textSize = kTextSize;
    return RunScan(addresses, {ScanA, ScanB}, settings, stopRequest,
                   [&](uint32_t address, const std::vector<std::string>& texts) {
                     rows.push_back({address, texts});
                   },
                   nullptr);
  }
  void ExpectRowsWhole() {
    for (size_t i = 0; i < rows.size(); ++i) {
      if (i > 0) {
        EXPECT_LT(rows[i - 1].address, rows[i].address);
      }
      ASSERT_EQ(rows[i].texts.size(), 2u);
      EXPECT_EQ(rows[i].texts[0], "a" + std::to_string(rows[i].address));
      EXPECT_EQ(rows[i].texts[1], "b" + std::to_string(rows[i].address));
    }
  }
  AddressSet addresses;
  std::vector<Row> rows;
};

TEST_F(ScanSchedulerTest, EveryAddressOnceInOrderThroughASmallWindow) {
  const ScanSummary summary = Scan(16, 5);
  EXPECT_FALSE(summary.interrupted);
  EXPECT_EQ(summary.threads, 16u);
  ASSERT_EQ(rows.size(), addresses.Count());
  ExpectRowsWhole();
  EXPECT_EQ(rows.front().address, addresses.At(0));
  EXPECT_EQ(rows.back().address, addresses.At(addresses.Count() - 1));
  EXPECT_EQ(calls.load(), static_cast<int>(2 * addresses.Count()));
  EXPECT_EQ(dirtyBuffers.load(), 0) << "a call got a buffer that was not empty";
  EXPECT_LE(mostRunning.load(), 16);
}

TEST_F(ScanSchedulerTest, DefaultSettingsRunEveryCall) {
  const ScanSummary summary = Scan(0, 0);
  EXPECT_EQ(summary.threads, DefaultThreadCount(2 * addresses.Count()));
  ASSERT_EQ(rows.size(), addresses.Count());
  ExpectRowsWhole();
}

TEST_F(ScanSchedulerTest, StopHoldsBackNewCallsAndKeepsWholeRows) {
  stopAfter = 101;
  const ScanSummary summary = Scan(8, 0);
  EXPECT_TRUE(summary.interrupted);
  // Calls already under way when the stop came may finish; no new one starts.
  EXPECT_LE(calls.load(), 101 + 8);
  EXPECT_GE(rows.size(), 40u);
  EXPECT_LT(rows.size(), addresses.Count());
  EXPECT_EQ(summary.rows, rows.size());
  ExpectRowsWhole();
}

TEST(DefaultThreadCount, OnePerCallUpTo1024) {
  EXPECT_EQ(DefaultThreadCount(0), 1u);
  EXPECT_EQ(DefaultThreadCount(254), 254u);
  EXPECT_EQ(DefaultThreadCount(1024), 1024u);
  EXPECT_EQ(DefaultThreadCount(1u << 24), 1024u);
}

}  // namespace
