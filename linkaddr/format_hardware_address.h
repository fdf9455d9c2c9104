// FormatHardwareAddress: six bytes as the column shows them.
#pragma once

#include <array>
#include <cstdint>

constexpr std::size_t kHardwareTextLength = 17;  // "0A:1B:2C:3D:4E:5F"

// Six two-digit upper-case hexadecimal bytes separated by colons, NUL-ended.
std::array<char, kHardwareTextLength + 1> FormatHardwareAddress(const uint8_t bytes[6]);
