// ReadDescription: the system description from the agent's reply.
#pragma once

#include <cstdint>

#include "snmp_query/reply_buffer.h"

constexpr uint8_t kDescriptionArc = 1;  // sysDescr

// Appends the reply's value as 8-bit text, taken as it comes: at most its
// length, fewer at a NUL, never more than the buffer has room for. A reply
// whose value can't be found leaves the text alone.
void ReadDescription(const ReplyBuffer& reply, char* text, int32_t textSize);
