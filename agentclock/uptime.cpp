// ReadTimeTicks and FormatUptime for the uptime column.
#include "agentclock/uptime.h"

#include "plugin_api/column_text.h"

std::optional<uint32_t> ReadTimeTicks(const ReplyBuffer& reply) {
  const auto value = FindReplyValue(reply);
  if (!value) return std::nullopt;
  uint32_t ticks = 0;
  for (int32_t i = 0; i < value->length; ++i)
    ticks = static_cast<uint32_t>(ticks << 8) | value->bytes[i];
  return ticks;
}

namespace {

// Writes value right-aligned in `width` columns, padded with `pad`.
char* PutNumber(char* at, uint32_t value, int width, char pad) {
  for (int i = width - 1; i >= 0; --i) {
    at[i] = value != 0 || i == width - 1 ? static_cast<char>('0' + value % 10) : pad;
    value /= 10;
  }
  return at + width;
}

}  // namespace

// "%4d days %02d:%02d:%02d", written by hand: days never exceeds 497.
UptimeText FormatUptime(uint32_t ticks) {
  const uint32_t seconds = ticks / 100;
  const uint32_t days = seconds / 86400;
  uint32_t rest = seconds - days * 86400;
  const uint32_t hours = rest / 3600;
  rest -= hours * 3600;
  const uint32_t minutes = rest / 60;
  const uint32_t secs = rest - minutes * 60;
  UptimeText text{};
  char* at = PutNumber(text.chars, days, 4, ' ');
  for (char c : {' ', 'd', 'a', 'y', 's', ' '}) *at++ = c;
  at = PutNumber(at, hours, 2, '0');
  *at++ = ':';
  at = PutNumber(at, minutes, 2, '0');
  *at++ = ':';
  PutNumber(at, secs, 2, '0');
  return text;
}

void AppendUptime(const ReplyBuffer& reply, char* text, int32_t textSize) {
  const auto ticks = ReadTimeTicks(reply);
  if (!ticks) return;
  const UptimeText uptime = FormatUptime(*ticks);
  AppendText(text, textSize, uptime.chars, textSize);
}
