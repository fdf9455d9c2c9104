// The agent's reply as received, and where its value lies.
#pragma once

#include <cstdint>
#include <optional>

constexpr int32_t kReplyCapacity = 1000;

// One reply datagram; only the first `received` bytes are ever read.
struct ReplyBuffer {
  uint8_t bytes[kReplyCapacity];
  int32_t received;
};

// The content bytes of the reply's first variable binding value.
struct ReplyValue {
  const uint8_t* bytes;
  int32_t length;
};

// Finds the first binding's value. A reply that fits the fixed layout (every
// length in one byte) gives the value at offset 40 with its length at 39,
// whatever the tags say. Otherwise the BER structure (message, PDU, first
// binding, its value) is walked within the received bytes; an error reply
// (non-zero error-status) or anything that does not decode inside the
// received bytes gives nothing.
std::optional<ReplyValue> FindReplyValue(const ReplyBuffer& reply);
