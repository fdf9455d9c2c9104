// Scan targets: addresses, CIDR blocks, ranges and host names, gathered into
// one ascending set of addresses in which each address appears once.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Addresses here are host-order numbers (198.18.0.1 is 0xC6120001), so that
// ranges can be counted and walked; the scan hands them to plug-ins in
// network order.
struct AddressInterval {
  uint32_t first;
  uint32_t last;  // inclusive
};

// A sorted set of disjoint, non-adjacent intervals: the addresses to scan.
class AddressSet {
 public:
  void Add(AddressInterval interval);
  uint64_t Count() const { return count_; }
  // The address at position `index` (0 <= index < Count()) in ascending order.
  uint32_t At(uint64_t index) const;
  const std::vector<AddressInterval>& Intervals() const { return intervals_; }

 private:
  std::vector<AddressInterval> intervals_;
  std::vector<uint64_t> startIndex_;  // position of each interval's first address
  uint64_t count_ = 0;
};

// Resolves a host name to IPv4 addresses (host order). Returns false with a
// reason when the name has no IPv4 address.
using HostResolver =
    std::function<bool(const std::string& name, uint32_t* address, std::string* error)>;

// The ranges above this many addresses need an explicit allowance.
constexpr uint64_t kLargeRange = 65536;

// Parses one target: "198.18.0.1", "198.18.0.0/28", "198.18.0.1-198.18.0.20",
// "198.18.0.1-20" or a host name (handed to `resolve`).
bool ParseTarget(const std::string& text, const HostResolver& resolve, AddressInterval* interval,
                 std::string* error);

// Parses every target into `set`; refuses more than kLargeRange addresses in
// total unless `allowLarge`.
bool BuildTargetSet(const std::vector<std::string>& targets, bool allowLarge,
                    const HostResolver& resolve, AddressSet* set, std::string* error);

// "198.18.0.1" for a host-order address.
std::string FormatAddress(uint32_t address);
