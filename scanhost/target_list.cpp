// Target parsing and the ordered, duplicate-free address set.
#include "scanhost/target_list.h"

#include <algorithm>
#include <cctype>

namespace {

bool IsDigits(const std::string& text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

// A decimal number of 1 to 3 digits (octets, prefix lengths) up to `max`.
bool ParseSmallNumber(const std::string& text, uint32_t max, uint32_t* value) {
  if (!IsDigits(text) || text.size() > 3) return false;
  const uint32_t number = static_cast<uint32_t>(std::stoul(text));
  if (number > max) return false;
  *value = number;
  return true;
}

// Strict dotted quad: four decimal octets, nothing else.
bool ParseAddress(const std::string& text, uint32_t* address) {
  uint32_t value = 0;
  size_t start = 0;
  for (int part = 0; part < 4; ++part) {
    const size_t dot = part < 3 ? text.find('.', start) : text.size();
    if (dot == std::string::npos) return false;
    uint32_t octet = 0;
    if (!ParseSmallNumber(text.substr(start, dot - start), 255, &octet)) return false;
    value = (value << 8) | octet;
    start = dot + 1;
  }
  *address = value;
  return true;
}

bool LooksNumeric(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](unsigned char c) { return std::isdigit(c) || c == '.'; });
}

bool IsHostName(const std::string& text) {
  if (text.empty() || text.size() > 253 || text.front() == '-' || text.front() == '.') return false;
  return std::all_of(text.begin(), text.end(), [](unsigned char c) {
    return std::isalnum(c) || c == '-' || c == '.' || c == '_';
  });
}

}  // namespace

void AddressSet::Add(AddressInterval interval) {
  intervals_.push_back(interval);
  std::sort(intervals_.begin(), intervals_.end(),
            [](const AddressInterval& a, const AddressInterval& b) { return a.first < b.first; });
  // Merge overlapping and touching intervals, so that each address is once.
  std::vector<AddressInterval> merged;
  for (const AddressInterval& next : intervals_) {
    if (!merged.empty() && static_cast<uint64_t>(next.first) <= uint64_t{merged.back().last} + 1)
      merged.back().last = std::max(merged.back().last, next.last);
    else
      merged.push_back(next);
  }
  intervals_ = merged;
  startIndex_.clear();
  count_ = 0;
  for (const AddressInterval& each : intervals_) {
    startIndex_.push_back(count_);
    count_ += uint64_t{each.last} - each.first + 1;
  }
}

uint32_t AddressSet::At(uint64_t index) const {
  const auto after = std::upper_bound(startIndex_.begin(), startIndex_.end(), index);
  const size_t which = static_cast<size_t>(after - startIndex_.begin()) - 1;
  return intervals_[which].first + static_cast<uint32_t>(index - startIndex_[which]);
}

bool ParseTarget(const std::string& text, const HostResolver& resolve, AddressInterval* interval,
                 std::string* error) {
  const auto fail = [&](const std::string& why) {
    *error = "invalid target '" + text + "': " + why;
    return false;
  };
  if (text.empty()) return fail("empty");

  const size_t slash = text.find('/');
  if (slash != std::string::npos) {
    uint32_t base = 0;
    uint32_t prefix = 0;
    if (!ParseAddress(text.substr(0, slash), &base)) return fail("not an IPv4 address before '/'");
    if (!ParseSmallNumber(text.substr(slash + 1), 32, &prefix))
      return fail("prefix length must be 0 to 32");
    const uint32_t hostBits = prefix == 0 ? 0xFFFFFFFFu : (prefix == 32 ? 0u : (1u << (32 - prefix)) - 1);
    *interval = {base & ~hostBits, (base & ~hostBits) | hostBits};
    return true;
  }

  const size_t dash = text.find('-');
  uint32_t first = 0;
  if (dash != std::string::npos && ParseAddress(text.substr(0, dash), &first)) {
    const std::string end = text.substr(dash + 1);
    uint32_t last = 0;
    if (IsDigits(end)) {
      uint32_t octet = 0;
      if (!ParseSmallNumber(end, 255, &octet)) return fail("last octet must be 0 to 255");
      last = (first & 0xFFFFFF00u) | octet;
    } else if (!ParseAddress(end, &last)) {
      return fail("range end is not an IPv4 address or a last octet");
    }
    if (last < first) return fail("range ends before it starts");
    *interval = {first, last};
    return true;
  }

  uint32_t address = 0;
  if (ParseAddress(text, &address)) {
    *interval = {address, address};
    return true;
  }
  if (LooksNumeric(text)) return fail("not an IPv4 address");
  if (!IsHostName(text)) return fail("not an address, range, CIDR block or host name");
  std::string why;
  if (!resolve || !resolve(text, &address, &why)) return fail(why.empty() ? "cannot resolve" : why);
  *interval = {address, address};
  return true;
}

bool BuildTargetSet(const std::vector<std::string>& targets, bool allowLarge,
                    const HostResolver& resolve, AddressSet* set, std::string* error) {
  for (const std::string& target : targets) {
    AddressInterval interval{};
    if (!ParseTarget(target, resolve, &interval, error)) return false;
    set->Add(interval);
  }
  if (set->Count() > kLargeRange && !allowLarge) {
    *error = std::to_string(set->Count()) + " addresses to scan, more than " +
             std::to_string(kLargeRange) + "; add --allow-large to scan them";
    return false;
  }
  return true;
}

std::string FormatAddress(uint32_t address) {
  return std::to_string(address >> 24) + "." + std::to_string((address >> 16) & 0xFF) + "." +
         std::to_string((address >> 8) & 0xFF) + "." + std::to_string(address & 0xFF);
}
