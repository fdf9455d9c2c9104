// FormatHardwareAddress: "%02X:%02X:%02X:%02X:%02X:%02X".
#include "linkaddr/format_hardware_address.h"

#include <cstdio>

std::array<char, kHardwareTextLength + 1> FormatHardwareAddress(const uint8_t bytes[6]) {
  std::array<char, kHardwareTextLength + 1> text{};
  std::snprintf(text.data(), text.size(), "%02X:%02X:%02X:%02X:%02X:%02X", bytes[0], bytes[1],
                bytes[2], bytes[3], bytes[4], bytes[5]);
  return text;
}
