// The agent's uptime: read from the reply, shown as days and h:m:s.
#pragma once

#include <cstdint>
#include <optional>

#include "snmp_query/reply_buffer.h"

constexpr uint8_t kUptimeArc = 3;  // sysUpTime

// "%4d days %02d:%02d:%02d": at most 18 characters and the NUL.
struct UptimeText {
  char chars[19];
};

// The value's content bytes as one unsigned big-endian number, modulo 2^32
// (hundredths of a second). Nothing when the value can't be found.
std::optional<uint32_t> ReadTimeTicks(const ReplyBuffer& reply);

// Truncates to whole seconds; the word is "days" for every count.
UptimeText FormatUptime(uint32_t ticks);

// ReadTimeTicks and FormatUptime, appended to the column text.
void AppendUptime(const ReplyBuffer& reply, char* text, int32_t textSize);
